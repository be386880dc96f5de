#pragma once
// The freedesktop.org trash on byte paths: the home trash for items on its device, the
// volume's own trash otherwise, with info files kept in step when items move in and out.

#include "FileActionRecords.h"
#include "FileSystem.h"

#include <optional>
#include <string>

namespace qb::trash {

struct Outcome {
    fs::Error error;
    std::string location; // files/NAME inside the trash that took the item
};

// Moves the item into a trash, writing its info file first. With expected set, the item must
// still have that identity. The item is never deleted instead: when no trash can take it,
// it stays where it is and the outcome carries the reason.
Outcome moveToTrash(const std::string& path,
                    const std::optional<FileIdentity>& expected = std::nullopt);

// A place inside a trash's files/ folder.
struct Slot {
    std::string trashDir; // holds files/ and info/
    std::string topDir;   // volume root for a volume trash; empty for the home trash
    std::string name;
    std::string infoPath() const { return trashDir + "/info/" + name + ".trashinfo"; }
};
std::optional<Slot> slotOf(const std::string& path);

// What an info file records: where the item came from, and when it was trashed (empty: now).
struct Info {
    std::string originalPath; // absolute
    std::string deletionDate;
};

// Writes the info file for an item about to move into slot (exclusive create).
fs::Error writeInfo(const Slot& slot, const Info& info);
std::optional<Info> readInfo(const Slot& slot);
void removeInfo(const Slot& slot);
// The record an item carries into a trash: its own info when it is already in one, else where
// it is now.
Info carriedInfo(const std::string& path);
// Where a trash restores items that never lived elsewhere: the volume's top folder, or the
// home folder for the home trash.
std::string restoreFolder(const Slot& slot);

// The home trash folder ($XDG_DATA_HOME/Trash).
std::string homeTrash();
// Path= text: every byte outside the unreserved set and "/" percent-encoded.
std::string encodeInfoPath(const std::string& path);

inline constexpr const char* kNoTrash = "There is no trash on this item’s volume that can take it.";

} // namespace qb::trash
