#pragma once
// Reads what the preview shows of one item, off the GUI thread: a scaled image, the first
// part of a text, a PDF's first pages, or the item's facts with a short message. Only regular files
// are opened; FIFOs, sockets and devices are described, never read.

#include <QImage>
#include <QString>
#include <atomic>
#include <string>
#include <vector>

namespace qb {

struct PreviewContent {
    enum class Kind { image, text, pages, facts };
    Kind kind = Kind::facts;
    QImage image;
    std::vector<QImage> pages; // a PDF's first pages, each as wide as the target
    int pageCount = 0;         // all of the PDF's pages
    QString text;              // the text's first part, or the facts' lines
    QString message;           // why nothing more is shown; empty when all is well
    QString name;
    bool isDirectory = false;
    bool truncated = false; // the text goes on beyond what was read
};

inline constexpr qint64 kPreviewTextLimit = 256 * 1024;
inline constexpr int kPreviewPageLimit = 10;

// target: the size an image is scaled to fit; pageWidth: how wide PDF pages are drawn (the
// target's width when 0). stop: a newer request has come.
PreviewContent loadPreview(const std::string& path, QSize target,
                           const std::atomic<bool>* stop = nullptr, int pageWidth = 0);

} // namespace qb
