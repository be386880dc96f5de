#pragma once
// Rejects a name lacking the literal text every match of the pattern contains with a byte
// search, before the name is decoded or given to ICU. It never rejects a text the expression
// would match: case-insensitively, texts holding a character that folds onto ASCII (such as
// U+017F or U+212A) always go to ICU.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

class LiteralPrefilter {
public:
    // Nothing when the pattern promises no literal text (or uses syntax this does not read).
    static std::optional<LiteralPrefilter> fromPattern(std::string_view pattern,
                                                       bool caseSensitive);

    // The texts one of which every match contains: UTF-8 bytes, or lower-case ASCII when
    // matching ignores case.
    const std::vector<std::string>& literals() const { return m_literals; }

    // False only when the UTF-8 text (decoded as the matcher decodes it) cannot match.
    bool mayMatch(std::string_view text) const;
    // The same for a whole path whose name starts at nameOffset; the answer for the folder
    // part is kept while generation stays the same.
    bool mayMatchPath(std::string_view path, size_t nameOffset, uint64_t generation);

private:
    LiteralPrefilter() = default;
    bool containsLiteral(std::string_view text) const;
    bool holdsFoldingHazard(std::string_view text) const;

    std::vector<std::string> m_literals;
    // Characters (UTF-8) that ignoring case can match a letter of the literals.
    std::vector<std::string> m_foldingHazards;
    size_t m_longest = 0;
    bool m_caseSensitive = true;
    uint64_t m_folderGeneration = ~uint64_t(0);
    bool m_folderMayMatch = false;
};

} // namespace qb
