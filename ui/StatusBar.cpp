#include "ui/StatusBar.h"

#include "model/SearchModel.h"
#include "ui/sheets/SkippedSheet.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Spinner.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>

namespace qb {

QString statusText(const SearchModel& model) {
    if (!model.hasSearched())
        return StatusBar::tr("Search filenames and paths · Select results to preview or organize");
    const qint64 total = qint64(model.hits().size());
    const QString matches = model.filters().active()
                                ? StatusBar::tr("%1 of %Ln match(es)", "", countArg(total))
                                      .arg(QLocale().toString(qint64(model.orderedHits().size())))
                                : StatusBar::tr("%Ln match(es)", "", countArg(total));
    const QString text =
        StatusBar::tr("%1 · %Ln item(s) searched", "", countArg(model.scanned())).arg(matches);
    return model.cancelled() ? StatusBar::tr("Stopped · %1").arg(text) : text;
}

QString warningText(const SearchModel& model) {
    if (model.limited())
        return StatusBar::tr(
            "Showing the first 20,000 matches. Narrow your search to see fewer results.");
    if (model.skipped() > 0)
        return StatusBar::tr(
            "%Ln item(s) skipped because they couldn’t be read or the pattern took too long.", "",
            countArg(model.skipped()));
    return {};
}

StatusBar::StatusBar(SearchModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    SearchModel* m = &model;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 8, 16, 8);
    column->setSpacing(4);

    m_fileLine = new QWidget(this);
    auto* fileRow = new QHBoxLayout(m_fileLine);
    fileRow->setContentsMargins(0, 0, 0, 0);
    fileRow->setSpacing(6);
    m_fileSpinner = new Spinner(12, m_fileLine);
    m_fileText = makeLabel({}, TextStyle::callout, true, m_fileLine);
    m_fileText->setObjectName("fileActionStatus");
    m_showCreated = new QPushButton(tr("Show in File Manager"), m_fileLine);
    m_showCreated->setFont(fontFor(TextStyle::caption));
    m_dismiss = new QToolButton(m_fileLine);
    m_dismiss->setIcon(symbol("xmark.circle.fill"));
    m_dismiss->setAutoRaise(true);
    m_dismiss->setAccessibleName(tr("Dismiss file operation status"));
    m_dismiss->setToolTip(tr("Dismiss file operation status"));
    fileRow->addWidget(m_fileSpinner);
    fileRow->addWidget(m_fileText);
    fileRow->addWidget(m_showCreated);
    fileRow->addWidget(m_dismiss);
    fileRow->addStretch(1);
    column->addWidget(m_fileLine);
    connect(m_showCreated, &QPushButton::clicked, this, [m] { m->reveal(m->lastCreatedItems()); });
    connect(m_dismiss, &QToolButton::clicked, m, [m] {
        m->setFileActionStatus(std::nullopt);
        m->setLastCreatedItems({});
    });

    m_warningLine = new QWidget(this);
    auto* warningRow = new QHBoxLayout(m_warningLine);
    warningRow->setContentsMargins(0, 0, 0, 0);
    warningRow->setSpacing(6);
    auto* warningIcon =
        new SymbolLabel("exclamationmark.triangle", 12, QPalette::PlaceholderText, m_warningLine);
    m_warningText = makeLabel({}, TextStyle::caption, true, m_warningLine);
    m_warningText->setObjectName("warningText");
    // What was skipped, and why, is one click away.
    m_showSkipped = new QPushButton(tr("Show skipped items"), m_warningLine);
    m_showSkipped->setObjectName("showSkipped");
    m_showSkipped->setFlat(true);
    m_showSkipped->setFont(fontFor(TextStyle::caption));
    makeLinkButton(m_showSkipped);
    warningRow->addWidget(warningIcon);
    warningRow->addWidget(m_warningText);
    warningRow->addWidget(m_showSkipped);
    warningRow->addStretch(1);
    column->addWidget(m_warningLine);
    connect(m_showSkipped, &QPushButton::clicked, this,
            [this] { openSkippedSheet(m_model, window()); });

