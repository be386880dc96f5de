#include "FileActions.h"

#include "Archiver.h"
#include "BatchRename_p.h"
#include "FileSystem.h"
#include "Trash.h"
#include "search/PathText.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace qb::FileActions {
namespace {

std::string nameOf(const std::string& path) {
    return std::string(lastComponent(path));
}

FileUndoStep stepAt(const std::string& source, FileUndoStep::Action action) {
    return {source, identity(source), std::move(action)};
}

// Puts a new item at target with op. When target is inside a trash's files/, its info file is
// written first (so the trash never holds an entry it cannot restore) and removed again when
// op fails.
fs::Error placeInto(const std::string& target, const trash::Info& info,
                    const std::function<fs::Error()>& op) {
    std::optional<trash::Slot> into = trash::slotOf(target);
    if (into) {
        if (fs::Error e = trash::writeInfo(*into, info))
            return e;
    }
    fs::Error e = op();
    if (e && into)
        trash::removeInfo(*into);
    return e;
}

// A new item made inside a trash would be restored to the trash's restore folder.
trash::Info newItemInfo(const std::string& path) {
    if (std::optional<trash::Slot> slot = trash::slotOf(path))
        return {joinPath(trash::restoreFolder(*slot), slot->name), {}};
    return {path, {}};
}

// A move that keeps trash info files in step: an item moved within or between trashes keeps
// its record, one moved in from outside records where it was, one moved out loses its record.
fs::Error relocate(const std::string& from, const std::string& to,
                   const std::optional<FileIdentity>& expected = std::nullopt) {
    std::optional<trash::Slot> out = trash::slotOf(from);
    fs::Error e =
        placeInto(to, trash::carriedInfo(from), [&] { return fs::moveItem(from, to, expected); });
    if (!e && out)
        trash::removeInfo(*out);
    return e;
}

bool isInside(const std::string& path, const std::string& folder) {
    if (folder == "/")
        return path.size() > 1 && path[0] == '/';
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '/';
}

// Whether the destination folder is the item or lies inside it, by the identities of the
// destination and its ancestors: a bind mount of the item shows it under another path.
bool destinationInside(const std::string& item, const std::string& resolvedDestination) {
    if (!fs::isDirectory(item))
        return false;
    std::optional<FileIdentity> self = fs::identityOf(item);
    if (!self)
        return false;
    for (std::string up = resolvedDestination; !up.empty(); up = std::string(parentOf(up))) {
        if (fs::identityOf(up) == self)
            return true;
        if (up == "/")
            break;
    }
    return false;
}

struct Cleanup {
    std::string path;
    ~Cleanup() {
        if (!path.empty())
            fs::removeCopy(path);
    }
};

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    return isValidUtf8(text) ? text : "";
}

FileActionResult wholeFailure(FileFailure failure) {
    FileActionResult r;
    r.failures.push_back(std::move(failure));
    return r;
}

} // namespace

std::pair<std::string, std::string> splitExtension(const std::string& name) {
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot + 1)};
}

bool exists(const std::string& item) {
    return fs::exists(item);
}

std::optional<FileIdentity> identity(const std::string& item) {
    return fs::identityOf(item);
}

std::vector<std::string> roots(const std::vector<std::string>& items) {
    std::vector<std::string> list;
    list.reserve(items.size());
    for (const auto& item : items)
        list.push_back(standardisePath(item));
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    std::set<std::string> folders;
    for (const auto& item : list)
        if (fs::isDirectory(item))
            folders.insert(item);
    std::vector<std::string> out;
    for (const auto& item : list) {
        bool covered = false;
        for (std::string up(parentOf(item)); !covered && !up.empty();
             up = std::string(parentOf(up))) {
            covered = folders.count(up) != 0;
            if (up == "/")
                break;
        }
        if (!covered)
            out.push_back(item);
    }
    return out;
}

