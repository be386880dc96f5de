#include "FileUndoRecord.h"

namespace qb {

std::string historyTitle(const std::string& progressText) {
    static const std::string ellipsis = "\u2026";
    std::string out = progressText;
    for (size_t at; (at = out.find(ellipsis)) != std::string::npos;)
        out.erase(at, ellipsis.size());
    return out;
}

bool recordOperation(FileHistory& undo, FileHistory& redo, const std::string& progressText,
                     const FileActionResult& result) {
    if (result.undo.empty())
        return false;
    undo.push_back({historyTitle(progressText), result.undo});
    redo.clear();
    return true;
}

void fileReplay(FileHistory& undo, FileHistory& redo, const FileUndoRecord& record, bool redoing,
                const FileActionResult& result) {
    FileHistory& same = redoing ? redo : undo;
    FileHistory& other = redoing ? undo : redo;
    if (!result.remainingUndo.empty())
        same.push_back({record.title, result.remainingUndo});
    if (!result.undo.empty())
        other.push_back({record.title, result.undo});
}

} // namespace qb
