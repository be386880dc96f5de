#pragma once
// What is wrong with a pattern or a replacement, and where: a kind for the interface to word
// in the user's language, and English words for the command-line finder.

#include <cstdint>
#include <string>

namespace qb {

struct PatternError {
    enum class Kind {
        invalid, // no more precise reason
        unbalancedParenthesis,
        missingCloseBracket,
        unknownEscape,
        invalidProperty,
        syntax,
        badInterval,
        maxLessThanMin,
        numberTooLarge,
        noSuchGroup,
        invalidFlag,
        unboundedLookBehind,
        setContainsString,
        invalidRange,
        octalTooLarge,
        invalidGroupName,
        tooLarge,
        unsupported,
        // A replacement's faults.
        replacementEndsWithBackslash,
        dollarWithoutGroup,
        missingCloseBrace,
        invalidReplacement,
    };
    Kind kind = Kind::invalid;
    int32_t position = -1; // UTF-16 units into the text, one past the fault; -1 when unknown
    bool operator==(const PatternError&) const = default;
};

// The kind in English ("Unbalanced parenthesis").
const char* englishText(PatternError::Kind kind);
// The error in English, with its position when known ("Unbalanced parenthesis at position 3").
std::string englishText(const PatternError& error);

} // namespace qb