std::string unique(const std::string& candidate) {
    if (!fs::exists(candidate))
        return candidate;
    auto [base, ext] = splitExtension(nameOf(candidate));
    std::string parent(parentOf(candidate));
    for (unsigned long n = 2;; ++n) {
        std::string name = base + " " + std::to_string(n) + (ext.empty() ? "" : "." + ext);
        std::string path = joinPath(parent, name);
        if (!fs::exists(path))
            return path;
    }
}

FileActionResult move(const std::vector<std::string>& items, const std::string& destination,
                      bool copy) {
    FileActionResult r;
    const std::string resolvedDestination = fs::resolvedPath(destination);
    for (const auto& item : roots(items)) {
        std::string target = joinPath(destination, lastComponent(item));
        std::string resolvedItem = fs::realLocation(item);
        std::string resolvedTarget = joinPath(resolvedDestination, lastComponent(item));
        if (item == target || resolvedTarget == resolvedItem ||
            isInside(resolvedTarget, resolvedItem) ||
            destinationInside(item, resolvedDestination)) {
            r.failures.push_back(fs::insideItself.at(item));
            continue;
        }
        fs::Error e = copy ? placeInto(target, trash::carriedInfo(item),
                                       [&] { return fs::copyItem(item, target); })
                           : relocate(item, target);
        if (e) {
            r.failures.push_back(e.at(item));
            continue;
        }
        if (!copy)
            r.removed.push_back(item);
        r.created.push_back(target);
        FileUndoStep::Action back = copy ? FileUndoStep::Action(FileUndoStep::Trash{false})
                                         : FileUndoStep::Action(FileUndoStep::Move{item});
        r.undo.insert(r.undo.begin(), stepAt(target, back));
    }
    return r;
}

FileActionResult trash(const std::vector<std::string>& items) {
    FileActionResult r;
    for (const auto& item : roots(items)) {
        trash::Outcome t = trash::moveToTrash(item);
        if (t.error) {
            r.failures.push_back(t.error.at(item));
            continue;
        }
        r.removed.push_back(item);
        if (!t.location.empty())
            r.undo.insert(r.undo.begin(), stepAt(t.location, FileUndoStep::Move{item}));
    }
    return r;
}

FileActionResult duplicate(const std::vector<std::string>& items) {
    FileActionResult r;
    for (const auto& item : roots(items)) {
        auto [base, ext] = splitExtension(nameOf(item));
        std::string name = base + " copy" + (ext.empty() ? "" : "." + ext);
        std::string target = unique(joinPath(parentOf(item), name));
        // A duplicate made in a trash would be restored beside its original.
        trash::Info info{
            joinPath(parentOf(trash::carriedInfo(item).originalPath), lastComponent(target)), {}};
        if (fs::Error e = placeInto(target, info, [&] { return fs::copyItem(item, target); })) {
            r.failures.push_back(e.at(item));
            continue;
        }
        r.created.push_back(target);
        r.undo.insert(r.undo.begin(), stepAt(target, FileUndoStep::Trash{false}));
    }
    return r;
}

FileActionResult newFolder(const std::string& folder, const std::vector<std::string>& items) {
    if (fs::Error e = placeInto(folder, newItemInfo(folder),
                                [&] { return fs::makeDirectory(folder, false); }))
        return wholeFailure(e.at());
    FileActionResult moved = move(items, folder, false);
    FileActionResult r;
    r.removed = std::move(moved.removed);
    r.created.push_back(folder);
    r.created.insert(r.created.end(), moved.created.begin(), moved.created.end());
    r.failures = std::move(moved.failures);
    r.undo = std::move(moved.undo);
    r.undo.push_back(stepAt(folder, FileUndoStep::Trash{true}));
    r.remainingUndo = std::move(moved.remainingUndo);
    return r;
}

