#include "search/LiteralPrefilter.h"
#include "search/PathText.h"
#include "search/RegexMatcher.h"

#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

using namespace qb;

namespace {

using Literals = std::vector<std::string>;

Literals literalsOf(const std::string& pattern, bool caseSensitive) {
    auto filter = LiteralPrefilter::fromPattern(pattern, caseSensitive);
    return filter ? filter->literals() : Literals{};
}

std::string utf8(char32_t c) {
    UChar units[2];
    int32_t n = 0;
    U16_APPEND_UNSAFE(units, n, c);
    char out[8];
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(out, sizeof out, &length, units, n, &status);
    return std::string(out, size_t(length));
}

} // namespace

TEST(Prefilter, LiteralsReadFromPatterns) {
    struct Case {
        const char* pattern;
        bool caseSensitive;
        Literals expected; // empty: no prefilter
    };
    const Case cases[] = {
        {"plan_2011_99", false, {"plan_2011_99"}},
        {"Report", false, {"report"}},
        {"Report", true, {"Report"}},
        {"\\.pdf$", false, {".pdf"}},
        {"colou?r", false, {"colo"}},
        {"ab+c", false, {"ab"}},
        {"a{3}b", false, {"aaab"}},
        {"x(abc)+y", false, {"xabc"}},
        {"(foo|bar)baz", false, {"baz"}},
        {"foo|barx", false, {"foo", "barx"}},
        {"(?:report|invoice)s?", false, {"report", "invoice"}},
        {"\\Qa.b*\\E", false, {"a.b*"}},
        {"\\Qab\\E+c", false, {"ab"}},
        {"(?=abc)d", false, {"d"}},
        {"(?<name>abc)\\k<name>", false, {"abc"}},
        {"caf\u00E9", false, {"caf"}},
        {"caf\u00E9", true, {"caf\u00E9"}},
        {"[a-z]+\\d{2}xy", false, {"xy"}},
        {"\\x41bc", false, {"bc"}},
        {"zebra", false, {"zebra"}},
        // Nothing is promised, or the syntax is not read: every name goes to ICU.
        {"x*", false, {}},
        {"foo|.*", false, {}},
        {"(?i)abc", true, {}},
        {"a(?x) b", false, {}},
        {"[]a]bcd", false, {}},
        {"\\\u00E9x", false, {}},
        {"\uFFFD", true, {}},
        {"(abc)?", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(literalsOf(c.pattern, c.caseSensitive), c.expected);
    }
}

// Case-insensitively, a character whose case folding holds an ASCII letter must send its
// text to ICU whenever the literal has that letter; checked against ICU's folding of every
// code point.
TEST(Prefilter, EveryCharacterFoldingOntoTheLiteralGoesToIcu) {
    std::map<char16_t, LiteralPrefilter> filters;
    int hazards = 0;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        UChar in[2], out[16];
        int32_t n = 0;
        U16_APPEND_UNSAFE(in, n, c);
        UErrorCode status = U_ZERO_ERROR;
        int32_t length = u_strFoldCase(out, 16, in, n, U_FOLD_CASE_DEFAULT, &status);
        bool hazard = false;
        for (int32_t i = 0; i < length; ++i) {
            if (out[i] >= 0x80)
                continue;
            hazard = true;
            auto filter = filters.find(out[i]);
            if (filter == filters.end()) {
                std::string pattern = std::string("\\Q") + char(out[i]) + "\\E";
                filter =
                    filters.emplace(out[i], *LiteralPrefilter::fromPattern(pattern, false)).first;
            }
            ASSERT_TRUE(filter->second.mayMatch("-" + utf8(c) + "-")) << std::hex << uint32_t(c);
        }
        hazards += hazard;
    }
    EXPECT_GT(hazards, 10);
}

// The literal is found wherever it lies in texts short and long, in any letter case, and a
// text differing from it in one byte is rejected.
TEST(Prefilter, FindsTheLiteralAtEveryPosition) {
    for (bool caseSensitive : {false, true}) {
        for (std::string literal : {"q", "zebra", "0123456789abcdefXYZ"}) {
            auto filter = LiteralPrefilter::fromPattern(literal, caseSensitive);
            ASSERT_TRUE(filter);
            for (size_t length = literal.size(); length < 50; ++length) {
                for (size_t at = 0; at + literal.size() <= length; ++at) {
                    std::string text(length, '-');
                    text.replace(at, literal.size(), literal);
                    SCOPED_TRACE(text);
                    ASSERT_TRUE(filter->mayMatch(text));
                    std::string upper = text;
                    for (char& c : upper)
                        c = char(std::toupper(static_cast<unsigned char>(c)));
                    bool hasLetters = upper != text;
                    ASSERT_EQ(filter->mayMatch(upper), !caseSensitive || !hasLetters);
                    for (size_t k : {size_t(0), literal.size() / 2, literal.size() - 1}) {
                        std::string broken = text;
                        broken[at + k] = '-';
                        ASSERT_FALSE(filter->mayMatch(broken));
                    }
                }
            }
        }
    }
}

