#include "LiteralPrefilter.h"

#include "RequiredLiterals.h"

#include <algorithm>
#include <cstring>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qb {
namespace {

struct FoldingHazards {
    std::vector<char32_t> characters; // sorted
    bool lead[256] = {};              // UTF-8 lead bytes that can start one of them

    FoldingHazards() {
        // A character whose folding differs from it changes under some case mapping; a test
        // checks this against the folding of every code point.
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeSet cased;
        cased.applyIntPropertyValue(UCHAR_CHANGES_WHEN_CASEMAPPED, 1, status);
        for (int32_t r = 0; r < cased.getRangeCount(); ++r) {
            for (UChar32 c = std::max<UChar32>(cased.getRangeStart(r), 0x80);
                 c <= cased.getRangeEnd(r); ++c) {
                UChar in[2];
                int32_t n = 0;
                U16_APPEND_UNSAFE(in, n, c);
                UChar out[16];
                UErrorCode s = U_ZERO_ERROR;
                int32_t len = u_strFoldCase(out, 16, in, n, U_FOLD_CASE_DEFAULT, &s);
                if (U_FAILURE(s) || std::any_of(out, out + len, [](UChar u) { return u < 0x80; }))
                    add(char32_t(c));
            }
        }
        std::sort(characters.begin(), characters.end());
    }

    void add(char32_t c) {
        characters.push_back(c);
        unsigned char first = c < 0x800     ? 0xC0 | (c >> 6)
                              : c < 0x10000 ? 0xE0 | (c >> 12)
                                            : 0xF0 | (c >> 18);
        lead[first] = true;
    }

    bool in(std::string_view text) const {
        const auto* s = reinterpret_cast<const unsigned char*>(text.data());
        const size_t n = text.size();
        for (size_t i = 0; i < n; ++i) {
            if (!lead[s[i]])
                continue;
            // Only a well-formed sequence decodes to the character itself.
            unsigned char c = s[i];
            size_t need = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
            if (i + need >= n)
                continue;
            char32_t cp = c & (0x3F >> need);
            bool ok = true;
            for (size_t k = 1; k <= need; ++k) {
                if ((s[i + k] & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (s[i + k] & 0x3F);
            }
            if (ok && std::binary_search(characters.begin(), characters.end(), cp))
                return true;
        }
        return false;
    }
};

// Worked out on the first text that is not all ASCII.
bool holdsFoldingHazard(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }))
        return false;
    static const FoldingHazards hazards;
    return hazards.in(text);
}

unsigned char lowerAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

bool equalFolded(const unsigned char* s, std::string_view lower) {
    for (size_t k = 1; k < lower.size(); ++k)
        if (lowerAscii(s[k]) != static_cast<unsigned char>(lower[k]))
            return false;
    return true;
}

// Whether text holds `lower` (lower-case ASCII), ignoring ASCII letter case.
bool containsCaseless(std::string_view text, std::string_view lower) {
    const size_t m = lower.size(), n = text.size();
    if (m > n)
        return false;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const auto first = static_cast<unsigned char>(lower[0]);
    const bool letter = first >= 'a' && first <= 'z';
    const size_t last = n - m; // the last start position
    size_t i = 0;
#ifdef __SSE2__
    // Sixteen start positions at a time: setting bit 5 folds a capital onto its small letter.
    const __m128i want = _mm_set1_epi8(char(first));
    const __m128i fold = _mm_set1_epi8(letter ? 0x20 : 0);
    for (; i + 16 <= last + 1; i += 16) {
        __m128i v = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), fold);
        unsigned bits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, want)));
        while (bits) {
            size_t j = i + size_t(__builtin_ctz(bits));
            if (equalFolded(s + j, lower))
                return true;
            bits &= bits - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if ((letter ? (s[i] | 0x20) : s[i]) == first && equalFolded(s + i, lower))
            return true;
    return false;
}

} // namespace

std::optional<LiteralPrefilter> LiteralPrefilter::fromPattern(std::string_view pattern,
                                                              bool caseSensitive) {
    std::vector<std::string> literals = requiredLiterals(pattern, caseSensitive);
    if (literals.empty())
        return std::nullopt;
    LiteralPrefilter filter;
    filter.m_literals = std::move(literals);
    filter.m_caseSensitive = caseSensitive;
    for (const auto& l : filter.m_literals)
        filter.m_longest = std::max(filter.m_longest, l.size());
    return filter;
}

bool LiteralPrefilter::containsLiteral(std::string_view text) const {
    for (const auto& l : m_literals) {
        if (m_caseSensitive ? ::memmem(text.data(), text.size(), l.data(), l.size()) != nullptr
                            : containsCaseless(text, l))
            return true;
    }
    return false;
}

bool LiteralPrefilter::mayMatch(std::string_view text) const {
    if (containsLiteral(text))
        return true;
    return !m_caseSensitive && holdsFoldingHazard(text);
}

bool LiteralPrefilter::mayMatchPath(std::string_view path, size_t nameOffset, uint64_t generation) {
    if (generation != m_folderGeneration) {
        m_folderGeneration = generation;
        m_folderMayMatch = mayMatch(path.substr(0, nameOffset));
    }
    if (m_folderMayMatch)
        return true;
    // A literal found neither in the folder part nor the name may still span the two.
    size_t overlap = std::min(nameOffset, m_longest - 1);
    if (containsLiteral(path.substr(nameOffset - overlap)))
        return true;
    return !m_caseSensitive && holdsFoldingHazard(path.substr(nameOffset));
}

} // namespace qb
