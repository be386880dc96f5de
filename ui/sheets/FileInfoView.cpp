#include "ui/sheets/FileInfoView.h"

#include "model/OffThread.h"
#include "search/ContentTypes.h"
#include "search/PathText.h"
#include "ui/desktop/FileIcon.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"

#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {
namespace {

QDateTime fromStatx(const statx_timestamp& t) {
    return QDateTime::fromMSecsSinceEpoch(qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000);
}

} // namespace

ItemFacts readItemFacts(const std::string& path) {
    ItemFacts facts;
    facts.kind = FileInfoView::tr("Unavailable");
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
    facts.kind = description.empty() ? (facts.isDirectory ? FileInfoView::tr("Folder", "kind")
                                                          : FileInfoView::tr("File", "kind"))
                                     : QString::fromStdString(description);
    facts.size = int64_t(st.stx_size);
    if (st.stx_mask & STATX_BTIME)
        facts.created = fromStatx(st.stx_btime);
    if (st.stx_mask & STATX_MTIME)
        facts.modified = fromStatx(st.stx_mtime);
    facts.writable = ::access(path.c_str(), W_OK) == 0;
    return facts;
}

std::array<std::optional<QString>, kFactLines> factValues(const ItemFacts& f) {
    return {f.kind,
            f.isDirectory ? FileInfoView::tr("Folder (contents not counted)")
                          : sizeText(f.readable ? f.size : 0),
            f.created ? std::optional(dateTimeText(*f.created)) : std::nullopt,
            f.modified ? std::optional(dateTimeText(*f.modified)) : std::nullopt,
            f.readable && f.writable ? FileInfoView::tr("Read & Write")
                                     : FileInfoView::tr("Read Only or Unavailable")};
}

namespace {

// Translated where shown; the source texts also name the value labels.
const char* const kFactLabels[kFactLines] = {QT_TRANSLATE_NOOP("qb::FileInfoView", "Kind"),
                                             QT_TRANSLATE_NOOP("qb::FileInfoView", "Size"),
                                             QT_TRANSLATE_NOOP("qb::FileInfoView", "Created"),
                                             QT_TRANSLATE_NOOP("qb::FileInfoView", "Modified"),
                                             QT_TRANSLATE_NOOP("qb::FileInfoView", "Access")};

} // namespace

// One item's section: icon and name, the facts, the full path, a reveal button and a hairline.
class InfoSection : public QWidget {
public:
    explicit InfoSection(QWidget* parent) : QWidget(parent) {
        auto* lines = new QVBoxLayout(this);
        lines->setContentsMargins(0, 0, 8, 0);
        lines->setSpacing(8);
        auto* nameRow = new QHBoxLayout;
        icon = new QLabel(this);
        icon->setFixedSize(28, 28);
        // Long names and paths are shortened in the middle, whole in their tooltips: the sheet
        // keeps its width and never scrolls sideways. Both can be selected and copied.
        name = new ElidedLabel(this);
        name->setFont(fontFor(TextStyle::headline));
        name->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        nameRow->addWidget(icon);
        nameRow->addWidget(name, 1);
        lines->addLayout(nameRow);
        auto* form = new QGridLayout;
        form->setHorizontalSpacing(12);
        form->setVerticalSpacing(4);
        form->setColumnStretch(1, 1);
        for (int i = 0; i < kFactLines; ++i) {
            factLabels[i] =
                makeLabel(FileInfoView::tr(kFactLabels[i]), TextStyle::body, true, this);
            valueLabels[i] = plainLabel({}, this);
            valueLabels[i]->setObjectName(QLatin1String(kFactLabels[i]));
            form->addWidget(factLabels[i], i, 0);
            form->addWidget(valueLabels[i], i, 1);
        }
        lines->addLayout(form);
        path = new ElidedLabel(this);
        path->setFont(fontFor(TextStyle::caption));
        path->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        makeSecondary(path);
        lines->addWidget(path);
        reveal = new QPushButton(QObject::tr("Reveal in File Manager"), this);
        lines->addWidget(reveal, 0, Qt::AlignLeft);
        lines->addStretch(1);
        lines->addWidget(makeDivider(false, this));
    }

    // Shows the item at index, with its facts once they have arrived.
    void fill(size_t at, const std::string& item, const std::optional<ItemFacts>& facts) {
        if (index == at && hasFacts == facts.has_value())
            return;
        if (index != at) {
            name->setText(shownText(lastComponent(item)));
            setPlainToolTip(name, name->text());
            path->setText(shownText(item));
            setPlainToolTip(path, path->text());
        }
        index = at;
        hasFacts = facts.has_value();
        icon->setPixmap(FileIcon::iconForPath(item, facts && facts->isDirectory).pixmap(28, 28));
        // Until the facts arrive, the lines every item has are there, empty.
        const auto values = facts ? factValues(*facts)
                                  : std::array<std::optional<QString>, kFactLines>{
                                        QString(), QString(), {}, {}, QString()};
        for (int i = 0; i < kFactLines; ++i) {
            factLabels[i]->setVisible(values[i].has_value());
            valueLabels[i]->setVisible(values[i].has_value());
            valueLabels[i]->setText(values[i].value_or(QString()));
        }
    }

