#include "ShownText.h"

#include "search/PathText.h"

namespace qb {

QString shownText(std::string_view bytes) {
    return QString::fromStdString(toValidUtf8(bytes));
}

} // namespace qb
