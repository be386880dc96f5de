#pragma once
// The values a file operation returns: what disappeared, what appeared, what failed, and the
// steps that reverse what succeeded.

#include "FileFailure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qb {

// Proof that an item is still the one an operation left behind.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

struct FileUndoStep {
    struct Move {
        std::string to;
        bool operator==(const Move&) const = default;
    };
    struct Trash {
        bool emptyOnly = false;
        bool operator==(const Trash&) const = default;
    };
    // One item of a batch rename: its new name in its own folder. Neighbouring Rename steps
    // are replayed together, so that swaps and cycles can be reversed.
    struct Rename {
        std::string name;
        bool operator==(const Rename&) const = default;
    };
    using Action = std::variant<Move, Trash, Rename>;

    std::string source;                   // where the item is now
    std::optional<FileIdentity> identity; // captured right after the operation
    Action action;
    bool operator==(const FileUndoStep&) const = default;
};

struct FileActionResult {
    std::vector<std::string> removed;
    std::vector<std::string> created;
    std::vector<FileFailure> failures; // in processing order; empty: complete success
    std::vector<FileUndoStep> undo;
    std::vector<FileUndoStep> remainingUndo;
    bool operator==(const FileActionResult&) const = default;
};

} // namespace qb
