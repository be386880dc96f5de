#pragma once
// Reads what the preview shows of one item, off the GUI thread: a scaled image, the first
// part of a text, a PDF page, or the item's facts with a short message. Only regular files
// are opened; FIFOs, sockets and devices are described, never read.

#include <QImage>
#include <QString>
#include <atomic>
#include <string>

namespace qb {

struct PreviewContent {
    enum class Kind { image, text, facts };
    Kind kind = Kind::facts;
    QImage image;
    QString text;    // the text's first part, or the facts' lines
    QString message; // why nothing more is shown; empty when all is well
    QString name;
    bool isDirectory = false;
    bool truncated = false; // the text goes on beyond what was read
};

inline constexpr qint64 kPreviewTextLimit = 256 * 1024;

// target: the size the image or page is scaled to fit. stop: a newer request has come.
PreviewContent loadPreview(const std::string& path, QSize target,
                           const std::atomic<bool>* stop = nullptr);

} // namespace qb