namespace {

// A random piece of an ICU expression together with a text it matches.
struct Piece {
    std::string pattern;
    std::string sample;
};

class PatternMaker {
public:
    explicit PatternMaker(uint32_t seed) : m_rng(seed) {}

    Piece top() {
        m_groups = 0;
        Piece p = sequence(0);
        if (pick(6) == 0) {
            Piece q = sequence(1);
            p = {p.pattern + "|" + q.pattern, pick(2) ? p.sample : q.sample};
        }
        return p;
    }

    // Names made around a sample, with letter case changed and letters swapped for
    // characters that fold onto them, and some noise that may not decode.
    std::string name(const std::string& sample) {
        std::string out = noise();
        if (pick(4) != 0)
            out += disguise(sample);
        out += noise();
        return out;
    }

    unsigned pick(unsigned n) { return unsigned(m_rng() % n); }

private:
    Piece sequence(int depth) {
        Piece p;
        unsigned n = 1 + pick(4);
        for (unsigned i = 0; i < n; ++i) {
            Piece q = quantified(depth);
            p.pattern += q.pattern;
            p.sample += q.sample;
        }
        return p;
    }

    Piece quantified(int depth) {
        Piece a = atom(depth);
        static const char* const quantifiers[] = {"?",     "*",  "+",  "{2}",  "{1,3}",
                                                  "{0,2}", "+?", "*+", "{2,}", "??"};
        if (pick(4) != 0 || a.pattern.empty())
            return a;
        std::string q = quantifiers[pick(10)];
        unsigned times = q[0] == '{' ? unsigned(q[1] - '0') : q[0] == '+' ? 1 + pick(2) : pick(2);
        std::string sample;
        for (unsigned i = 0; i < times; ++i)
            sample += a.sample;
        return {a.pattern + q, sample};
    }

    std::string literalText() {
        static const char* const chars[] = {
            "a",          "b",      "k",      "s",      "f",      "i",      "I",      "K",
            "S",          "F",      "x",      "1",      "2",      "_",      " ",      "-",
            "\u00E9",     "\u00DF", "\u017F", "\u212A", "\u0130", "\u0131", "\uFB01", "\u01F0",
            "\U0001F600", "\u4E1C", "%",      "#",      "&"};
        std::string s;
        unsigned n = 1 + pick(3);
        for (unsigned i = 0; i < n; ++i)
            s += chars[pick(sizeof chars / sizeof *chars)];
        return s;
    }

    Piece atom(int depth) {
        switch (pick(depth < 2 ? 24 : 18)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: {
            std::string s = literalText();
            return {s, s};
        }
        case 6:
            return {"\\.", "."};
        case 7:
            return {".", "q"};
        case 8: {
            static const Piece classes[] = {
                {"[a-k]", "c"},     {"[^x]", "y"},        {"[[:alpha:]]", "q"},
                {"[\\]x]", "]"},    {"[a-z&&[^b]]", "c"}, {"\\d", "5"},
                {"\\w", "w"},       {"\\s", " "},         {"\\p{L}", "\u00E9"},
                {"[\u00DFk]", "K"}, {"\\pL", "z"},        {"[\\p{Lu}\\d]", "Q"},
            };
            return classes[pick(12)];
        }
        case 9: {
            static const Piece escapes[] = {
                {"\\x41", "A"},
                {"\\x{6B}", "k"},
                {"\\u0073", "s"},
                {"\\N{LATIN SMALL LETTER A}", "a"},
                {"\\t", "\t"},
                {"\\-", "-"},
                {"\\x{1F600}", "\U0001F600"},
                {"\\%", "%"},
                {"\\ ", " "},
            };
            return escapes[pick(9)];
        }
        case 10: {
            std::string s = literalText() + (pick(2) ? ".*" : "+(");
            return {"\\Q" + s + "\\E", s};
        }
        case 11:
            return {pick(2) ? "^" : "$", ""};
        case 12:
            return {"\\b", ""};
        case 13: {
            std::string s = literalText();
            return {"(?=" + s + ")", ""};
        }
        case 14: {
            std::string s = literalText();
            return {pick(2) ? "(?<=" + s + ")" : "(?<!" + s + ")", ""};
        }
        case 15:
            return {pick(2) ? "(?i)" : "(?-i)", ""};
        case 16: {
            std::string s = literalText();
            return {"[" + s + "]", s.substr(0, 1)};
        }
        case 17:
            return {"\\", ""}; // broken on purpose, or escaping what follows
        default: {
            static const char* const openers[] = {"(", "(?:", "(?>", "(?<g"};
            unsigned kind = pick(4);
            std::string open = openers[kind];
            if (kind == 3)
                open += std::to_string(m_groups++) + ">";
            Piece a = sequence(depth + 1);
            if (pick(3) == 0) {
                Piece b = sequence(depth + 1);
                return {open + a.pattern + "|" + b.pattern + ")", pick(2) ? a.sample : b.sample};
            }
            if (kind != 1 && kind != 2 && pick(4) == 0)
                return {open + a.pattern + ")\\1", a.sample + a.sample};
            return {open + a.pattern + ")", a.sample};
        }
        }
    }

