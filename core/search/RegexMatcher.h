#pragma once
// One compiled ICU expression and its matcher, reused for every text of a walk, with a time
// budget per text that cuts off catastrophic backtracking.

#include "CoarseClock.h"
#include "PatternError.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

struct URegularExpression;

namespace qb {

struct RawRange {
    int32_t location;
    int32_t length;
};

class RegexMatcher {
public:
    // Compiles the pattern; on failure, error() says what is wrong and where.
    RegexMatcher(std::string_view pattern, bool caseSensitive);
    ~RegexMatcher();
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    bool valid() const { return m_regex != nullptr; }
    const PatternError& error() const { return m_error; }

    struct Result {
        bool matched = false;
        bool interrupted = false; // budget exhausted or stop requested
    };
    static constexpr size_t kMaxRanges = 128;
    // Texts up to this many UTF-16 units are matched without the find-progress callback.
    static constexpr size_t kShortText = 256;

    // Finds the successive matches over the whole text; non-empty ones are appended to ranges.
    // Stops after kMaxRanges ranges, on the stop token, or once the budget has passed.
    Result match(const std::u16string& text, std::vector<RawRange>& ranges,
                 std::chrono::steady_clock::duration budget, const std::stop_token& stop);

    // A usable pattern: it compiles with no options.
    static std::optional<PatternError> compileError(std::string_view pattern);

private:
    bool shouldStop();
    void useFindProgress(bool on);
    friend struct RegexCallbacks;

    URegularExpression* m_regex = nullptr;
    PatternError m_error;
    CoarseClock::time_point m_deadline;
    const std::stop_token* m_stop = nullptr;
    bool m_interrupted = false;
    unsigned m_progressTicks = 0;
    bool m_findProgressOn = false;
};

} // namespace qb
