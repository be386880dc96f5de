#include "LiteralPrefilter.h"

#include "RequiredLiterals.h"

#include <algorithm>
#include <cstring>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qb {
namespace {

struct FoldingHazard {
    std::string utf8;  // the character
    std::string ascii; // the ASCII characters of its case folding, lower case
};

// Characters outside ASCII whose case folding holds ASCII (U+017F, U+212A, U+00DF, the
// ligatures, ...): case-insensitively they can match ASCII pattern text. Worked out from
// ICU's own data once per process.
const std::vector<FoldingHazard>& foldingHazards() {
    static const std::vector<FoldingHazard> hazards = [] {
        std::vector<FoldingHazard> out;
        // A character whose folding differs from it changes under some case mapping; a test
        // checks this against the folding of every code point.
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeSet cased;
        cased.applyIntPropertyValue(UCHAR_CHANGES_WHEN_CASEMAPPED, 1, status);
        for (int32_t r = 0; r < cased.getRangeCount(); ++r) {
            for (UChar32 c = std::max<UChar32>(cased.getRangeStart(r), 0x80);
                 c <= cased.getRangeEnd(r); ++c) {
                UChar in[2], folded[16];
                int32_t n = 0;
                U16_APPEND_UNSAFE(in, n, c);
                UErrorCode s = U_ZERO_ERROR;
                int32_t length = u_strFoldCase(folded, 16, in, n, U_FOLD_CASE_DEFAULT, &s);
                FoldingHazard h;
                for (int32_t i = 0; U_SUCCESS(s) && i < length; ++i)
                    if (folded[i] < 0x80)
                        h.ascii.push_back(char(folded[i]));
                if (h.ascii.empty())
                    continue;
                char utf8[4];
                int32_t k = 0;
                U8_APPEND_UNSAFE(utf8, k, c);
                h.utf8.assign(utf8, size_t(k));
                out.push_back(std::move(h));
            }
        }
        return out;
    }();
    return hazards;
}

bool allAscii(std::string_view text) {
    uint64_t seen = 0;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        seen |= word;
    }
    for (; i < text.size(); ++i)
        seen |= static_cast<unsigned char>(text[i]);
    return (seen & 0x8080808080808080ull) == 0;
}

unsigned char lowerAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

bool equalAt(const unsigned char* s, std::string_view literal, bool caseless) {
    if (!caseless)
        return std::memcmp(s, literal.data(), literal.size()) == 0;
    for (size_t k = 0; k < literal.size(); ++k)
        if (lowerAscii(s[k]) != static_cast<unsigned char>(literal[k]))
            return false;
    return true;
}

// Whether text holds the literal (lower-case ASCII when caseless, which then ignores ASCII
// letter case).
bool contains(std::string_view text, std::string_view literal, bool caseless) {
    const size_t m = literal.size(), n = text.size();
    if (m > n)
        return false;
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t positions = n - m + 1;
#ifdef __SSE2__
    // A short text is searched in a zero-padded copy, so that blocks can be read whole.
    unsigned char padded[32];
    if (n < 16) {
        std::memset(padded, 0, sizeof padded);
        std::memcpy(padded, s, n);
        s = padded;
    }
    {
        // The literal's first and last bytes are compared at sixteen start positions at once,
        // the whole literal only where both agree. Setting bit 5 folds a capital onto its
        // small letter.
        auto byteAt = [&](size_t k) { return static_cast<unsigned char>(literal[k]); };
        auto foldFor = [&](unsigned char c) {
            return _mm_set1_epi8(caseless && c >= 'a' && c <= 'z' ? 0x20 : 0);
        };
        const __m128i first = _mm_set1_epi8(char(byteAt(0)));
        const __m128i last = _mm_set1_epi8(char(byteAt(m - 1)));
        const __m128i foldFirst = foldFor(byteAt(0)), foldLast = foldFor(byteAt(m - 1));
        auto load = [](const unsigned char* p) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        };
        auto candidates = [&](size_t start, bool withLast) {
            __m128i a = _mm_or_si128(load(s + start), foldFirst);
            unsigned bits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(a, first)));
            if (withLast) {
                __m128i b = _mm_or_si128(load(s + start + m - 1), foldLast);
                bits &= unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(b, last)));
            }
            return bits;
        };
        auto verify = [&](size_t start, unsigned bits) {
            for (; bits; bits &= bits - 1)
                if (equalAt(s + start + size_t(__builtin_ctz(bits)), literal, caseless))
                    return true;
            return false;
        };
        size_t i = 0;
        for (; i + 16 <= positions; i += 16)
            if (verify(i, candidates(i, true)))
                return true;
        if (i == positions)
            return false;
        // The remaining positions: a last block overlapping the previous one, or, when there
        // are fewer than sixteen in all, the first block with the rest masked off (in a long
        // text its last bytes do not reach a second block).
        if (positions >= 16)
            return verify(positions - 16, candidates(positions - 16, true));
        return verify(0, candidates(0, s == padded) & ((1u << positions) - 1));
    }
#endif
    for (size_t i = 0; i < positions; ++i)
        if (equalAt(s + i, literal, caseless))
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
    // Only characters folding onto letters of the literals can stand in for them.
    if (!caseSensitive) {
        for (const FoldingHazard& h : foldingHazards()) {
            bool related = std::any_of(filter.m_literals.begin(), filter.m_literals.end(),
                                       [&](const std::string& l) {
                                           return l.find_first_of(h.ascii) != std::string::npos;
                                       });
            if (related)
                filter.m_foldingHazards.push_back(h.utf8);
        }
    }
    return filter;
}

bool LiteralPrefilter::containsLiteral(std::string_view text) const {
    for (const auto& l : m_literals)
        if (contains(text, l, !m_caseSensitive))
            return true;
    return false;
}

bool LiteralPrefilter::holdsFoldingHazard(std::string_view text) const {
    if (m_foldingHazards.empty() || allAscii(text))
        return false;
    for (const auto& h : m_foldingHazards)
        if (contains(text, h, false))
            return true;
    return false;
}

bool LiteralPrefilter::mayMatch(std::string_view text) const {
    return containsLiteral(text) || holdsFoldingHazard(text);
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
    return containsLiteral(path.substr(nameOffset - overlap)) ||
           holdsFoldingHazard(path.substr(nameOffset));
}

} // namespace qb
