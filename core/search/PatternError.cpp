#include "PatternError.h"

namespace qb {

const char* englishText(PatternError::Kind kind) {
    using K = PatternError::Kind;
    switch (kind) {
    case K::invalid:
        break;
    case K::unbalancedParenthesis:
        return "Unbalanced parenthesis";
    case K::missingCloseBracket:
        return "Missing closing bracket";
    case K::unknownEscape:
        return "Unknown escape sequence";
    case K::invalidProperty:
        return "Invalid Unicode property";
    case K::syntax:
        return "Syntax error";
    case K::badInterval:
        return "Invalid {min,max} repetition";
    case K::maxLessThanMin:
        return "Repetition maximum is less than its minimum";
    case K::numberTooLarge:
        return "Number too large";
    case K::noSuchGroup:
        return "Reference to a group that does not exist";
    case K::invalidFlag:
        return "Invalid match option";
    case K::unboundedLookBehind:
        return "Look-behind must have a bounded length";
    case K::setContainsString:
        return "Character class cannot contain a string";
    case K::invalidRange:
        return "Invalid character range";
    case K::octalTooLarge:
        return "Octal value too large";
    case K::invalidGroupName:
        return "Invalid group name";
    case K::tooLarge:
        return "Pattern too large";
    case K::unsupported:
        return "Unsupported construct";
    case K::replacementEndsWithBackslash:
        return "Replacement ends with a backslash";
    case K::dollarWithoutGroup:
        return "Dollar sign without a group (write \\$ for a dollar sign)";
    case K::missingCloseBrace:
        return "Missing closing brace";
    case K::invalidReplacement:
        return "Invalid replacement";
    }
    return "Invalid regular expression";
}

std::string englishText(const PatternError& error) {
    std::string text = englishText(error.kind);
    if (error.position >= 0)
        text += " at position " + std::to_string(error.position);
    return text;
}

} // namespace qb
