#pragma once
// Named undo records and the rules for pushing them onto, and filing them back into, the
// undo and redo stacks.

#include "FileActionRecords.h"

#include <string>
#include <vector>

namespace qb {

struct FileUndoRecord {
    std::string title;
    std::vector<FileUndoStep> steps;
    bool operator==(const FileUndoRecord&) const = default;
};

using FileHistory = std::vector<FileUndoRecord>; // newest last

// The history title of a progress text: every "…" removed.
std::string historyTitle(const std::string& progressText);

// Records a finished operation: a non-empty undo list becomes a record on undo and clears
// redo; an empty one changes nothing. Returns whether a record was added.
bool recordOperation(FileHistory& undo, FileHistory& redo, const std::string& progressText,
                     const FileActionResult& result);

// Files the result of replaying record (already taken off its stack): the steps that could
// not be replayed go back where the record came from, the inverse steps onto the other stack.
void fileReplay(FileHistory& undo, FileHistory& redo, const FileUndoRecord& record, bool redoing,
                const FileActionResult& result);

} // namespace qb
