#include "PatternHelp.h"

#include "ExampleButton.h"
#include "ShownText.h"
#include "Style.h"
#include "Symbols.h"
#include "model/SearchModel.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace qb {

PatternHelp::PatternHelp(SearchModel& model, QWidget* anchor)
    : QFrame(anchor, Qt::Popup), m_model(model), m_anchor(anchor) {
    SearchModel* m = &model;
    setObjectName("patternHelp");
    setAccessibleName(tr("Pattern Reference"));
    setFrameShape(QFrame::StyledPanel);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedWidth(390);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 22);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    header->addWidget(makeLabel(tr("Pattern Reference"), TextStyle::headline, false, this));
    header->addStretch(1);
    auto* close = new QToolButton(this);
    close->setIcon(symbol("xmark.circle.fill", palette().color(QPalette::PlaceholderText)));
    close->setAutoRaise(true);
    close->setAccessibleName(tr("Close reference"));
    close->setToolTip(tr("Close reference"));
    header->addWidget(close);
    column->addLayout(header);
    connect(close, &QToolButton::clicked, m, [m] { m->setShowHelp(false); });

    auto* note = makeLabel(
        tr("A pattern matches anywhere in a name. Use ^ for the beginning and $ for the end."),
        TextStyle::body, true, this);
    note->setWordWrap(true);
    column->addWidget(note);

    static const std::pair<const char*, const char*> examples[] = {
        {"PDF files", "\\.pdf$"},
        {"Images", "\\.(png|jpe?g|heic)$"},
        {"Starts with Report", "^Report"},
        {"Contains a year", "202[0-9]"},
    };
    auto* exampleColumn = new QVBoxLayout;
    exampleColumn->setSpacing(2);
    for (const auto& [title, pattern] : examples) {
        auto* row = new ExampleButton(model, tr(title), QString::fromUtf8(pattern),
                                      ExampleButton::Style::row, this);
        connect(row, &QPushButton::clicked, m, [m] { m->setShowHelp(false); });
        exampleColumn->addWidget(row);
    }
    column->addLayout(exampleColumn);
    column->addWidget(makeDivider(false, this));

    static const std::pair<const char*, const char*> tokens[] = {
        {".*", "Any number of characters"}, {".", "Any character"},     {"[0-9]", "A digit"},
        {"\\.", "A literal dot"},           {"(a|b)", "Either a or b"},
    };
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(8);
    int r = 0;
    for (const auto& [token, meaning] : tokens) {
        QLabel* t = plainLabel(QString::fromUtf8(token), this);
        t->setFont(monospaceFont(TextStyle::callout));
        grid->addWidget(t, r, 0);
        grid->addWidget(makeLabel(tr(meaning), TextStyle::callout, false, this), r, 1);
        ++r;
    }
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    column->addWidget(makeDivider(false, this));
    auto* footer = makeLabel(tr("Searches filenames and paths using ICU regular expressions. "
                                "File contents, package contents, and symlink destinations "
                                "aren’t searched."),
                             TextStyle::caption, true, this);
    footer->setWordWrap(true);
    column->addWidget(footer);
}

void PatternHelp::present() {
    adjustSize();
    const QRect area = m_anchor->rect();
    const QPoint topCentre = m_anchor->mapToGlobal(QPoint(area.center().x(), area.top()));
    move(topCentre.x() - width() / 2, topCentre.y() + 40);
    show();
}

void PatternHelp::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    // Dismissed by a click outside, Escape or the close button: the model follows.
    if (m_model.showHelp())
        m_model.setShowHelp(false);
}

void PatternHelp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace qb
