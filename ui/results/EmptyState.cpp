#include "ui/results/EmptyState.h"

#include "model/SearchModel.h"
#include "ui/widgets/ExampleButton.h"
#include "ui/widgets/Spinner.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace qb {

EmptyState::EmptyState(SearchModel& model, std::function<void()> editPattern, QWidget* parent)
    : QWidget(parent), m_model(model) {
    SearchModel* m = &model;
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 24, 24, 24);
    outer->addStretch(1);
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->setAlignment(Qt::AlignHCenter);
    outer->addLayout(column);
    outer->addStretch(1);

    m_spinner = new Spinner(24, this);
    m_icon = new QLabel(this);
    m_icon->setAlignment(Qt::AlignCenter);
    m_title = makeLabel({}, TextStyle::title, false, this);
    m_title->setObjectName("emptyTitle");
    m_title->setAlignment(Qt::AlignCenter);
    m_text = makeLabel({}, TextStyle::body, true, this);
    m_text->setObjectName("emptyText");
    m_text->setAlignment(Qt::AlignCenter);

    m_examples = new QWidget(this);
    auto* exampleRow = new QHBoxLayout(m_examples);
    exampleRow->setContentsMargins(0, 8, 0, 0);
    exampleRow->setSpacing(8);
    exampleRow->addWidget(new ExampleButton(model, tr("PDF files"), QStringLiteral("\\.pdf$"),
                                            ExampleButton::Style::bordered, m_examples));
    exampleRow->addWidget(new ExampleButton(model, tr("Images"),
                                            QStringLiteral("\\.(png|jpe?g|heic)$"),
                                            ExampleButton::Style::bordered, m_examples));

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->setSpacing(8);
    m_clearFilters = new QPushButton(tr("Clear Filters"), this);
    m_editPattern = new QPushButton(tr("Edit Pattern"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_clearFilters);
    buttons->addWidget(m_editPattern);
    buttons->addStretch(1);

    column->addWidget(m_spinner, 0, Qt::AlignHCenter);
    column->addWidget(m_icon, 0, Qt::AlignHCenter);
    column->addWidget(m_title, 0, Qt::AlignHCenter);
    column->addWidget(m_text, 0, Qt::AlignHCenter);
    column->addWidget(m_examples, 0, Qt::AlignHCenter);
    column->addLayout(buttons);

    connect(m_clearFilters, &QPushButton::clicked, m, [m] { m->setFilters({}); });
    connect(m_editPattern, &QPushButton::clicked, this, [editPattern] { editPattern(); });
    for (auto signal :
         {&SearchModel::runningChanged, &SearchModel::hasSearchedChanged,
          &SearchModel::cancelledChanged, &SearchModel::filtersChanged, &SearchModel::errorChanged,
          &SearchModel::folderChanged, &SearchModel::hitsChanged})
        connect(m, signal, this, &EmptyState::refresh);
    refresh();
}

void EmptyState::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        refresh(); // the symbol is drawn in the palette's dimmed colour
}

EmptyState::Form EmptyState::form() const {
    if (m_model.running())
        return Form::searching;
    if (!m_model.hasSearched())
        return Form::start;
    return Form::nothing;
}

void EmptyState::refresh() {
    const SearchModel& m = m_model;
    const Form f = form();
    const bool filtersActive = m.filters().active();
    m_spinner->setVisible(f == Form::searching);
    m_icon->setVisible(f != Form::searching);
    m_examples->setVisible(f == Form::start);
    m_clearFilters->setVisible(f == Form::nothing && filtersActive);
    m_editPattern->setVisible(f == Form::nothing);
    QString title, text, icon = QStringLiteral("doc.text.magnifyingglass");
    int iconSize = 36;
    switch (f) {
    case Form::searching:
        title = tr("Searching %1…").arg(m.folderName());
        text = tr("Matches appear as they’re found.");
        break;
    case Form::start:
        title = tr("Find exactly the files you need");
        text = tr("Enter a pattern above, then press Return.");
        break;
    case Form::nothing:
        iconSize = 34;
        if (m.cancelled()) {
            icon = QStringLiteral("stop.circle");
            title = tr("Search stopped");
            text = tr("Change the pattern or search again when you’re ready.");
        } else {
            if (filtersActive && !m.hits().empty())
                title = tr("No matches with these filters");
            else if (m.error())
                title = tr("Search unavailable");
            else
                title = tr("No matches");
            text = tr("Try a broader pattern, another folder, or include subfolders.");
        }
        break;
    }
    // The searching headline is the one line that is larger and not semibold.
    m_title->setFont(f == Form::searching ? fontFor(TextStyle::headline)
                                          : fontFor(TextStyle::title));
    m_title->setText(title);
    m_text->setText(text);
    m_icon->setPixmap(
        symbol(icon, palette().color(QPalette::PlaceholderText)).pixmap(iconSize, iconSize));
}

} // namespace qb