    auto* statusRow = new QHBoxLayout;
    statusRow->setSpacing(8);
    m_spinner = new Spinner(12, this);
    m_status = makeLabel({}, TextStyle::callout, true, this);
    m_status->setObjectName("statusText");
    m_selected = makeLabel({}, TextStyle::callout, true, this);
    m_selected->setObjectName("selectedCount");
    m_elapsed = makeLabel({}, TextStyle::caption, true, this);
    m_elapsed->setObjectName("elapsedText");
    statusRow->addWidget(m_spinner);
    statusRow->addWidget(m_status);
    statusRow->addWidget(m_selected);
    statusRow->addStretch(1);
    statusRow->addWidget(m_elapsed);
    column->addLayout(statusRow);

    m_firstPath = new ElidedLabel(this);
    m_firstPath->setObjectName("firstSelectedPath");
    m_firstPath->setFont(fontFor(TextStyle::caption));
    m_firstPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    makeSecondary(m_firstPath);
    column->addWidget(m_firstPath);

    // Everything here is cheap text; one refresh per notification keeps it simple, and the
    // setters below leave a label alone when its text is unchanged.
    for (auto signal :
         {&SearchModel::fileActionStatusChanged, &SearchModel::fileActionRunningChanged,
          &SearchModel::lastCreatedItemsChanged, &SearchModel::skippedChanged,
          &SearchModel::skippedItemsChanged, &SearchModel::limitedChanged,
          &SearchModel::runningChanged, &SearchModel::hasSearchedChanged,
          &SearchModel::cancelledChanged, &SearchModel::orderedHitsChanged,
          &SearchModel::scannedChanged, &SearchModel::selectionChanged,
          &SearchModel::elapsedChanged})
        connect(m, signal, this, &StatusBar::refresh);
    refresh();
}

namespace {
void setText(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}
void setShown(QWidget* widget, bool shown) {
    if (widget->isVisibleTo(widget->parentWidget()) != shown)
        widget->setVisible(shown);
}
} // namespace

void StatusBar::refresh() {
    const SearchModel& m = m_model;
    const bool fileRunning = m.fileActionRunning();
    setShown(m_fileLine, m.fileActionStatus().has_value());
    setText(m_fileText, m.fileActionStatus().value_or(QString()));
    setShown(m_fileSpinner, fileRunning);
    setShown(m_showCreated, !fileRunning && !m.lastCreatedItems().empty());
    setShown(m_dismiss, !fileRunning);

    const QString warning = warningText(m);
    setShown(m_warningLine, !warning.isEmpty());
    setText(m_warningText, warning);
    // Only with a list to show: the sheet lists the model's records, not the bare count.
    setShown(m_showSkipped, !m.limited() && m.skippedItems().counts().total() > 0);

    setShown(m_spinner, m.running());
    setText(m_status, statusText(m));
    const bool anySelected = !m.selection().empty();
    setShown(m_selected, anySelected);
    if (anySelected)
        setText(m_selected, tr("%Ln selected", "", countArg(qint64(m.selection().size()))));
    const bool showElapsed = m.hasSearched() && !m.running();
    setShown(m_elapsed, showElapsed);
    if (showElapsed)
        setText(m_elapsed, tr("%1 s", "seconds").arg(QLocale().toString(m.elapsed(), 'f', 1)));

    QString first;
    if (anySelected) {
        // The first selected item in display order, without listing the whole selection.
        for (const SearchHit* hit : m.orderedHits()) {
            if (m.selection().count(hit->url)) {
                first = shownText(hit->url);
                break;
            }
        }
    }
    setShown(m_firstPath, !first.isEmpty());
    setText(m_firstPath, first);
    setPlainToolTip(m_firstPath, first);
}

} // namespace qb
