#include "RequiredLiterals.h"

#include "PathText.h"

#include <algorithm>
#include <optional>
#include <unicode/utf16.h>

namespace qb {
namespace {

constexpr size_t kMaxLiteral = 64;
constexpr size_t kMaxAlternatives = 16;
constexpr unsigned kUnbounded = ~0u;

// One of these texts occurs in every match; empty when nothing is known.
using Literals = std::vector<std::string>;

// What the pattern reader knows about a piece of the expression.
struct Info {
    bool exact = false; // every match is exactly `prefix` (which then equals `suffix`)
    std::string prefix; // every match starts with it
    std::string suffix; // every match ends with it
    Literals required;  // every match contains one of them
};

size_t score(const Literals& l) {
    size_t shortest = l.empty() ? 0 : SIZE_MAX;
    for (const auto& s : l)
        shortest = std::min(shortest, s.size());
    return shortest;
}

void consider(Literals& best, Literals candidate) {
    size_t a = score(best), b = score(candidate);
    if (b > a || (b == a && b > 0 && candidate.size() < best.size()))
        best = std::move(candidate);
}

Literals bestOf(const Info& x) {
    Literals best = x.required;
    if (!x.prefix.empty())
        consider(best, {x.prefix});
    if (!x.suffix.empty())
        consider(best, {x.suffix});
    return best;
}

// Keeps literals short: any part of a required text is required too.
void clamp(Info& x) {
    if (x.prefix.size() > kMaxLiteral) {
        x.exact = false;
        x.prefix.resize(kMaxLiteral);
    }
    if (x.suffix.size() > kMaxLiteral) {
        x.exact = false;
        x.suffix.erase(0, x.suffix.size() - kMaxLiteral);
    }
}

Info exactly(std::string s) {
    Info x;
    x.exact = true;
    x.prefix = s;
    x.suffix = std::move(s);
    clamp(x);
    return x;
}

Info concat(const Info& a, const Info& b) {
    Info r;
    r.exact = a.exact && b.exact;
    r.prefix = a.exact ? a.prefix + b.prefix : a.prefix;
    r.suffix = b.exact ? a.suffix + b.suffix : b.suffix;
    r.required = a.required;
    consider(r.required, b.required);
    std::string junction = a.suffix + b.prefix;
    if (!junction.empty())
        consider(r.required, {std::move(junction)});
    clamp(r);
    return r;
}

Info alternate(const Info& a, const Info& b) {
    if (a.exact && b.exact && a.prefix == b.prefix)
        return a;
    Info r;
    size_t p = 0;
    while (p < a.prefix.size() && p < b.prefix.size() && a.prefix[p] == b.prefix[p])
        ++p;
    r.prefix = a.prefix.substr(0, p);
    size_t s = 0;
    while (s < a.suffix.size() && s < b.suffix.size() &&
           a.suffix[a.suffix.size() - 1 - s] == b.suffix[b.suffix.size() - 1 - s])
        ++s;
    r.suffix = a.suffix.substr(a.suffix.size() - s);
    Literals la = bestOf(a), lb = bestOf(b);
    if (!la.empty() && !lb.empty()) {
        for (auto& l : lb)
            if (std::find(la.begin(), la.end(), l) == la.end())
                la.push_back(std::move(l));
        if (la.size() <= kMaxAlternatives)
            r.required = std::move(la);
    }
    return r;
}

Info repeat(const Info& x, unsigned min, unsigned max) {
    if (max == 0)
        return exactly({});
    if (min == 0)
        return {};
    if (min == 1 && max == 1)
        return x;
    if (x.exact && min == max && x.prefix.size() * min <= kMaxLiteral) {
        std::string s;
        for (unsigned i = 0; i < min; ++i)
            s += x.prefix;
        return exactly(std::move(s));
    }
    Info r;
    r.prefix = x.prefix;
    r.suffix = x.suffix;
    r.required = bestOf(x);
    return r;
}

bool isAsciiAlnum(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isHexDigit(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Reads an ICU expression far enough to know its literal text. Anything it is unsure of
// fails the reading as a whole, which leaves the pattern without a prefilter.
class PatternReader {
public:
    PatternReader(std::u32string pattern, bool caseSensitive)
        : m_p(std::move(pattern)), m_caseSensitive(caseSensitive) {}

    std::optional<Literals> read() {
        Info top = alternation();
        if (m_failed || m_i != m_p.size())
            return std::nullopt;
        return bestOf(top);
    }

private:
    bool at(char32_t c) const { return m_i < m_p.size() && m_p[m_i] == c; }
    bool atAny(std::u32string_view set) const {
        return m_i < m_p.size() && set.find(m_p[m_i]) != std::u32string_view::npos;
    }
    void fail() {
        m_failed = true;
        m_i = m_p.size();
    }

    Info literal(char32_t c) const {
        if (!m_caseSensitive) {
            // Case-insensitively only ASCII is compared as bytes; anything else is unknown.
            if (c >= 0x80)
                return {};
            return exactly(std::string(1, char(c >= 'A' && c <= 'Z' ? c + 32 : c)));
        }
        // U+FFFD also stands for undecodable bytes, which the raw name does not hold as such.
        if (c == 0xFFFD || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return {};
        std::string utf8;
        if (c < 0x80) {
            utf8.push_back(char(c));
        } else if (c < 0x800) {
            utf8 += {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            utf8 +=
                {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        } else {
            utf8 += {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)),
                     char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        }
        return exactly(std::move(utf8));
    }

    Info alternation() {
        Info r = sequence();
        while (!m_failed && !m_quoted && at('|')) {
            ++m_i;
            r = alternate(r, sequence());
        }
        return r;
    }

    Info sequence() {
        Info r = exactly({});
        while (!m_failed && m_i < m_p.size()) {
            if (!m_quoted && atAny(U"|)"))
                break;
            Info item;
            if (!atom(item))
                continue;
            quantifier(item);
            r = concat(r, item);
        }
        return r;
    }

    // False when what was read stands for no atom (the ends of a quotation).
    bool atom(Info& out) {
        if (m_quoted) {
            if (at('\\') && m_i + 1 < m_p.size() && m_p[m_i + 1] == 'E') {
                m_i += 2;
                m_quoted = false;
                return false;
            }
            out = literal(m_p[m_i++]);
            return true;
        }
        char32_t c = m_p[m_i];
        switch (c) {
        case '(':
            out = group();
            return true;
        case '[':
            skipClass();
            out = {};
            return true;
        case '.':
        case '^':
        case '$':
            ++m_i;
            out = {};
            return true;
        case '\\':
            return escape(out);
        case '?':
        case '*':
        case '+':
        case '{':
        case '}':
        case ']':
            fail();
            return false;
        default:
            ++m_i;
            out = literal(c);
            return true;
        }
    }

    void skipTo(char32_t close) {
        while (m_i < m_p.size() && m_p[m_i] != close)
            ++m_i;
        if (m_i == m_p.size())
            fail();
        else
            ++m_i;
    }

    void skipHex(size_t most) {
        for (size_t n = 0; n < most && m_i < m_p.size() && isHexDigit(m_p[m_i]); ++n)
            ++m_i;
    }

    bool escape(Info& out) {
        ++m_i;
        if (m_i >= m_p.size()) {
            fail();
            return false;
        }
        char32_t d = m_p[m_i++];
        out = {};
        // Anchors, classes and control characters: no literal text of their own.
        if (std::u32string_view(U"bBAzZGdDsSwWhHvVRXaefnrt").find(d) != std::u32string_view::npos)
            return true;
        switch (d) {
        case 'Q':
            m_quoted = true;
            return false;
        case 'c':
            if (m_i >= m_p.size() || m_p[m_i] == '\\')
                fail();
            else
                ++m_i;
            return true;
        case 'x':
            if (at('{'))
                skipTo('}');
            else
                skipHex(2);
            return true;
        case 'u':
            skipHex(4);
            return true;
        case 'U':
            skipHex(8);
            return true;
        case 'N':
            if (!at('{'))
                fail();
            else
                skipTo('}');
            return true;
        case 'p':
        case 'P':
            if (at('{'))
                skipTo('}');
            else if (m_i < m_p.size())
                ++m_i;
            return true;
        case 'k':
            if (!at('<'))
                fail();
            else
                skipTo('>');
            return true;
        default:
            if (d >= '0' && d <= '9') {
                while (m_i < m_p.size() && m_p[m_i] >= '0' && m_p[m_i] <= '9')
                    ++m_i;
                return true;
            }
            // An escaped ASCII symbol stands for itself; other escapes are not read here.
            if (d >= 0x80 || isAsciiAlnum(d)) {
                fail();
                return false;
            }
            out = literal(d);
            return true;
        }
    }

    Info group() {
        ++m_i; // (
        bool lookaround = false;
        if (at('?')) {
            ++m_i;
            if (atAny(U":>")) {
                ++m_i;
            } else if (atAny(U"=!")) {
                ++m_i;
                lookaround = true;
            } else if (at('<')) {
                ++m_i;
                if (atAny(U"=!")) {
                    ++m_i;
                    lookaround = true;
                } else {
                    size_t start = m_i;
                    while (m_i < m_p.size() && isAsciiAlnum(m_p[m_i]))
                        ++m_i;
                    if (m_i == start || !at('>')) {
                        fail();
                        return {};
                    }
                    ++m_i;
                }
            } else {
                // Inline flags change how the rest reads (case, comments): not read here.
                fail();
                return {};
            }
        }
        Info inner = alternation();
        if (m_failed || m_quoted || !at(')')) {
            fail();
            return {};
        }
        ++m_i;
        // A look-around matches no text of its own.
        return lookaround ? Info{} : inner;
    }

    void skipClass() {
        ++m_i; // [
        int depth = 1;
        auto openSet = [this] {
            if (at('^'))
                ++m_i;
            // A bracket right after the opening one is read differently by set syntaxes.
            if (at(']'))
                fail();
        };
        openSet();
        while (!m_failed && m_i < m_p.size() && depth > 0) {
            char32_t c = m_p[m_i++];
            if (c == '\\') {
                if (m_i >= m_p.size()) {
                    fail();
                    return;
                }
                char32_t e = m_p[m_i++];
                if (e == 'Q' || e == 'E')
                    fail();
                else if ((e == 'N' || e == 'p' || e == 'P' || e == 'x') && at('{'))
                    skipTo('}');
            } else if (c == '[') {
                ++depth;
                openSet();
            } else if (c == ']') {
                --depth;
            }
        }
        if (depth > 0)
            fail();
    }

    void quantifier(Info& item) {
        if (m_quoted && at('\\') && m_i + 1 < m_p.size() && m_p[m_i + 1] == 'E') {
            m_i += 2;
            m_quoted = false;
        }
        if (m_quoted || m_i >= m_p.size())
            return;
        unsigned min = 0, max = 0;
        switch (m_p[m_i]) {
        case '?':
            max = 1;
            break;
        case '*':
            max = kUnbounded;
            break;
        case '+':
            min = 1;
            max = kUnbounded;
            break;
        case '{': {
            ++m_i;
            auto number = [this](unsigned& value) {
                size_t start = m_i;
                value = 0;
                while (m_i < m_p.size() && m_p[m_i] >= '0' && m_p[m_i] <= '9') {
                    value = std::min<unsigned>(value * 10 + unsigned(m_p[m_i] - '0'), 1000000);
                    ++m_i;
                }
                return m_i > start;
            };
            if (!number(min)) {
                fail();
                return;
            }
            max = min;
            if (at(',')) {
                ++m_i;
                if (!number(max))
                    max = kUnbounded;
            }
            if (!at('}')) {
                fail();
                return;
            }
            break;
        }
        default:
            return;
        }
        ++m_i;
        if (atAny(U"?+"))
            ++m_i; // lazy or possessive: the same texts can match
        if (atAny(U"?*+{")) {
            fail();
            return;
        }
        item = repeat(item, min, max);
    }

    std::u32string m_p;
    size_t m_i = 0;
    bool m_caseSensitive;
    bool m_quoted = false;
    bool m_failed = false;
};

std::u32string codePoints(std::string_view pattern) {
    std::u16string wide = toUtf16(pattern);
    std::u32string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size();) {
        UChar32 c;
        U16_NEXT(wide.data(), i, wide.size(), c);
        out.push_back(char32_t(c));
    }
    return out;
}

// Characters outside ASCII whose case folding holds ASCII (U+017F, U+212A, U+00DF, the
// ligatures, ...): case-insensitively they can match ASCII pattern text, so texts holding
// them always go to ICU. Worked out from ICU's own data once per process.
} // namespace

std::vector<std::string> requiredLiterals(std::string_view pattern, bool caseSensitive) {
    auto literals = PatternReader(codePoints(pattern), caseSensitive).read();
    if (!literals || score(*literals) == 0)
        return {};
    return std::move(*literals);
}

} // namespace qb
