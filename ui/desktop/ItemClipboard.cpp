#include "ui/desktop/ItemClipboard.h"

#include "search/PathText.h"
#include "ui/widgets/ShownText.h"

#include <QApplication>
#include <QClipboard>

namespace qb {

QMimeData* itemsMimeData(const std::vector<std::string>& paths) {
    auto* data = new QMimeData;
    // The URI list is written from the bytes, not through QUrl, so names that are not UTF-8
    // keep every byte.
    QByteArray uriList;
    QByteArray gnome = "copy";
    QStringList text;
    for (const std::string& path : paths) {
        const QByteArray uri = QByteArray::fromStdString(fileUrlFromPath(path));
        uriList += uri + "\r\n";
        gnome += "\n" + uri;
        text << shownText(path);
    }
    data->setData(QStringLiteral("text/uri-list"), uriList);
    data->setData(QStringLiteral("x-special/gnome-copied-files"), gnome);
    data->setData(QStringLiteral("application/x-kde-cutselection"), "0");
    data->setText(text.join(QLatin1Char('\n')));
    return data;
}

void copyItemsToClipboard(const std::vector<std::string>& paths) {
    QApplication::clipboard()->setMimeData(itemsMimeData(paths));
}

} // namespace qb
