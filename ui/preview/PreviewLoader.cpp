#include "ui/preview/PreviewLoader.h"

#include "search/ContentTypes.h"
#include "search/PathText.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPdfDocument>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {
namespace {

QString factsText(const std::string& path, const struct stat& st, const std::string& type) {
    const std::string description = contentTypeDescription(type);
    QStringList lines;
    lines << (description.empty()
                  ? (S_ISDIR(st.st_mode)
                         ? QCoreApplication::translate("qb::Preview", "Folder", "kind")
                         : QCoreApplication::translate("qb::Preview", "File", "kind"))
                  : QString::fromStdString(description));
    if (S_ISREG(st.st_mode))
        lines << sizeText(int64_t(st.st_size));
    lines << QCoreApplication::translate("qb::Preview", "Modified %1")
                 .arg(dateTimeText(QDateTime::fromSecsSinceEpoch(st.st_mtime)));
    lines << shownText(parentOf(path));
    return lines.join(QLatin1Char('\n'));
}

QSize fitting(QSize size, QSize target) {
    if (size.width() <= target.width() && size.height() <= target.height())
        return size;
    return size.scaled(target, Qt::KeepAspectRatio);
}

} // namespace

PreviewContent loadPreview(const std::string& path, QSize target, const std::atomic<bool>* stop,
                           int pageWidth) {
    PreviewContent out;
    out.name = shownText(lastComponent(path));
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        out.message =
            errno == ENOENT
                ? QCoreApplication::translate("qb::Preview", "This item is no longer available.")
                : QCoreApplication::translate("qb::Preview", "This item can’t be read.");
        return out;
    }
    out.isDirectory = S_ISDIR(st.st_mode);
    if (!S_ISREG(st.st_mode)) {
        out.text = factsText(path, st, contentTypeForMode(st.st_mode, lastComponent(path)));
        return out;
    }
    const std::string type = contentTypeForName(lastComponent(path));
    out.text = factsText(path, st, type);
    // Non-blocking, so that an item swapped for a FIFO since the stat cannot hold us, and
    // checked again on the open descriptor.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        out.message =
            errno == ENOENT
                ? QCoreApplication::translate("qb::Preview", "This item is no longer available.")
                : QCoreApplication::translate("qb::Preview", "This item can’t be read.");
        return out;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return out;
    }
    if (opened.st_size == 0) {
        ::close(fd);
        out.message = QCoreApplication::translate("qb::Preview", "This file is empty.");
        return out;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        out.message = QCoreApplication::translate("qb::Preview", "This item can’t be read.");
        return out;
    }
    const unsigned categories = categoriesOf(type);
    if (stop && stop->load())
        return out;
    if (categories & unsigned(FileCategory::image)) {
        QImageReader reader(&file);
        reader.setDecideFormatFromContent(true);
        reader.setAutoTransform(true);
        const QSize size = reader.size();
        if (size.isValid())
            reader.setScaledSize(fitting(size, target));
        QImage image = reader.read();
        if (image.isNull()) {
            out.message = QCoreApplication::translate("qb::Preview", "This image can’t be shown.");
            return out;
        }
        out.kind = PreviewContent::Kind::image;
        out.image = std::move(image);
        return out;
    }
    if (categories & unsigned(FileCategory::pdf)) {
        // Read from the descriptor checked above, never reopened by a (decoded) path.
        QPdfDocument document;
        document.load(&file);
        const auto error = document.error();
        if (error == QPdfDocument::Error::IncorrectPassword) {
            out.message =
                QCoreApplication::translate("qb::Preview", "This PDF is protected by a password.");
            return out;
        }
        if (error != QPdfDocument::Error::None || document.pageCount() < 1) {
            out.message = QCoreApplication::translate("qb::Preview", "This PDF can’t be shown.");
            return out;
        }
        // The first pages, each as wide as the window, read one below the other.
        out.pageCount = document.pageCount();
        for (int i = 0; i < std::min(out.pageCount, kPreviewPageLimit); ++i) {
            if (stop && stop->load())
                return out;
            const QSizeF page = document.pagePointSize(i);
            if (page.isEmpty())
                break;
            const int width = std::max(1, pageWidth > 0 ? pageWidth : target.width());
            QImage image = document.render(
                i, QSize(width, std::max(1, int(page.height() * width / page.width()))));
            if (image.isNull())
                break;
            // Pages come without paper: what the PDF does not paint stays transparent.
            QImage paper(image.size(), QImage::Format_RGB32);
            paper.fill(Qt::white);
            QPainter(&paper).drawImage(0, 0, image);
            out.pages.push_back(std::move(paper));
        }
        if (out.pages.empty()) {
            out.message = QCoreApplication::translate("qb::Preview", "This PDF can’t be shown.");
            return out;
        }
        out.kind = PreviewContent::Kind::pages;
        return out;
    }
    if (categories & unsigned(FileCategory::text)) {
        const QByteArray bytes = file.read(kPreviewTextLimit);
        out.kind = PreviewContent::Kind::text;
        out.truncated = opened.st_size > kPreviewTextLimit;
        // Invalid bytes become U+FFFD; a character cut at the limit is dropped.
        out.text = QString::fromUtf8(bytes);
        return out;
    }
    return out;
}

} // namespace qb
