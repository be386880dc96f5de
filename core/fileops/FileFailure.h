#pragma once
// Why an item or a whole operation failed: a kind and its facts, for the interface to word in
// the user's language. The system's own description of an error number stays the system's.

#include "search/PatternError.h"
#include "search/RenameState.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qb {

struct FileFailure {
    enum class Kind {
        system,             // errnum says why
        insideItself,       // the destination is the item or lies inside it
        changedWhileMoving, // the item changed during a move across file systems
        replaced,           // removed or replaced since the operation being undone
        notEmpty,           // the folder to take back still holds items
        noTrash,            // no trash on the item's volume can take it
        archiveFailed,      // detail: the archiver's error output
        badName,            // detail: a name a batch rename would give
        sameName,           // detail: a name two items of a batch would get
        inTrash,            // a batch rename of items inside a trash
        leftAtTemporary,    // detail: the temporary name the item was left under
        keptNames,          // names: the first items that kept their names; count: all of them
        renameProblem,      // state: why a planned new name cannot be used
        renamePattern,      // pattern: the rename's pattern or replacement is faulty
    };
    Kind kind = Kind::system;
    std::string path{}; // the item it is about; empty when the whole operation failed
    int errnum = 0;
    std::string detail{};
    std::vector<std::string> names{};
    size_t count = 0;
    RenameState state = RenameState::unchanged;
    PatternError pattern{};
    // After a failed copy: the partial copy that could not be removed, and why.
    std::string leftover{};
    int leftoverErrnum = 0;
    bool operator==(const FileFailure&) const = default;
};

// The failure in English: the item's name, ": " and the reason, or the reason alone when the
// whole operation failed. The command-line finder prints these; the window words its own.
std::string englishText(const FileFailure& failure);
std::vector<std::string> englishTexts(const std::vector<FileFailure>& failures);

} // namespace qb
