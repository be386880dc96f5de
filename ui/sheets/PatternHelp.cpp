#include "ui/sheets/PatternHelp.h"

#include "model/SearchModel.h"
#include "ui/widgets/ExampleButton.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QToolButton>
#include <algorithm>

namespace qb {

PatternHelp::PatternHelp(SearchModel& model, QWidget* anchor)
    : QFrame(anchor), m_model(model), m_anchor(anchor) {
    SearchModel* m = &model;
    setObjectName("patternHelp");
    setAccessibleName(tr("Pattern Reference"));
    // The edge is drawn here: the style's panel edge vanishes on dark palettes.
    setFrameShape(QFrame::NoFrame);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    setFixedWidth(390);
    // Inside the window it may be taller than the room there (the compact layout): it scrolls.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->addWidget(scroll);
    m_content = new QWidget;
    auto* column = new QVBoxLayout(m_content);
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
        {QT_TR_NOOP("PDF files"), "\\.pdf$"},
        {QT_TR_NOOP("Images"), "\\.(png|jpe?g|heic)$"},
        {QT_TR_NOOP("Starts with Report"), "^Report"},
        {QT_TR_NOOP("Contains a year"), "202[0-9]"},
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
        {".*", QT_TR_NOOP("Any number of characters")},
        {".", QT_TR_NOOP("Any character")},
        {"[0-9]", QT_TR_NOOP("A digit")},
        {"\\.", QT_TR_NOOP("A literal dot")},
        {"(a|b)", QT_TR_NOOP("Either a or b")},
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
    scroll->setWidget(m_content);
}

// An overlay inside the window rather than a popup of its own: on Wayland a popup needs the
// serial of a recent input event, and opened from the keyboard or a screen reader right after
// a hand-over there is none, so it would open as a detached window somewhere else.
void PatternHelp::present() {
    place();
    raise();
    show();
    qApp->installEventFilter(this);
    m_anchor->installEventFilter(this);
    // The keyboard goes in with it, so Escape and Tab reach it, and comes back on closing.
    m_returnFocus = QApplication::focusWidget();
    if (auto* first = findChild<ExampleButton*>())
        first->setFocus(Qt::PopupFocusReason);
}

void PatternHelp::place() {
    const QRect area = m_anchor->rect();
    const int top = area.top() + 40;
    const int wanted = m_content->sizeHint().height() + 2 * frameWidth();
    setFixedHeight(std::min(wanted, std::max(120, area.bottom() - top - 8)));
    move(area.center().x() - width() / 2, top);
}

bool PatternHelp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_anchor && event->type() == QEvent::Resize)
        place();
    // Escape closes it rather than reaching the window's own Escape shortcut.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        isAncestorOf(static_cast<QWidget*>(watched)) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    // A click anywhere else dismisses it, as it would a popup.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        !isAncestorOf(static_cast<QWidget*>(watched)) && watched != this)
        close();
    return QFrame::eventFilter(watched, event);
}

void PatternHelp::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (m_returnFocus &&
        (!QApplication::focusWidget() || isAncestorOf(QApplication::focusWidget())))
        m_returnFocus->setFocus(Qt::PopupFocusReason);
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

void PatternHelp::paintEvent(QPaintEvent*) {
    // A hairline in the text colour, faint, reads as an edge on light and dark palettes alike.
    QColor edge = palette().color(QPalette::WindowText);
    edge.setAlpha(60);
    QPainter p(this);
    p.setPen(edge);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace qb
