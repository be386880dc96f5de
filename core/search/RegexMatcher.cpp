#include "RegexMatcher.h"

#include "CoarseClock.h"
#include "PathText.h"

#include <unicode/uregex.h>
#include <unicode/ustring.h>

namespace qb {
namespace {

PatternError::Kind kindOf(UErrorCode code) {
    using K = PatternError::Kind;
    switch (code) {
    case U_REGEX_MISMATCHED_PAREN:
        return K::unbalancedParenthesis;
    case U_REGEX_MISSING_CLOSE_BRACKET:
        return K::missingCloseBracket;
    case U_REGEX_BAD_ESCAPE_SEQUENCE:
        return K::unknownEscape;
    case U_REGEX_PROPERTY_SYNTAX:
        return K::invalidProperty;
    case U_REGEX_RULE_SYNTAX:
        return K::syntax;
    case U_REGEX_BAD_INTERVAL:
        return K::badInterval;
    case U_REGEX_MAX_LT_MIN:
        return K::maxLessThanMin;
    case U_REGEX_NUMBER_TOO_BIG:
        return K::numberTooLarge;
    case U_REGEX_INVALID_BACK_REF:
        return K::noSuchGroup;
    case U_REGEX_INVALID_FLAG:
        return K::invalidFlag;
    case U_REGEX_LOOK_BEHIND_LIMIT:
        return K::unboundedLookBehind;
    case U_REGEX_SET_CONTAINS_STRING:
        return K::setContainsString;
    case U_REGEX_INVALID_RANGE:
        return K::invalidRange;
    case U_REGEX_OCTAL_TOO_BIG:
        return K::octalTooLarge;
    case U_REGEX_INVALID_CAPTURE_GROUP_NAME:
        return K::invalidGroupName;
    case U_REGEX_PATTERN_TOO_BIG:
    case U_REGEX_STACK_OVERFLOW:
        return K::tooLarge;
    case U_REGEX_UNIMPLEMENTED:
        return K::unsupported;
    default:
        return K::invalid;
    }
}

URegularExpression* compile(std::string_view pattern, bool caseSensitive, PatternError* error) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parse{};
    uint32_t flags = caseSensitive ? 0 : UREGEX_CASE_INSENSITIVE;
    std::u16string wide = toUtf16(pattern);
    URegularExpression* re = uregex_open(reinterpret_cast<const UChar*>(wide.data()),
                                         static_cast<int32_t>(wide.size()), flags, &parse, &status);
    if (U_FAILURE(status)) {
        if (re)
            uregex_close(re);
        // ICU reports the offset in UTF-16 units of the pattern, one past the fault.
        if (error)
            *error = {kindOf(status), parse.offset >= 0 ? parse.offset : -1};
        return nullptr;
    }
    return re;
}

} // namespace

struct RegexCallbacks {
    static UBool U_CALLCONV onMatchStep(const void* context, int32_t) {
        auto* self = static_cast<RegexMatcher*>(const_cast<void*>(context));
        return !self->shouldStop();
    }
    static UBool U_CALLCONV onFindProgress(const void* context, int64_t) {
        auto* self = static_cast<RegexMatcher*>(const_cast<void*>(context));
        // This fires at every start position; reading the clock each time would cost more
        // than the match itself on short names, so only every 64th call does.
        if (self->m_stop->stop_requested()) {
            self->m_interrupted = true;
            return false;
        }
        if ((++self->m_progressTicks & 63) != 0)
            return true;
        return !self->shouldStop();
    }
};

RegexMatcher::RegexMatcher(std::string_view pattern, bool caseSensitive) {
    m_regex = compile(pattern, caseSensitive, &m_error);
    if (!m_regex)
        return;
    UErrorCode status = U_ZERO_ERROR;
    uregex_setMatchCallback(m_regex, &RegexCallbacks::onMatchStep, this, &status);
}

// The find-progress callback fires at every start position. On short texts the match
// callback alone bounds the work (each start position's attempt is cut off by it, and there
// are few positions), so the callback is only installed for long ones, such as deep paths.
void RegexMatcher::useFindProgress(bool on) {
    if (on == m_findProgressOn)
        return;
    UErrorCode status = U_ZERO_ERROR;
    uregex_setFindProgressCallback(m_regex, on ? &RegexCallbacks::onFindProgress : nullptr, this,
                                   &status);
    m_findProgressOn = on;
}

RegexMatcher::~RegexMatcher() {
    if (m_regex)
        uregex_close(m_regex);
}

bool RegexMatcher::shouldStop() {
    if (m_stop->stop_requested() || CoarseClock::now() > m_deadline)
        m_interrupted = true;
    return m_interrupted;
}

RegexMatcher::Result RegexMatcher::match(const std::u16string& text, std::vector<RawRange>& ranges,
                                         std::chrono::steady_clock::duration budget,
                                         const std::stop_token& stop) {
    Result result;
    m_stop = &stop;
    m_interrupted = false;
    m_progressTicks = 0;
    m_deadline = CoarseClock::now() + budget;
    useFindProgress(text.size() > kShortText);
    UErrorCode status = U_ZERO_ERROR;
    uregex_setText(m_regex, reinterpret_cast<const UChar*>(text.data()),
                   static_cast<int32_t>(text.size()), &status);
    size_t recorded = 0;
    while (U_SUCCESS(status) && uregex_findNext(m_regex, &status)) {
        // A match delivered after the budget ran out is not counted.
        if (m_interrupted || shouldStop())
            break;
        result.matched = true;
        int32_t start = uregex_start(m_regex, 0, &status);
        int32_t end = uregex_end(m_regex, 0, &status);
        if (end > start) {
            ranges.push_back({start, end - start});
            if (++recorded >= kMaxRanges)
                break;
        }
    }
    // The callbacks abort a find with U_REGEX_STOPPED_BY_CALLER.
    result.interrupted = m_interrupted;
    return result;
}

std::optional<PatternError> RegexMatcher::compileError(std::string_view pattern) {
    PatternError error;
    URegularExpression* re = compile(pattern, true, &error);
    if (!re)
        return error;
    uregex_close(re);
    return std::nullopt;
}

} // namespace qb