FileActionResult compress(const std::vector<std::string>& items, const std::string& destination,
                          const char* archiver) {
    // Private to the user (the items may be), and removed however the operation ends, even
    // when it holds read-only folders; links inside are never followed.
    const std::string temp = joinPath(fs::temporaryDirectory(), fs::randomUuid());
    Cleanup cleanup;
    const std::string staging = temp + "/items";
    if (fs::Error e = fs::makeDirectory(fs::temporaryDirectory(), true))
        return wholeFailure(e.at());
    if (fs::Error e = fs::makeDirectory(temp, false, 0700))
        return wholeFailure(e.at());
    cleanup.path = temp;
    if (fs::Error e = fs::makeDirectory(staging, false, 0700))
        return wholeFailure(e.at());
    for (const auto& item : roots(items)) {
        std::string target = unique(joinPath(staging, lastComponent(item)));
        if (fs::Error e = fs::copyItem(item, target))
            return wholeFailure(e.at());
    }
    const std::string archive = temp + "/Archive.zip";
    const std::string log = temp + "/error.log";
    {
        std::ofstream create(log, std::ios::binary);
        if (!create)
            return wholeFailure({.errnum = errno});
    }
    int status = runZip(staging, archive, log, archiver);
    if (status < 0)
        return wholeFailure({.errnum = errno});
    if (status != 0)
        return wholeFailure({.kind = FileFailure::Kind::archiveFailed, .detail = readText(log)});
    if (fs::Error e = placeInto(destination, newItemInfo(destination),
                                [&] { return fs::moveItem(archive, destination); }))
        return wholeFailure(e.at());
    FileActionResult r;
    r.created.push_back(destination);
    r.undo.push_back(stepAt(destination, FileUndoStep::Trash{false}));
    return r;
}

FileActionResult rename(const std::string& item, const std::string& target) {
    if (fs::Error e = relocate(item, target))
        return wholeFailure(e.at());
    FileActionResult r;
    r.removed.push_back(item);
    r.created.push_back(target);
    r.undo.push_back(stepAt(target, FileUndoStep::Move{item}));
    return r;
}

FileActionResult undo(const std::vector<FileUndoStep>& steps, const RenameCall& call) {
    FileActionResult r;
    for (size_t i = 0; i < steps.size(); ++i) {
        const FileUndoStep& step = steps[i];
        if (std::holds_alternative<FileUndoStep::Rename>(step.action)) {
            size_t end = i + 1;
            while (end < steps.size() &&
                   std::holds_alternative<FileUndoStep::Rename>(steps[end].action))
                ++end;
            replayRenames(&steps[i], &steps[0] + end, call, r);
            i = end - 1;
            continue;
        }
        fs::Error error;
        auto current = identity(step.source);
        if (!step.identity || !current || !(*current == *step.identity)) {
            error = fs::identityMismatch;
        } else if (const auto* t = std::get_if<FileUndoStep::Trash>(&step.action)) {
            std::optional<size_t> entries =
                t->emptyOnly ? fs::countEntries(step.source, error) : std::optional<size_t>(0);
            if (entries && *entries > 0) {
                error = {FileFailure::Kind::notEmpty};
            } else if (entries) {
                trash::Outcome out = trash::moveToTrash(step.source, step.identity);
                error = out.error;
                if (!error) {
                    r.removed.push_back(step.source);
                    if (!out.location.empty())
                        r.undo.insert(r.undo.begin(),
                                      stepAt(out.location, FileUndoStep::Move{step.source}));
                }
            }
        } else {
            const auto& to = std::get<FileUndoStep::Move>(step.action).to;
            error = relocate(step.source, to, step.identity);
            if (!error) {
                r.removed.push_back(step.source);
                r.created.push_back(to);
                r.undo.insert(r.undo.begin(), stepAt(to, FileUndoStep::Move{step.source}));
            }
        }
        if (error) {
            r.failures.push_back(error.at(step.source));
            r.remainingUndo.push_back(step);
        }
    }
    return r;
}

} // namespace qb::FileActions
