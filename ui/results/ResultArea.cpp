#include "ui/results/ResultArea.h"

#include "model/SearchModel.h"
#include "ui/results/EmptyState.h"
#include "ui/results/ResultsView.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

namespace qb {
namespace {

// A strip across the top of the results: a row the caller fills, and a hairline under it.
struct Banner {
    QWidget* widget;
    QHBoxLayout* row;
};

Banner makeBanner(const char* name, int padding, int spacing, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(QLatin1String(name));
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, padding, 16, padding);
    row->setSpacing(spacing);
    column->addLayout(row);
    column->addWidget(makeDivider(false, widget));
    return {widget, row};
}

} // namespace

ResultArea::ResultArea(SearchModel& model, std::function<void()> editPattern, Commands& commands,
                       QWidget* parent)
    : QWidget(parent) {
    SearchModel* m = &model;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    const Banner changed = makeBanner("changedBanner", 6, 6, this);
    m_changedBanner = changed.widget;
    QHBoxLayout* changedRow = changed.row;
    auto* changedIcon =
        new SymbolLabel("arrow.clockwise", 12, QPalette::PlaceholderText, m_changedBanner);
    auto* changedText = makeLabel(tr("Search changed. Results below are from the previous search."),
                                  TextStyle::callout, true, m_changedBanner);
    auto* update = new QPushButton(tr("Update Results"), m_changedBanner);
    update->setFont(fontFor(TextStyle::callout));
    changedRow->addWidget(changedIcon);
    changedRow->addWidget(changedText, 1);
    changedRow->addWidget(update);
    column->addWidget(m_changedBanner);
    connect(update, &QPushButton::clicked, m, [m] { m->search(); });

    const Banner error = makeBanner("errorBanner", 10, 10, this);
    m_errorBanner = error.widget;
    QHBoxLayout* errorRow = error.row;
    auto* errorIcon = new QLabel(m_errorBanner);
    errorIcon->setPixmap(
        symbol("exclamationmark.triangle", QColor(0xe6, 0x7e, 0x00)).pixmap(18, 18));
    auto* errorStack = new QVBoxLayout;
    errorStack->setSpacing(2);
    auto* errorTitle =
        makeLabel(tr("Couldn’t finish searching"), TextStyle::headline, false, m_errorBanner);
    m_errorText = makeLabel({}, TextStyle::body, true, m_errorBanner);
    m_errorText->setObjectName("errorText");
    m_errorText->setWordWrap(true);
    m_errorText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorStack->addWidget(errorTitle);
    errorStack->addWidget(m_errorText);
    auto* choose = new QPushButton(tr("Choose Folder…"), m_errorBanner);
    errorRow->addWidget(errorIcon, 0, Qt::AlignTop);
    errorRow->addLayout(errorStack, 1);
    errorRow->addWidget(choose, 0, Qt::AlignTop);
    column->addWidget(m_errorBanner);
    connect(choose, &QPushButton::clicked, m, [m] { m->chooseFolder(); });

    m_stack = new QStackedWidget(this);
    m_empty = new EmptyState(model, std::move(editPattern), m_stack);
    m_results = new ResultsView(model, commands, m_stack);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(m_results);
    column->addWidget(m_stack, 1);

    follow(
        this, m, [m] { return std::pair(m->criteriaChanged(), m->patternUsable()); },
        [this, update](std::pair<bool, bool> state) {
            m_changedBanner->setVisible(state.first);
            update->setEnabled(state.second);
        },
        &SearchModel::executedCriteriaChanged, &SearchModel::folderChanged,
        &SearchModel::patternChanged, &SearchModel::recursiveChanged,
        &SearchModel::caseSensitiveChanged, &SearchModel::includeHiddenChanged,
        &SearchModel::fullPathChanged);
    follow(
        this, m, [m] { return m->error(); },
        [this](const std::optional<QString>& error) {
            m_errorBanner->setVisible(error.has_value());
            m_errorText->setText(error.value_or(QString()));
        },
        &SearchModel::errorChanged);
    follow(
        this, m, [m] { return m->orderedHits().empty(); },
        [this](bool empty) {
            // A search repeated after a file command empties the list for a moment; the focus
            // waits on the empty page rather than wander off to a button, and comes back.
            const bool listHadFocus = m_results->hasFocus();
            m_stack->setCurrentWidget(empty ? static_cast<QWidget*>(m_empty) : m_results);
            if (empty && listHadFocus) {
                m_empty->setFocus();
                m_focusParked = true;
            } else if (!empty && m_focusParked) {
                m_focusParked = false;
                if (m_empty->hasFocus())
                    m_results->setFocus();
            }
        },
        &SearchModel::orderedHitsChanged);
}

} // namespace qb
