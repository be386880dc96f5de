#pragma once
// The batch renamer shared by renameAll and the replay of its undo steps.

#include "FileActions.h"

#include <optional>
#include <string>
#include <vector>

namespace qb::FileActions::detail {

struct RenameJob {
    std::string folder; // where the item is when the batch starts
    std::string oldName;
    std::string newName;
    std::optional<FileIdentity> expected; // replays only: the item must still be this one
};

struct RenameOutcome {
    std::vector<size_t> renamed;                         // jobs, in the order they were carried out
    std::vector<std::string> paths;                      // per job: where it is at the end
    std::vector<std::optional<FileIdentity>> identities; // per renamed job
    std::vector<size_t> kept;                            // jobs left under their old names
    std::vector<FileFailure> failures;                   // empty when all were renamed
};

RenameOutcome runRenames(const std::vector<RenameJob>& jobs, const RenameCall& call);

} // namespace qb::FileActions::detail

namespace qb::FileActions {
// Replays a run of Rename steps as one batch, adding to r as undo does.
void replayRenames(const FileUndoStep* begin, const FileUndoStep* end, const RenameCall& call,
                   FileActionResult& r);
} // namespace qb::FileActions
