#pragma once
// Bytes from the file system as text for people: the one conversion the model and the window
// share.

#include <QString>
#include <string_view>

namespace qb {

// The bytes of a name or path as text, each undecodable byte run shown as U+FFFD.
QString shownText(std::string_view bytes);
// A path's last component as text, or the whole path where it has none ("/").
QString shownName(std::string_view path);

} // namespace qb
