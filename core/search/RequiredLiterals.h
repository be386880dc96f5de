#pragma once
// Literal text that every match of an ICU expression contains, read from the pattern itself.
// The reading is conservative: syntax it is unsure of (inline flags, unusual brackets,
// escapes it does not know) yields nothing rather than a guess.

#include <string>
#include <string_view>
#include <vector>

namespace qb {

// Texts one of which every match contains: UTF-8, or lower-case ASCII when the expression
// ignores case (other characters are then left out). Empty when nothing is promised.
std::vector<std::string> requiredLiterals(std::string_view pattern, bool caseSensitive);

} // namespace qb