    std::string noise() {
        static const char* const chars[] = {
            "a", "Z", "9", ".", " ", "\u00E9", "\xFF", "\xC3", "\xED\xA0\x80", "\u0131", "/"};
        std::string s;
        unsigned n = pick(3) == 0 ? 6 + pick(30) : pick(5); // long ones reach the block search
        for (unsigned i = 0; i < n; ++i)
            s += chars[pick(11)];
        return s;
    }

    std::string disguise(const std::string& s) {
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            char c = s[i];
            unsigned r = pick(8);
            if (r == 0 && (c == 'k' || c == 'K')) {
                out += "\u212A";
            } else if (r == 0 && (c == 's' || c == 'S')) {
                out += i + 1 < s.size() && (s[i + 1] | 0x20) == 's' ? (++i, "\u00DF") : "\u017F";
            } else if (r == 0 && (c == 'f' || c == 'F') && i + 1 < s.size() &&
                       (s[i + 1] | 0x20) == 'i') {
                out += "\uFB01";
                ++i;
            } else if (r == 1 && c >= 'a' && c <= 'z') {
                out += char(c - 32);
            } else if (r == 1 && c >= 'A' && c <= 'Z') {
                out += char(c + 32);
            } else {
                out += c;
            }
        }
        return out;
    }

    std::mt19937 m_rng;
    int m_groups = 0;
};

} // namespace

// The prefilter may only reject texts ICU finds no match in: random patterns, names built to
// match them (in other letter cases, with folding look-alikes, with undecodable bytes), in
// name and full-path form, both case modes.
TEST(Prefilter, NeverRejectsWhatIcuMatches) {
    PatternMaker maker(20261207);
    std::stop_token noStop;
    int compiled = 0, filtered = 0, rejected = 0, icuMatches = 0;
    for (int round = 0; round < 3000; ++round) {
        Piece piece = maker.top();
        for (bool caseSensitive : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << "pattern " << piece.pattern << " case-sensitive " << caseSensitive);
            RegexMatcher matcher(piece.pattern, caseSensitive);
            if (!matcher.valid())
                continue;
            ++compiled;
            auto filter = LiteralPrefilter::fromPattern(piece.pattern, caseSensitive);
            if (!filter)
                continue;
            ++filtered;
            for (int n = 0; n < 12; ++n) {
                std::string name = maker.name(piece.sample);
                std::string folder = "/t" + maker.name(piece.sample) + "/d";
                std::string path = folder + "/" + name;
                for (bool fullPath : {false, true}) {
                    std::string_view text = fullPath ? std::string_view(path) : name;
                    bool may = fullPath ? filter->mayMatchPath(path, folder.size() + 1,
                                                               uint64_t(round * 100 + n))
                                        : filter->mayMatch(text);
                    if (fullPath) {
                        ASSERT_EQ(may, filter->mayMatch(path)) << path;
                    }
                    std::vector<RawRange> ranges;
                    auto result =
                        matcher.match(toUtf16(text), ranges, std::chrono::milliseconds(20), noStop);
                    if (result.interrupted)
                        continue;
                    icuMatches += result.matched;
                    rejected += !may;
                    ASSERT_TRUE(may || !result.matched) << "rejected a match: " << text;
                }
            }
        }
    }
    // The run must have exercised both sides.
    EXPECT_GT(compiled, 2500);
    EXPECT_GT(filtered, 1500);
    EXPECT_GT(icuMatches, 15000);
    EXPECT_GT(rejected, 10000);
}
