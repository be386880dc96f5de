#pragma once
// Safe primitives on byte paths: nothing is ever replaced, copies appear under their final
// name only when complete, removal never follows a link, and checks and actions go through
// the same held directory descriptor.

#include "FileActionRecords.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace qb::fs {

// An error number, or a fault of the program's own; and what a failed copy left behind.
struct Error {
    FileFailure::Kind kind = FileFailure::Kind::system;
    int errnum = 0;
    std::string leftover{}; // a partial copy that could not be removed
    int leftoverErrnum = 0; // why not
    explicit operator bool() const { return errnum != 0 || kind != FileFailure::Kind::system; }
    // The failure of the item at path (none: of the whole operation).
    FileFailure at(const std::string& path = {}) const;
    bool operator==(const Error&) const = default;
};

// The system's description of an error number ("File exists", "Permission denied").
std::string describe(int errnum);

std::optional<FileIdentity> identityOf(const std::string& path);
bool exists(const std::string& path);
bool isDirectory(const std::string& path); // not following a final link

// Moves an item without replacing anything at the target. Across file systems the item is
// copied and the source removed only after the copy succeeded. With expected set, the item
// must still have that identity when it is moved; otherwise identityMismatch is returned.
Error moveItem(const std::string& from, const std::string& to,
               const std::optional<FileIdentity>& expected = std::nullopt);
// Renames inside one held folder without replacing anything at the target, with the same
// fallback as moveItem where the file system lacks RENAME_NOREPLACE. 0, or -1 with errno set.
int renameInFolder(int folder, const char* from, const char* to);
// The identity of folder/name, not following a final link.
std::optional<FileIdentity> identityAt(int folder, const char* name);

// Copies recursively (links as links, special files recreated), never replacing the target.
Error copyItem(const std::string& from, const std::string& to);
Error removeTree(const std::string& path);
// Removes a tree this program made itself (a staging folder, a copy it must take back): its
// folders may have read-only modes copied from their sources, so they are made writable first.
Error removeCopy(const std::string& path);
// mode: of the last folder; missing parents are made with the usual 0777 less the umask.
Error makeDirectory(const std::string& path, bool parents, mode_t mode = 0777);
// Number of entries of a folder, hidden ones included.
std::optional<size_t> countEntries(const std::string& path, Error& error);
// The path with the links in it resolved; the path itself when that fails.
std::string resolvedPath(const std::string& path);
// Where an item really is: its folder with links resolved, plus its own name (a link itself
// stays the link).
std::string realLocation(const std::string& path);

std::string temporaryDirectory();
// $HOME, else the account's home folder, else "/".
std::string homeDirectory();
std::string randomUuid(); // canonical upper-case form
// The current local time in strftime format.
std::string localTimeText(const char* format);

inline const Error identityMismatch{FileFailure::Kind::replaced};
// A copy that would have to contain itself: the destination lies inside the item.
inline constexpr const char* kInsideItself = "Choose a destination outside the selected item.";
inline const Error insideItself{FileFailure::Kind::insideItself};
inline constexpr const char* kPartialCopyLeft =
    "A partial copy could not be removed and remains at";
inline constexpr const char* kChangedWhileMoving =
    "The item changed while it was being moved. Nothing was changed.";

} // namespace qb::fs
