#pragma once
// The stateless worker that changes the file system on the user's behalf. Every operation is
// synchronous, never throws, and says what it did in a FileActionResult. Call it off the
// interface thread.

#include "Archiver.h"
#include "FileActionRecords.h"
#include "FileSystem.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qb::FileActions {

inline constexpr const char* kOutsideSelection = fs::kInsideItself;
inline constexpr const char* kArchiveFailed = "The archive could not be created. ";
inline constexpr const char* kReplaced =
    "The item has been removed or replaced since the operation. Nothing was changed.";
inline constexpr const char* kNotEmpty =
    "This folder still contains items. Move them out before undoing folder creation.";

FileActionResult move(const std::vector<std::string>& items, const std::string& destination,
                      bool copy);
FileActionResult trash(const std::vector<std::string>& items);
FileActionResult duplicate(const std::vector<std::string>& items);
FileActionResult newFolder(const std::string& folder, const std::vector<std::string>& items);
// archiver: the zip program to run (tests give one that fails).
FileActionResult compress(const std::vector<std::string>& items, const std::string& destination,
                          const char* archiver = kZipProgram);
FileActionResult rename(const std::string& item, const std::string& target);

struct RenameRequest {
    std::string item; // absolute path
    std::string name; // new name in the item's own folder
};
// The rename itself, inside one open folder: 0, or -1 with errno (tests make it fail).
using RenameCall = std::function<int(int folder, const char* from, const char* to)>;
// Renames a batch as one operation. Chains and cycles inside a folder go through temporary
// names in that folder; nothing is replaced. The first failure stops the batch, and every
// item is then under its old or its new name. The undo steps reverse the batch as one.
FileActionResult renameAll(const std::vector<RenameRequest>& requests, const RenameCall& call = {});
inline constexpr const char* kKeptNames = "These items kept their names: ";
inline constexpr const char* kInTrash = "Items in the trash can’t be renamed together.";
inline constexpr const char* kSameName = "Two items would get the same name: ";
inline constexpr const char* kBadName = "Not a valid name: ";
inline constexpr const char* kLeftAtTemporary =
    "The item could not be given back its name and is now called ";
// Replays recorded steps after checking each item is still the one recorded.
FileActionResult undo(const std::vector<FileUndoStep>& steps, const RenameCall& call = {});

// The items to act on: standardised, without duplicates, sorted, and without items inside
// a selected folder.
std::vector<std::string> roots(const std::vector<std::string>& items);
// The candidate, or the first free "name N.ext" variant of it.
std::string unique(const std::string& candidate);
bool exists(const std::string& item);
std::optional<FileIdentity> identity(const std::string& item);

// Name without extension, and extension (empty when none; a leading dot does not count).
std::pair<std::string, std::string> splitExtension(const std::string& name);

} // namespace qb::FileActions
