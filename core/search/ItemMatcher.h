#pragma once
// Matches the items of a walk, one by one, and builds the hits: the work done for every item.
// One per thread; it can serve several walks in turn.

#include "DirectoryWalker.h"
#include "LiteralPrefilter.h"
#include "RegexMatcher.h"
#include "SearchEngine.h"
#include "SearchRecords.h"

#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace qb {

struct ItemMatchSettings {
    bool fullPath = false;
    bool caseSensitive = false;
    bool attributes = true;       // kind, size, date and type of each hit
    bool nameKeys = true;         // the collation key of each hit's name
    bool literalPrefilter = true; // names lacking the pattern's literal text skip ICU
    std::chrono::steady_clock::duration itemBudget = SearchEngine::kItemBudget;
};

class ItemMatcher {
public:
    ItemMatcher(const std::string& pattern, const ItemMatchSettings& settings);

    bool valid() const { return m_regex.valid(); }
    const PatternError& error() const { return m_regex.error(); }

    struct Result {
        bool matched = false;
        bool interrupted = false; // the matching budget ran out, or a stop was requested
    };
    // Matches the walker's current item; when it matched, makeHit builds its hit.
    Result match(const DirectoryWalker& walker, const std::stop_token& stop);
    SearchHit makeHit(const DirectoryWalker& walker) const;

private:
    ItemMatchSettings m_settings;
    RegexMatcher m_regex;
    std::optional<LiteralPrefilter> m_prefilter;
    std::u16string m_text;
    std::u16string m_folderText; // decoded parent path, reused while the folder stays the same
    uint64_t m_folderGeneration = ~uint64_t(0);
    int64_t m_offset = 0;
    std::vector<RawRange> m_raw;
};

} // namespace qb
