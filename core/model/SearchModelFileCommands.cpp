// File commands: gather input on the GUI thread, run one worker operation in the background,
// then patch the results, the selection and the history from what it did.

#include "ErrorText.h"
#include "OffThread.h"
#include "SearchModel.h"
#include "SearchModel_p.h"
#include "ShownText.h"
#include "fileops/FileActions.h"
#include "search/PathText.h"

#include <QPointer>
#include <string_view>
#include <unordered_set>

namespace qb {
namespace {

bool validName(const QString& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains(':') && !name.contains(QChar(0));
}

// The bytes for a name whose shown text was edited. The field shows each undecodable run of
// bytes as U+FFFD; the characters the edit left alone, at either end, keep the name's own
// bytes, and only the changed middle is new UTF-8. Changing just the extension of
// "caf\xE9.txt" keeps its \xE9.
std::string editedName(std::string_view old, const QString& edited) {
    // The old name's characters as the field shows them, each with its own bytes: a unit ends
    // where decoding the rest on its own gives the rest of the whole decoding.
    struct Unit {
        std::string_view bytes;
        std::u16string text;
    };
    std::vector<Unit> units;
    for (size_t at = 0; at < old.size();) {
        const std::u16string rest = toUtf16(old.substr(at));
        size_t length = 1;
        std::u16string head;
        for (; length < old.size() - at; ++length) {
            head = toUtf16(old.substr(at, length));
            if (rest.compare(0, head.size(), head) == 0 &&
                toUtf16(old.substr(at + length)) == rest.substr(head.size()))
                break;
        }
        if (length == old.size() - at)
            head = rest;
        units.push_back({old.substr(at, length), head});
        at += length;
    }
    const std::u16string text = edited.toStdU16String();
    size_t front = 0, frontUnits = 0;
    while (frontUnits < units.size() &&
           text.compare(front, units[frontUnits].text.size(), units[frontUnits].text) == 0) {
        front += units[frontUnits].text.size();
        ++frontUnits;
    }
    size_t back = 0, backUnits = 0;
    while (backUnits + frontUnits < units.size()) {
        const std::u16string& unit = units[units.size() - 1 - backUnits].text;
        if (front + back + unit.size() > text.size() ||
            text.compare(text.size() - back - unit.size(), unit.size(), unit) != 0)
            break;
        back += unit.size();
        ++backUnits;
    }
    std::string out;
    for (size_t i = 0; i < frontUnits; ++i)
        out += units[i].bytes;
    out += QString::fromStdU16String(text.substr(front, text.size() - front - back)).toStdString();
    for (size_t i = units.size() - backUnits; i < units.size(); ++i)
        out += units[i].bytes;
    return out;
}

} // namespace

std::string SearchModel::preferredDestination(const std::vector<std::string>& items) const {
    std::set<std::string> parents;
    for (const auto& item : items)
        parents.insert(std::string(parentOf(item)));
    return parents.size() == 1 ? *parents.begin() : m_folder;
}

void SearchModel::moveItems(const UrlList& urls, bool copy) {
    if (m_fileActionRunning)
        return;
    auto items = itemsOr(urls);
    const size_t n = items.size();
    FolderPanel panel;
    panel.startFolder = preferredDestination(items);
    panel.prompt =
        copy ? tr("Copy", "button of the folder panel") : tr("Move", "button of the folder panel");
    panel.message =
        tr("Choose a destination for %n selected items. Existing items won’t be replaced.", nullptr,
           int(n));
    panel.canCreateFolders = true;
    QPointer<SearchModel> self(this);
    m_desktop.chooseFolder(panel, [self, items, copy](std::optional<std::string> destination) {
        if (!self || !destination)
            return;
        auto folder = standardFolder(*destination);
        if (!folder)
            return;
        std::string d = *folder; // so created items share the hits' spelling
        self->performFileAction(copy ? tr("Copying…") : tr("Moving…"), true,
                                [items, d, copy] { return FileActions::move(items, d, copy); });
    });
}

void SearchModel::newFolder(const UrlList& urls) {
    if (m_fileActionRunning)
        return;
    auto items = itemsOr(urls);
    std::string destination = preferredDestination(items);
    NameDialog dialog;
    dialog.message = items.empty() ? tr("New Folder", "title of the dialog")
                                   : tr("New Folder with Selection", "title of the dialog");
    dialog.informativeText = items.empty()
                                 ? tr("Create a folder in %1.").arg(shownText(destination))
                                 : tr("Create a folder in %1 and move %n selected items into it.",
                                      nullptr, int(items.size()))
                                       .arg(shownText(destination));
    dialog.confirmButton = tr("Create");
    dialog.prefilledText = tr("New Folder", "the name a new folder gets unless another is typed");
    QPointer<SearchModel> self(this);
    m_desktop.askName(dialog, [self, items, destination](std::optional<QString> name) {
        if (!self || !name)
            return;
        if (!validName(*name)) {
            self->setFileActionError(tr("Enter a valid folder name without slashes or colons."));
            return;
        }
        std::string folder = joinPath(destination, name->toStdString());
        self->performFileAction(tr("Creating Folder…"), true,
                                [folder, items] { return FileActions::newFolder(folder, items); });
    });
}

void SearchModel::compressItems(const UrlList& urls) {
    if (m_fileActionRunning)
        return;
    auto items = itemsOr(urls);
    if (items.empty())
        return;
    std::string name =
        items.size() == 1 ? std::string(lastComponent(items[0])) + ".zip" : "Archive.zip";
    std::string destination = FileActions::unique(joinPath(preferredDestination(items), name));
    performFileAction(tr("Compressing…"), true,
                      [items, destination] { return FileActions::compress(items, destination); });
}

void SearchModel::trashItems(const UrlList& urls) {
    auto items = itemsOr(urls);
    performFileAction(tr("Moving to Trash…"), true, [items] { return FileActions::trash(items); });
}

void SearchModel::duplicateItems(const UrlList& urls) {
    auto items = itemsOr(urls);
    performFileAction(tr("Duplicating…"), true, [items] { return FileActions::duplicate(items); });
}

void SearchModel::renameItem(const std::string& item) {
    if (m_fileActionRunning)
        return;
    QString name = shownText(lastComponent(item));
    NameDialog dialog;
    dialog.message = tr("Rename “%1”").arg(name);
    dialog.confirmButton = tr("Rename", "button of the rename dialog");
    dialog.prefilledText = name;
    QPointer<SearchModel> self(this);
    m_desktop.askName(dialog, [self, item](std::optional<QString> text) {
        if (!self || !text)
            return;
        if (!validName(*text)) {
            self->setFileActionError(tr("Enter a valid filename without slashes or colons."));
            return;
        }
        std::string newName = editedName(lastComponent(item), *text);
        std::string target = joinPath(parentOf(item), newName);
        if (target == item)
            return;
        self->performFileAction(tr("Renaming…"), true,
                                [item, target] { return FileActions::rename(item, target); });
    });
}

void SearchModel::runInBackground(std::function<FileActionResult()> operation,
                                  std::function<void(const FileActionResult&)> done) {
    auto task = std::make_shared<FileTask>();
    m_fileTask = task;
    // Moved in: an operation may hold every selected path.
    task->operation =
        runOffThread(this, std::move(operation), [this, task, done](FileActionResult result) {
            if (m_fileTask == task)
                m_fileTask.reset();
            done(result);
        });
}

void SearchModel::performFileAction(const QString& title, bool history,
                                    std::function<FileActionResult()> operation) {
    if (m_fileActionRunning)
        return;
    cancel();
    setFileActionRunning(true);
    setFileActionStatus(title);
    setFileActionError(std::nullopt);
    setLastCreatedItems({});
    runInBackground(std::move(operation), [this, title, history](const FileActionResult& r) {
        setFileActionRunning(false);
        if (history) {
            FileHistory undo = m_undoHistory, redo = m_redoHistory;
            if (recordOperation(undo, redo, title.toStdString(), r)) {
                setUndoHistory(std::move(undo));
                setRedoHistory(std::move(redo));
            }
        }
        pruneHits(r.removed);
        setFileActionStatus(r.failures.empty() ? tr("Done") : tr("Some items couldn’t be changed"));
        if (!r.failures.empty())
            setFileActionError(ErrorText::failures(r.failures));
        if (!r.created.empty())
            setLastCreatedItems(r.created);
        refreshAfterFileAction();
        Q_EMIT fileActionEnded();
    });
}

void SearchModel::undoFileAction(bool redo) {
    if (m_fileActionRunning)
        return;
    FileHistory stack = redo ? m_redoHistory : m_undoHistory;
    if (stack.empty())
        return;
    FileUndoRecord record = stack.back();
    stack.pop_back();
    if (redo)
        setRedoHistory(stack);
    else
        setUndoHistory(stack);
    cancel();
    setFileActionRunning(true);
    setFileActionStatus(redo ? tr("Redoing…") : tr("Undoing…"));
    setLastCreatedItems({});
    setFileActionError(std::nullopt);
    std::vector<FileUndoStep> steps = record.steps;
    runInBackground([steps] { return FileActions::undo(steps); },
                    [this, record, redo](const FileActionResult& r) {
                        setFileActionRunning(false);
                        FileHistory undo = m_undoHistory, redoStack = m_redoHistory;
                        fileReplay(undo, redoStack, record, redo, r);
                        setUndoHistory(std::move(undo));
                        setRedoHistory(std::move(redoStack));
                        pruneHits(r.removed);
                        setLastCreatedItems(r.created);
                        if (r.failures.empty())
                            setFileActionStatus(redo ? tr("Redone") : tr("Undone"));
                        else
                            setFileActionStatus(tr("Some items couldn’t be restored"));
                        if (!r.failures.empty())
                            setFileActionError(ErrorText::failures(r.failures));
                        refreshAfterFileAction();
                        Q_EMIT fileActionEnded();
                    });
}

void SearchModel::undoOrRedo(bool redo) {
    if (m_desktop.isEditingText()) {
        m_desktop.undoTextEditing(redo);
        return;
    }
    undoFileAction(redo);
}

void SearchModel::pruneHits(const std::vector<std::string>& removed) {
    // One lookup per ancestor of each hit, not one comparison per hit and removed item: a
    // file command on 20,000 selected hits must not hold the GUI thread.
    const std::unordered_set<std::string_view> gone(removed.begin(), removed.end());
    auto atOrUnderRemoved = [&gone](std::string_view path) {
        for (;;) {
            if (gone.count(path))
                return true;
            std::string_view up = parentOf(path);
            if (up.empty() || up == path)
                return false;
            path = up;
        }
    };
    std::vector<SearchHit> kept;
    if (!gone.empty()) {
        kept.reserve(m_hits.size());
        for (const SearchHit& hit : m_hits)
            if (!atOrUnderRemoved(hit.url))
                kept.push_back(hit);
        setHits(HitList::fromVector(std::move(kept)));
    }
    std::unordered_set<std::string_view> remaining;
    remaining.reserve(m_hits.size());
    for (const SearchHit& hit : m_hits)
        remaining.insert(hit.url);
    std::set<std::string> selection;
    for (const auto& url : m_selection)
        if (remaining.count(url))
            selection.insert(selection.end(), url);
    setSelection(std::move(selection));
}

void SearchModel::refreshAfterFileAction() {
    if (m_hasSearched && !criteriaChanged() && patternUsable())
        search();
}

} // namespace qb
