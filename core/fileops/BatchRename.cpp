#include "BatchRename_p.h"
#include "FileSystem.h"
#include "Trash.h"
#include "search/PathText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace qb::FileActions {
namespace detail {
namespace {

constexpr size_t kNone = size_t(-1);
constexpr size_t kNamesListed = 10;

bool validName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

size_t depth(const std::string& path) {
    return size_t(std::count(path.begin(), path.end(), '/'));
}

class Folder {
public:
    explicit Folder(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
          m_error(m_fd < 0 ? errno : 0) {}
    ~Folder() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    int fd() const { return m_fd; }
    int error() const { return m_error; }

private:
    int m_fd;
    int m_error;
};

// Carries out the renames of one folder. A rename whose target is another item's current
// name waits until that item has moved: each chain runs from its free end, and a cycle first
// moves one member to a temporary name. A failure inside a cycle takes the cycle's renames
// back, so no item stays under a temporary name.
// Per job, for the whole batch: the job waiting for it to move, the job it waits for, whether
// it has been carried out, and whether it is a folder.
struct Links {
    explicit Links(size_t n) : next(n, kNone), prev(n, kNone), visited(n, false) {}
    std::vector<size_t> next, prev;
    std::vector<bool> visited;
    bool folderRenamed = false;
};

class FolderBatch {
public:
    FolderBatch(const std::vector<RenameJob>& jobs, const std::vector<size_t>& members,
                const RenameCall& call, RenameOutcome& out, Links& links)
        : m_jobs(jobs), m_members(members), m_call(call), m_out(out), m_links(links),
          m_folder(jobs[members[0]].folder) {}

    bool run() {
        if (m_folder.fd() < 0) {
            m_out.failures.push_back(
                {.path = m_jobs[m_members[0]].folder, .errnum = m_folder.error()});
            return false;
        }
        std::unordered_map<std::string_view, size_t> bySource;
        bySource.reserve(m_members.size());
        for (size_t m : m_members)
            bySource.emplace(m_jobs[m].oldName, m);
        for (size_t m : m_members) {
            auto it = bySource.find(m_jobs[m].newName);
            if (it != bySource.end())
                m_links.next[m] = it->second, m_links.prev[it->second] = m;
        }
        for (size_t m : m_members)
            if (m_links.next[m] == kNone && !chainFrom(m))
                return false;
        for (size_t m : m_members)
            if (!m_links.visited[m] && !cycleFrom(m))
                return false;
        return true;
    }

private:
    size_t prevOf(size_t j) const { return m_links.prev[j]; }

    const char* oldName(size_t j) const { return m_jobs[j].oldName.c_str(); }
    const char* newName(size_t j) const { return m_jobs[j].newName.c_str(); }

    // The identity check of a replay, then the rename; errno is set on failure.
    bool renameFirst(size_t j, const char* to) {
        const RenameJob& job = m_jobs[j];
        if (job.expected && fs::identityAt(m_folder.fd(), oldName(j)) != job.expected) {
            m_replaced = true;
            return false;
        }
        return m_call(m_folder.fd(), oldName(j), to) == 0;
    }

    void fail(size_t j) {
        const std::string path = joinPath(m_jobs[j].folder, m_jobs[j].oldName);
        m_out.failures.push_back(m_replaced ? fs::identityMismatch.at(path)
                                            : FileFailure{.path = path, .errnum = errno});
    }

