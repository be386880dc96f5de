#pragma once
// What a planned rename would do with one item, or why it cannot.

namespace qb {

enum class RenameState {
    unchanged,
    renamed,
    // Problems: a batch with any of these is not carried out.
    empty,
    dotName,   // "." or ".."
    separator, // holds "/" or a NUL
    tooLong,
    exists,      // already in the folder and not renamed away by this batch
    duplicate,   // two items of the batch get the same path
    interrupted, // the pattern ran out of time on this name
};

bool isProblem(RenameState state);
// The state in English words, as the command-line finder prints it.
const char* describe(RenameState state);

} // namespace qb
