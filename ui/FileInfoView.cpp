#include "FileInfoView.h"

#include "ElidedLabel.h"
#include "FileIcon.h"
#include "ResultsTableModel.h"
#include "Style.h"
#include "search/ContentTypes.h"
#include "search/PathText.h"

#include <QBoxLayout>
#include <QDateTime>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {
namespace {

QString display(std::string_view bytes) {
    return QString::fromStdString(toValidUtf8(bytes));
}

QDateTime fromStatx(const statx_timestamp& t) {
    return QDateTime::fromMSecsSinceEpoch(qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000);
}

// Sections are laid out a batch per turn of the event loop, so a sheet for thousands of items
// never holds the window still.
constexpr size_t kBatch = 40;

} // namespace

ItemFacts readItemFacts(const std::string& path) {
    ItemFacts facts;
    facts.kind = QStringLiteral("Unavailable");
    struct statx st {};
    // One request for every fact; the dates come with it, a birth time only where the file
    // system keeps one.
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
        return facts;
    facts.readable = true;
    facts.isDirectory = S_ISDIR(st.stx_mode);
    const std::string type =
        facts.isDirectory ? std::string(kFolderType) : contentTypeForName(lastComponent(path));
    std::string description = contentTypeDescription(type);
    facts.kind = description.empty()
                     ? (facts.isDirectory ? QStringLiteral("Folder") : QStringLiteral("File"))
                     : QString::fromStdString(description);
    facts.size = int64_t(st.stx_size);
    if (st.stx_mask & STATX_BTIME)
        facts.created = fromStatx(st.stx_btime);
    if (st.stx_mask & STATX_MTIME)
        facts.modified = fromStatx(st.stx_mtime);
    facts.writable = ::access(path.c_str(), W_OK) == 0;
    return facts;
}

std::vector<std::pair<QString, QString>> factLines(const ItemFacts& f) {
    std::vector<std::pair<QString, QString>> lines;
    lines.emplace_back(QStringLiteral("Kind"), f.kind);
    lines.emplace_back(QStringLiteral("Size"), f.isDirectory
                                                   ? QStringLiteral("Folder (contents not counted)")
                                                   : sizeText(f.readable ? f.size : 0));
    if (f.created)
        lines.emplace_back(QStringLiteral("Created"), dateTimeText(*f.created));
    if (f.modified)
        lines.emplace_back(QStringLiteral("Modified"), dateTimeText(*f.modified));
    lines.emplace_back(QStringLiteral("Access"), f.readable && f.writable
                                                     ? QStringLiteral("Read & Write")
                                                     : QStringLiteral("Read Only or Unavailable"));
    return lines;
}

FileInfoView::FileInfoView(std::vector<std::string> urls, Reveal reveal, QWidget* parent)
    : QDialog(parent), m_urls(std::move(urls)), m_reveal(std::move(reveal)) {
    setObjectName("fileInfo");
    setWindowTitle(title());
    setWindowModality(Qt::WindowModal);
    setFixedSize(520, 450);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    auto* header = new QHBoxLayout;
    header->addWidget(makeLabel(title(), TextStyle::headline, false, this));
    header->addStretch(1);
    auto* done = new QPushButton(tr("Done"), this);
    done->setDefault(true);
    header->addWidget(done);
    column->addLayout(header);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    m_sections = new QVBoxLayout(content);
    m_sections->setContentsMargins(0, 0, 8, 0);
    m_sections->setSpacing(20);
    m_sections->addStretch(1);
    scroll->setWidget(content);
    column->addWidget(scroll, 1);
    relayout();
}

QString FileInfoView::title() const {
    return m_urls.size() == 1 ? tr("Get Info") : tr("Info for %1 Items").arg(m_urls.size());
}

void FileInfoView::relayout() {
    ++m_generation;
    while (m_sections->count() > 1) {
        QLayoutItem* item = m_sections->takeAt(0);
        delete item->widget();
        delete item;
    }
    addSections(0);
}

void FileInfoView::addSections(size_t from) {
    const size_t end = std::min(m_urls.size(), from + kBatch);
    for (size_t i = from; i < end; ++i) {
        const std::string& path = m_urls[i];
        const ItemFacts facts = readItemFacts(path);
        auto* section = new QWidget;
        auto* lines = new QVBoxLayout(section);
        lines->setContentsMargins(0, 0, 0, 0);
        lines->setSpacing(8);
        auto* nameRow = new QHBoxLayout;
        auto* icon = new QLabel(section);
        icon->setPixmap(FileIcon::iconForPath(path, facts.isDirectory).pixmap(28, 28));
        icon->setFixedSize(28, 28);
        // Long names and paths are shortened in the middle, whole in their tooltips: the sheet
        // keeps its width and never scrolls sideways.
        auto* name = new ElidedLabel(section);
        name->setText(display(lastComponent(path)));
        name->setToolTip(name->text());
        name->setFont(fontFor(TextStyle::headline));
        nameRow->addWidget(icon);
        nameRow->addWidget(name, 1);
        lines->addLayout(nameRow);
        auto* form = new QFormLayout;
        form->setHorizontalSpacing(12);
        form->setVerticalSpacing(4);
        for (const auto& [label, value] : factLines(facts)) {
            auto* l = makeLabel(label, TextStyle::body, true, section);
            auto* v = new QLabel(value, section);
            v->setObjectName(label);
            v->setTextFormat(Qt::PlainText);
            form->addRow(l, v);
        }
        lines->addLayout(form);
        auto* full = new ElidedLabel(section);
        full->setText(display(path));
        full->setToolTip(full->text());
        full->setFont(fontFor(TextStyle::caption));
        makeSecondary(full);
        lines->addWidget(full);
        auto* reveal = new QPushButton(tr("Reveal in File Manager"), section);
        auto revealItems = m_reveal;
        connect(reveal, &QPushButton::clicked, this, [revealItems, path] { revealItems({path}); });
        lines->addWidget(reveal, 0, Qt::AlignLeft);
        lines->addWidget(makeDivider(false, section));
        m_sections->insertWidget(m_sections->count() - 1, section);
    }
    if (end < m_urls.size()) {
        QPointer<FileInfoView> self(this);
        const size_t generation = m_generation;
        QTimer::singleShot(0, this, [self, end, generation] {
            if (self && self->m_generation == generation)
                self->addSections(end);
        });
    }
}

} // namespace qb
