#pragma once
// Text operations on byte paths: components, decoding for matching and display, file URLs.

#include <optional>
#include <string>
#include <string_view>

namespace qb {

// The last component ("" for "/"); trailing separators are ignored.
std::string_view lastComponent(std::string_view path);
// The containing folder's path ("/" for an item at the root).
std::string_view parentOf(std::string_view path);
// Joins a folder and a name with exactly one separator.
std::string joinPath(std::string_view folder, std::string_view name);
// Removes "." and ".." components and repeated separators; keeps the path absolute.
std::string standardisePath(std::string_view path);

// Appends the UTF-16 decoding of UTF-8 bytes; each maximal ill-formed subsequence becomes one
// U+FFFD, as ICU and the WHATWG decoder do.
void appendUtf16(std::string_view bytes, std::u16string& out);
std::u16string toUtf16(std::string_view bytes);
bool isValidUtf8(std::string_view bytes);
// UTF-8 text for display: invalid bytes become U+FFFD.
std::string toValidUtf8(std::string_view bytes);
size_t utf16Length(std::string_view bytes);

// "file://" followed by the percent-encoded path bytes, as g_filename_to_uri writes it.
std::string fileUrlFromPath(std::string_view path);
// The path bytes of a file URL, or nothing when the text is not an absolute local file URL.
std::optional<std::string> pathFromFileUrl(std::string_view url);

} // namespace qb
