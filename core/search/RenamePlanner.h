#pragma once
// Turns a find pattern and an ICU replacement into new names for a batch of items, and says
// which new names cannot be used. Bytes outside the replaced ranges are kept as they are, so
// a name that is not UTF-8 keeps its undecodable bytes.

#include "PatternError.h"
#include "RenameState.h"
#include "SearchRecords.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace qb {

struct RenameRules {
    std::string pattern;     // ICU regular expression, matched against names only
    std::string replacement; // ICU replacement: $1, ${name}, $0, \$ for a dollar sign
    bool caseSensitive = true;
    bool replaceAll = true; // otherwise only the first match of each name
};

struct PlannedRename {
    std::string item;    // absolute path
    std::string newName; // bytes of the new last component
    RenameState state = RenameState::unchanged;
    // Inserted text in the new name, in UTF-16 units of its decoded form, for emphasis as the
    // results emphasise matched text.
    std::vector<NameRange> changed;
};

struct RenamePlan {
    std::optional<PatternError> error; // the pattern's or the replacement's fault
    std::vector<PlannedRename> rows;
    size_t renamed = 0;
    size_t problems = 0;
    bool stopped = false; // the stop token fired; the rows are incomplete
    // Something to do and nothing in the way.
    bool usable() const { return !error && !stopped && problems == 0 && renamed > 0; }
};

inline constexpr size_t kMaxNameBytes = 255;

// Whether something is at a path, not following a final link; tests pass a fake.
using PathExists = std::function<bool(const std::string&)>;

// Plans the renames of items (absolute paths; repeated ones count once, in first order).
// Without exists, the file system is asked, listing a folder once where it gets many new names.
RenamePlan planRenames(const RenameRules& rules, const std::vector<std::string>& items,
                       const PathExists& exists = {}, const std::stop_token& stop = {},
                       size_t maxNameBytes = kMaxNameBytes);

} // namespace qb