    void renamed(size_t j) {
        m_out.renamed.push_back(j);
        struct stat st {};
        if (::fstatat(m_folder.fd(), newName(j), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            m_out.identities[j] = FileIdentity{uint64_t(st.st_dev), uint64_t(st.st_ino)};
            m_links.folderRenamed = m_links.folderRenamed || S_ISDIR(st.st_mode);
        }
    }

    bool chainFrom(size_t end) {
        for (size_t j = end; j != kNone; j = prevOf(j)) {
            m_links.visited[j] = true;
            if (!renameFirst(j, newName(j))) {
                fail(j);
                return false;
            }
            renamed(j);
        }
        return true;
    }

    bool cycleFrom(size_t first) {
        std::string temp;
        bool moved = false;
        for (int attempt = 0; attempt < 8 && !moved; ++attempt) {
            temp = ".qb-rename-" + fs::randomUuid();
            moved = renameFirst(first, temp.c_str());
            if (!moved && (m_replaced || errno != EEXIST))
                break;
        }
        m_links.visited[first] = true;
        if (!moved) {
            fail(first);
            return false;
        }
        std::vector<size_t> done;
        for (size_t j = prevOf(first); j != first; j = prevOf(j)) {
            m_links.visited[j] = true;
            if (!renameFirst(j, newName(j))) {
                fail(j);
                takeBack(done, first, temp);
                return false;
            }
            done.push_back(j);
        }
        if (m_call(m_folder.fd(), temp.c_str(), newName(first)) != 0) {
            fail(first); // something took the name meanwhile
            takeBack(done, first, temp);
            return false;
        }
        for (size_t j : done)
            renamed(j);
        renamed(first);
        return true;
    }

    // Undoes a cycle's renames in reverse, then gives the first item its old name back.
    void takeBack(const std::vector<size_t>& done, size_t first, const std::string& temp) {
        size_t undone = 0;
        for (auto it = done.rbegin(); it != done.rend(); ++it, ++undone)
            if (m_call(m_folder.fd(), newName(*it), oldName(*it)) != 0)
                break;
        // Whatever could not be taken back stays renamed, which is still one of its names.
        for (size_t i = 0; i + undone < done.size(); ++i)
            renamed(done[i]);
        if (m_call(m_folder.fd(), temp.c_str(), oldName(first)) == 0)
            return;
        if (m_call(m_folder.fd(), temp.c_str(), newName(first)) == 0) {
            renamed(first);
            return;
        }
        m_out.failures.push_back({.kind = FileFailure::Kind::leftAtTemporary,
                                  .path = joinPath(m_jobs[first].folder, m_jobs[first].oldName),
                                  .detail = temp});
        m_out.paths[first] = joinPath(m_jobs[first].folder, temp);
    }

    const std::vector<RenameJob>& m_jobs;
    const std::vector<size_t>& m_members;
    const RenameCall& m_call;
    RenameOutcome& m_out;
    Links& m_links;
    Folder m_folder;
    bool m_replaced = false;
};

// Where an item is at the end: each folder above it that the batch renamed (after the
// item, as deeper folders go first) carries its new name.
std::string finalPath(const std::string& path,
                      const std::unordered_map<std::string, const std::string*>& renamedTo) {
    std::string out;
    for (size_t at = 1; at <= path.size();) {
        size_t end = path.find('/', at);
        if (end == std::string::npos)
            end = path.size();
        auto it = renamedTo.find(path.substr(0, end));
        out += '/';
        out += it == renamedTo.end() ? path.substr(at, end - at) : *it->second;
        at = end + 1;
    }
    return out;
}

FileFailure keptNames(const std::vector<RenameJob>& jobs, const std::vector<size_t>& kept) {
    FileFailure f{.kind = FileFailure::Kind::keptNames, .count = kept.size()};
    for (size_t i = 0; i < kept.size() && i < kNamesListed; ++i)
        f.names.push_back(jobs[kept[i]].oldName);
    return f;
}

} // namespace

RenameOutcome runRenames(const std::vector<RenameJob>& jobs, const RenameCall& givenCall) {
    const RenameCall call = givenCall ? givenCall : RenameCall(&fs::renameInFolder);
    RenameOutcome out;
    out.paths.resize(jobs.size());
    out.identities.resize(jobs.size());
    for (size_t j = 0; j < jobs.size(); ++j)
        out.paths[j] = joinPath(jobs[j].folder, jobs[j].oldName);

    // Checked before anything moves, so that a refused batch changes nothing.
    std::map<std::string_view, std::vector<size_t>> byFolder;
    for (size_t j = 0; j < jobs.size(); ++j) {
        if (!validName(jobs[j].newName))
            out.failures.push_back({.kind = FileFailure::Kind::badName, .detail = jobs[j].newName});
        byFolder[jobs[j].folder].push_back(j);
    }
    for (auto& [folder, members] : byFolder) {
        if (trash::slotOf(joinPath(folder, "x")))
            out.failures.push_back({.kind = FileFailure::Kind::inTrash});
        std::vector<std::string_view> names;
        names.reserve(members.size());
        for (size_t j : members)
            names.push_back(jobs[j].newName);
        std::sort(names.begin(), names.end());
        for (auto it = std::adjacent_find(names.begin(), names.end()); it != names.end();
             it = std::adjacent_find(it + 1, names.end()))
            out.failures.push_back(
                {.kind = FileFailure::Kind::sameName, .detail = std::string(*it)});
    }
    if (!out.failures.empty()) {
        out.failures.erase(std::unique(out.failures.begin(), out.failures.end()),
                           out.failures.end());
        for (size_t j = 0; j < jobs.size(); ++j)
            out.kept.push_back(j);
        return out;
    }

    // Deeper folders first, so that renaming a folder never moves an item still to be renamed.
    std::vector<const std::vector<size_t>*> order;
    for (const auto& [folder, members] : byFolder)
        order.push_back(&members);
    std::stable_sort(order.begin(), order.end(), [&](const auto* a, const auto* b) {
        return depth(jobs[a->front()].folder) > depth(jobs[b->front()].folder);
    });
    Links links(jobs.size());
    for (const auto* members : order)
        if (!FolderBatch(jobs, *members, call, out, links).run())
            break;

    std::vector<bool> done(jobs.size(), false);
    for (size_t j : out.renamed)
        done[j] = true;
    // Only a renamed folder moves other items; otherwise each is where its own rename put it.
    std::unordered_map<std::string, const std::string*> renamedTo;
    if (links.folderRenamed)
        for (size_t j : out.renamed)
            renamedTo.emplace(out.paths[j], &jobs[j].newName);
    for (size_t j = 0; j < jobs.size(); ++j) {
        if (!renamedTo.empty())
            out.paths[j] = finalPath(out.paths[j], renamedTo);
        else if (done[j])
            out.paths[j] = joinPath(jobs[j].folder, jobs[j].newName);
        if (!done[j])
            out.kept.push_back(j);
    }
    if (!out.kept.empty() && !out.failures.empty())
        out.failures.push_back(keptNames(jobs, out.kept));
    return out;
}

} // namespace detail

FileActionResult renameAll(const std::vector<RenameRequest>& requests, const RenameCall& call) {
    std::vector<detail::RenameJob> jobs;
    std::unordered_set<std::string> seen;
    for (const RenameRequest& request : requests) {
        std::string item = standardisePath(request.item);
        std::string_view old = lastComponent(item);
        if (old == request.name || !seen.insert(item).second)
            continue;
        jobs.push_back({std::string(parentOf(item)), std::string(old), request.name, {}});
    }
    detail::RenameOutcome done = detail::runRenames(jobs, call);
    FileActionResult r;
    for (size_t j : done.renamed) {
        r.removed.push_back(joinPath(jobs[j].folder, jobs[j].oldName));
        r.created.push_back(done.paths[j]);
        r.undo.push_back(
            {done.paths[j], done.identities[j], FileUndoStep::Rename{jobs[j].oldName}});
    }
    std::reverse(r.undo.begin(), r.undo.end());
    r.failures = std::move(done.failures);
    return r;
}

void replayRenames(const FileUndoStep* begin, const FileUndoStep* end, const RenameCall& call,
                   FileActionResult& r) {
    std::vector<detail::RenameJob> jobs;
    std::vector<const FileUndoStep*> origins;
    for (const FileUndoStep* step = begin; step != end; ++step) {
        if (!step->identity || fs::identityOf(step->source) != step->identity) {
            r.failures.push_back(fs::identityMismatch.at(step->source));
            r.remainingUndo.push_back(*step);
            continue;
        }
        jobs.push_back({std::string(parentOf(step->source)),
                        std::string(lastComponent(step->source)),
                        std::get<FileUndoStep::Rename>(step->action).name, step->identity});
        origins.push_back(step);
    }
    detail::RenameOutcome done = detail::runRenames(jobs, call);
    r.failures.insert(r.failures.end(), done.failures.begin(), done.failures.end());
    std::vector<FileUndoStep> inverse;
    for (size_t j : done.renamed) {
        r.removed.push_back(origins[j]->source);
        r.created.push_back(done.paths[j]);
        inverse.push_back(
            {done.paths[j], done.identities[j], FileUndoStep::Rename{jobs[j].oldName}});
    }
    r.undo.insert(r.undo.begin(), inverse.rbegin(), inverse.rend());
    // A step left over keeps following its item, whose folder the replay may have renamed.
    for (size_t j : done.kept) {
        FileUndoStep step = *origins[j];
        step.source = done.paths[j];
        r.remainingUndo.push_back(std::move(step));
    }
}

} // namespace qb::FileActions
