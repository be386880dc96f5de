#include "ui/sheets/PreferencesView.h"

#include "model/SearchModel.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/SegmentedControl.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QShortcut>

namespace qb {
namespace {

// A segmented control bound to an enumeration of the model.
template <typename Enum>
QWidget* segmentedPicker(const QString& name, const QStringList& titles, SearchModel* m,
                         Enum (*get)(SearchModel*), void (*set)(SearchModel*, Enum),
                         void (SearchModel::*signal)(), QWidget* parent) {
    auto* control = new SegmentedControl(titles, name, parent);
    follow(
        control, m, [m, get] { return get(m); },
        [control](Enum value) { control->setCurrent(int(value)); }, signal);
    QObject::connect(control, &SegmentedControl::chosen, m, [m, get, set](int id) {
        if (get(m) != Enum(id))
            set(m, Enum(id));
    });
    return control;
}

QCheckBox* switchFor(const QString& title, SearchModel* m, bool (SearchModel::*get)() const,
                     void (SearchModel::*set)(bool), void (SearchModel::*signal)(),
                     QWidget* parent) {
    auto* box = new QCheckBox(title, parent);
    bindChecked(box, m, get, set, signal);
    return box;
}

QLabel* note(const QString& text, TextStyle style, QWidget* parent) {
    auto* label = makeLabel(text, style, true, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

PreferencesView::PreferencesView(SearchModel& model, QWidget* parent) : QWidget(parent) {
    SearchModel* m = &model;
    setWindowTitle(tr("Quillbrook Settings"));
    setFixedSize(480, 520);
    // A window of its own, closed from the keyboard like any settings window.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(14);

    auto* presentation = new QGroupBox(tr("Presentation"), this);
    auto* p = new QVBoxLayout(presentation);
    p->setSpacing(8);
    p->addWidget(makeLabel(tr("Window layout"), TextStyle::body, false, presentation));
    p->addWidget(segmentedPicker<WindowLayout>(
        tr("Window layout"), {tr("Focused"), tr("Workspace"), tr("Compact")}, m,
        [](SearchModel* s) { return s->layout(); },
        [](SearchModel* s, WindowLayout v) { s->setLayout(v); }, &SearchModel::layoutChanged,
        presentation));
    auto* descriptionRow = new QHBoxLayout;
    auto* descriptionIcon =
        new SymbolLabel("rectangle", 14, QPalette::PlaceholderText, presentation);
    auto* description = note({}, TextStyle::callout, presentation);
    description->setObjectName("layoutDescription");
    descriptionRow->addWidget(descriptionIcon, 0, Qt::AlignTop);
    descriptionRow->addWidget(description, 1);
    p->addLayout(descriptionRow);
    column->addWidget(presentation);
    follow(
        this, m, [m] { return m->layout(); },
        [description, descriptionIcon](WindowLayout layout) {
            static const std::pair<const char*, const char*> texts[] = {
                {"rectangle", QT_TR_NOOP("Search controls and a spacious results list.")},
                {"sidebar.left",
                 QT_TR_NOOP("Keep saved searches and recent folders alongside results.")},
                {"rectangle.compress.vertical",
                 QT_TR_NOOP("Start small. Expand the window when you search.")},
            };
            const auto& [sym, text] = texts[int(layout)];
            description->setText(tr(text));
            descriptionIcon->setSymbol(QString::fromLatin1(sym));
        },
        &SearchModel::layoutChanged);

    auto* search = new QGroupBox(tr("Search"), this);
    auto* s = new QVBoxLayout(search);
    s->setSpacing(6);
    s->addWidget(switchFor(tr("Search as you type"), m, &SearchModel::liveSearch,
                           &SearchModel::setLiveSearch, &SearchModel::liveSearchChanged, search));
    s->addWidget(note(tr("Waits briefly after typing. Turn off for Return-only searches on "
                         "large folders."),
                      TextStyle::caption, search));
    s->addWidget(switchFor(tr("Remember the last search folder"), m, &SearchModel::rememberFolder,
                           &SearchModel::setRememberFolder, &SearchModel::rememberFolderChanged,
                           search));
    s->addWidget(switchFor(tr("Run saved searches when opened"), m, &SearchModel::searchOnRecall,
                           &SearchModel::setSearchOnRecall, &SearchModel::searchOnRecallChanged,
                           search));
    column->addWidget(search);

    auto* appearance = new QGroupBox(tr("Appearance"), this);
    auto* a = new QVBoxLayout(appearance);
    a->setSpacing(8);
    a->addWidget(makeLabel(tr("Appearance"), TextStyle::body, false, appearance));
    a->addWidget(segmentedPicker<AppearanceMode>(
        tr("Appearance"), {tr("System"), tr("Light"), tr("Dark")}, m,
        [](SearchModel* s) { return s->appearance(); },
        [](SearchModel* s, AppearanceMode v) { s->setAppearance(v); },
        &SearchModel::appearanceChanged, appearance));
    a->addWidget(note(tr("System follows your desktop’s appearance. Your desktop’s accent color "
                         "is used in every mode."),
                      TextStyle::callout, appearance));
    column->addWidget(appearance);
    column->addStretch(1);
}

} // namespace qb
