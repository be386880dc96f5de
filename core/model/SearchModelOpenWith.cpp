// Opening items with a chosen application; the desktop reports a failed launch later.

#include "SearchModel.h"

#include <QPointer>

namespace qb {

std::vector<ApplicationEntry>
SearchModel::applicationsFor(const std::vector<std::string>& items) const {
    if (items.empty())
        return {};
    // Whether it is a folder is known from its hit: the menu is built without a file-system call.
    bool isDirectory = false;
    for (const SearchHit& hit : m_hits)
        if (hit.url == items.front()) {
            isDirectory = hit.isDirectory;
            break;
        }
    return m_desktop.applicationsFor(items.front(), isDirectory);
}

void SearchModel::openWith(const std::vector<std::string>& items,
                           const std::string& applicationId) {
    if (items.empty())
        return;
    QPointer<SearchModel> self(this);
    m_desktop.openWith(items, applicationId, [self](std::optional<QString> error) {
        if (self && error)
            self->setFileActionError(*error);
    });
}

void SearchModel::chooseApplication(const std::vector<std::string>& items) {
    if (items.empty())
        return;
    QPointer<SearchModel> self(this);
    m_desktop.chooseApplication([self, items](std::optional<std::string> application) {
        if (self && application)
            self->openWith(items, *application);
    });
}

} // namespace qb