    size_t index = size_t(-1);
    bool hasFacts = false; // whether the lines show facts or wait for them
    QLabel* icon;
    ElidedLabel* name;
    QLabel* factLabels[kFactLines];
    QLabel* valueLabels[kFactLines];
    ElidedLabel* path;
    QPushButton* reveal;
};

// The scrolling list: sections of one height, as many widgets as fit in view.
class InfoList : public QAbstractScrollArea {
public:
    explicit InfoList(FileInfoView& sheet) : QAbstractScrollArea(&sheet), m_sheet(sheet) {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setBackgroundRole(QPalette::Window);
        // The height of a section with every line shown.
        InfoSection probe(nullptr);
        probe.fill(0, "/x",
                   ItemFacts{true, false, QStringLiteral("x"), 0, QDateTime(), QDateTime(), true});
        m_height = probe.sizeHint().height() + kGap;
        verticalScrollBar()->setSingleStep(m_height / 4);
    }

    void place() {
        const size_t count = m_sheet.m_urls.size();
        const int top = verticalScrollBar()->value();
        const int width = viewport()->width();
        const size_t first = size_t(top / m_height);
        const size_t fit = size_t(viewport()->height() / m_height + 2);
        while (m_sections.size() < fit) {
            auto* section = new InfoSection(viewport());
            connect(section->reveal, &QPushButton::clicked, this, [this, section] {
                if (section->index < m_sheet.m_urls.size())
                    m_sheet.m_reveal({m_sheet.m_urls[section->index]});
            });
            m_sections.push_back(section);
        }
        for (size_t k = 0; k < m_sections.size(); ++k) {
            InfoSection* section = m_sections[(first + k) % m_sections.size()];
            const size_t i = first + k;
            if (k >= fit || i >= count) {
                section->hide();
                section->index = size_t(-1);
                section->hasFacts = false;
                continue;
            }
            section->setGeometry(0, int(i) * m_height - top, width, m_height - kGap);
            section->fill(i, m_sheet.m_urls[i], m_sheet.m_facts[i]);
            section->setVisible(true);
        }
        // What is in view first, then as much again below, so scrolling finds it read.
        m_sheet.requestFacts(first, std::min(count, first + 2 * fit));
    }

    // Shows facts that arrived for sections in view.
    void refresh() {
        for (InfoSection* section : m_sections)
            if (!section->isHidden() && section->index < m_sheet.m_urls.size())
                section->fill(section->index, m_sheet.m_urls[section->index],
                              m_sheet.m_facts[section->index]);
    }

    void updateRange() {
        const int total = int(m_sheet.m_urls.size()) * m_height;
        verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
        verticalScrollBar()->setPageStep(viewport()->height());
    }

protected:
    void scrollContentsBy(int, int) override { place(); }
    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        updateRange();
        place();
    }

private:
    static constexpr int kGap = 20;
    FileInfoView& m_sheet;
    std::vector<InfoSection*> m_sections;
    int m_height = 1;
};

FileInfoView::FileInfoView(std::vector<std::string> urls, Reveal reveal, QWidget* parent)
    : QDialog(parent), m_urls(std::move(urls)), m_reveal(std::move(reveal)), m_facts(m_urls.size()),
      m_requested(m_urls.size()) {
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
    m_list = new InfoList(*this);
    column->addWidget(m_list, 1);
    m_list->updateRange();
    m_list->place();
}

FileInfoView::~FileInfoView() = default;

QString FileInfoView::title() const {
    return m_urls.size() == 1 ? tr("Get Info") : tr("Info for %Ln Item(s)", "", int(m_urls.size()));
}

void FileInfoView::relayout() {
    ++m_generation;
    std::fill(m_facts.begin(), m_facts.end(), std::nullopt);
    std::fill(m_requested.begin(), m_requested.end(), false);
    m_list->refresh();
    m_list->place();
}

bool FileInfoView::factsShown(size_t index) const {
    return index < m_facts.size() && m_facts[index].has_value();
}

void FileInfoView::requestFacts(size_t from, size_t to) {
    std::vector<std::pair<size_t, std::string>> wanted;
    for (size_t i = from; i < to; ++i)
        if (!m_requested[i]) {
            m_requested[i] = true;
            wanted.emplace_back(i, m_urls[i]);
        }
    if (wanted.empty())
        return;
    // Read on the pool: a stale network mount must not hold the window. A reply for an
    // earlier layout is dropped.
    using Read = std::vector<std::pair<size_t, ItemFacts>>;
    runOffThread(
        this,
        [wanted = std::move(wanted)] {
            Read read;
            read.reserve(wanted.size());
            for (const auto& [i, path] : wanted)
                read.emplace_back(i, readItemFacts(path));
            return read;
        },
        [this, generation = m_generation](const Read& read) {
            if (generation != m_generation)
                return;
            for (const auto& [i, facts] : read)
                m_facts[i] = facts;
            m_list->refresh();
            Q_EMIT factsArrived();
        });
}

} // namespace qb
