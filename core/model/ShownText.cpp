#include "ShownText.h"

#include "search/PathText.h"

namespace qb {

QString shownText(std::string_view bytes) {
    return QString::fromStdString(toValidUtf8(bytes));
}

QString shownName(std::string_view path) {
    const std::string_view name = lastComponent(path);
    return shownText(name.empty() ? path : name);
}

} // namespace qb
