#include "ui/SearchControls.h"

#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/SegmentedControl.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"
#include "ui/widgets/Symbols.h"

#include <QActionGroup>
#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace qb {
SearchControls::SearchControls(SearchModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    SearchModel* m = &model;
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 18);
    column->setSpacing(10);

    // Row 1: where to search.
    auto* row1 = new QHBoxLayout;
    row1->setSpacing(6);
    auto* searchIn = makeLabel(tr("Search in"), TextStyle::callout, true, this);
    m_folderButton = new QToolButton(this);
    m_folderButton->setObjectName("folderMenu");
    m_folderButton->setIcon(symbol("folder.fill"));
    m_folderButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_folderButton->setPopupMode(QToolButton::InstantPopup);
    m_folderButton->setAutoRaise(true);
    m_folderButton->setFont(fontFor(TextStyle::callout));
    m_folderButton->setMaximumWidth(320);
    m_folderButton->setFocusPolicy(Qt::StrongFocus);
    m_folderMenu = new QMenu(m_folderButton);
    m_folderButton->setMenu(m_folderMenu);
    m_parentPath = new ElidedLabel(this);
    m_parentPath->setFont(fontFor(TextStyle::caption));
    makeSecondary(m_parentPath);
    auto* choose = new QPushButton(tr("Choose…"), this);
    choose->setObjectName("chooseButton");
    choose->setFont(fontFor(TextStyle::callout));
    row1->addWidget(searchIn);
    row1->addWidget(m_folderButton);
    row1->addWidget(m_parentPath, 1);
    row1->addWidget(choose);
    column->addLayout(row1);
    connect(choose, &QPushButton::clicked, m, [m] { m->chooseFolder(); });

    // Row 2: the pattern and the button that runs or stops the search.
    auto* row2 = new QHBoxLayout;
    row2->setSpacing(8);
    m_pattern = new QLineEdit(this);
    m_pattern->setObjectName("patternField");
    m_pattern->setPlaceholderText(tr("Enter a regular expression"));
    m_pattern->setFont(monospaceFont(TextStyle::body));
    m_pattern->setClearButtonEnabled(true);
    m_pattern->setMinimumHeight(34);
    m_pattern->setTextMargins(6, 0, 4, 0);
    m_pattern->setAccessibleName(tr("Regular expression"));
    m_pattern->setAccessibleDescription(tr("Press Return to search the selected folder"));
    m_search = new QPushButton(symbol("magnifyingglass"), tr("Search"), this);
    m_search->setObjectName("searchButton");
    m_search->setFixedWidth(100);
    m_search->setMinimumHeight(34);
    m_search->setDefault(false);
    // The prominent, accent-filled button of the bar.
    // A style sheet takes palette colours when it is set: set it again for a new palette.
    followPalette(m_search, [search = m_search] {
        search->setStyleSheet({});
        search->setStyleSheet(QStringLiteral(
            "QPushButton:enabled { background: palette(highlight); color: "
            "palette(highlighted-text);"
            " border: 1px solid palette(highlight); border-radius: 5px; }"
            "QPushButton:enabled:hover { background: palette(highlight); }"
            "QPushButton:focus { border: 2px solid palette(highlighted-text); }"
            // Translucent greys read as disabled on light and dark palettes alike.
            "QPushButton:disabled { background: rgba(128, 128, 128, 40);"
            " color: rgba(128, 128, 128, 220); border: 1px solid rgba(128, 128, 128, 70);"
            " border-radius: 5px; }"));
    });
    m_stop = new QPushButton(symbol("stop.fill"), tr("Stop"), this);
    m_stop->setObjectName("stopButton");
    m_stop->setFixedWidth(100);
    m_stop->setMinimumHeight(34);
    row2->addWidget(m_pattern, 1);
    row2->addWidget(m_search);
    row2->addWidget(m_stop);
    column->addLayout(row2);
    connect(m_pattern, &QLineEdit::returnPressed, m, [m] { m->search(); });
    connect(m_search, &QPushButton::clicked, m, [m] { m->search(); });
    connect(m_stop, &QPushButton::clicked, m, [m] { m->cancel(); });

    // Row 3: how to match.
    auto* row3 = new QHBoxLayout;
    row3->setSpacing(12);
    auto* match = new SegmentedControl({tr("Name"), tr("Full Path")}, tr("Match against"), this);
    match->setObjectName("matchAgainst");
    match->setFixedWidth(164);
    match->setFont(fontFor(TextStyle::callout));
    auto* subfolders = new QCheckBox(tr("Subfolders"), this);
    subfolders->setObjectName("subfolders");
    subfolders->setFont(fontFor(TextStyle::callout));
    m_options = new QToolButton(this);
    m_options->setObjectName("optionsMenu");
    m_options->setIcon(symbol("slider.horizontal.3"));
    m_options->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_options->setPopupMode(QToolButton::InstantPopup);
    m_options->setAutoRaise(true);
    m_options->setToolTip(tr("Case sensitivity and hidden items"));
    m_options->setFont(fontFor(TextStyle::callout));
    m_options->setFocusPolicy(Qt::StrongFocus);
    auto* optionsMenu = new QMenu(m_options);
    auto* caseSensitive = optionsMenu->addAction(tr("Case Sensitive"));
    caseSensitive->setCheckable(true);
    auto* hidden = optionsMenu->addAction(tr("Include Hidden Items"));
    hidden->setCheckable(true);
    optionsMenu->addSeparator();
    auto* live = optionsMenu->addAction(tr("Search as You Type"));
    live->setCheckable(true);
    m_options->setMenu(optionsMenu);
    auto* help = new QToolButton(this);
    help->setObjectName("helpButton");
    help->setIcon(symbol("questionmark.circle"));
    help->setAutoRaise(true);
    help->setToolTip(tr("Regex reference and examples"));
    help->setAccessibleName(tr("Regex reference"));
    help->setFocusPolicy(Qt::StrongFocus);
    row3->addWidget(match);
    row3->addWidget(subfolders);
    row3->addWidget(m_options);
    row3->addWidget(help);
    row3->addStretch(1);
    column->addLayout(row3);
    connect(help, &QToolButton::clicked, m, [m] { m->setShowHelp(true); });

    // Row 4: filters, and how searches start.
    auto* row4 = new QHBoxLayout;
    row4->setSpacing(10);
    m_filters = new QToolButton(this);
    m_filters->setObjectName("filtersButton");
    m_filters->setIcon(symbol("line.3.horizontal.decrease"));
    m_filters->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_filters->setFont(fontFor(TextStyle::callout));
    m_filters->setFocusPolicy(Qt::StrongFocus);
    m_filters->setCheckable(true); // pressed while the filter bar shows
    m_modeHint = makeLabel({}, TextStyle::caption, true, this);
    m_modeHint->setObjectName("modeHint");
    row4->addWidget(m_filters);
    row4->addWidget(m_modeHint);
    row4->addStretch(1);
    column->addLayout(row4);
    connect(m_filters, &QToolButton::clicked, m, [m] { m->setShowFilters(!m->showFilters()); });

    // The explanation of a pattern that does not compile.
    m_errorLine = new QWidget(this);
    m_errorLine->setObjectName("patternError");
    auto* errorRow = new QHBoxLayout(m_errorLine);
    errorRow->setContentsMargins(0, 0, 0, 0);
    errorRow->setSpacing(6);
    const QColor red(0xd7, 0x28, 0x1e);
    auto* errorIcon = new QLabel(m_errorLine);
    errorIcon->setPixmap(symbol("exclamationmark.circle", red).pixmap(14, 14));
    auto* errorText = makeLabel(
        tr("This expression is incomplete or invalid. Check brackets, parentheses, and escapes."),
        TextStyle::callout, false, m_errorLine);
    QPalette errorPalette = errorText->palette();
    errorPalette.setColor(QPalette::WindowText, red);
    errorText->setPalette(errorPalette);
    errorText->setWordWrap(true);
    errorRow->addWidget(errorIcon, 0, Qt::AlignTop);
    errorRow->addWidget(errorText, 1);
    column->addWidget(m_errorLine);

    // Bindings.
    follow(
        this, m, [m] { return m->folder(); },
        [this](const std::string& folder) {
            m_folderButton->setText(actionText(m_model.folderName()));
            setPlainToolTip(m_folderButton, shownText(folder));
            m_parentPath->setText(folder == "/" ? QString() : shownText(parentOf(folder)));
        },
        &SearchModel::folderChanged);
    connect(m_folderMenu, &QMenu::aboutToShow, this, &SearchControls::rebuildFolderMenu);
    follow(
        this, m, [m] { return m->pattern(); },
        [this](const QString& pattern) {
            // Only a pattern set from elsewhere (an example, a saved search) replaces the text;
            // the user's own typing never comes back here, so cursor and undo stay put.
            if (m_pattern->text() != pattern)
                m_pattern->setText(pattern);
        },
        &SearchModel::patternChanged);
    connect(m_pattern, &QLineEdit::textChanged, m, [m](const QString& text) {
        if (m->pattern() != text)
            m->setPattern(text);
    });
    auto usableState = [m] { return std::pair(m->pattern().isEmpty(), m->patternUsable()); };
    follow(
        this, m, usableState,
        [this](std::pair<bool, bool> state) {
            m_search->setEnabled(state.second);
            m_errorLine->setVisible(!state.first && !state.second);
        },
        &SearchModel::patternChanged);
    follow(
        this, m, [m] { return m->running(); },
        [this](bool running) {
            const bool hadFocus = m_search->hasFocus() || m_stop->hasFocus();
            m_search->setVisible(!running);
            m_stop->setVisible(running);
            if (hadFocus)
                (running ? m_stop : m_search)->setFocus();
        },
        &SearchModel::runningChanged);
    follow(
        this, m, [m] { return m->fullPath(); },
        [match](bool fullPath) { match->setCurrent(fullPath ? 1 : 0); },
        &SearchModel::fullPathChanged);
    connect(match, &SegmentedControl::chosen, m, [m](int id) {
        if (m->fullPath() != (id == 1))
            m->setFullPath(id == 1);
    });
    bindChecked(subfolders, m, &SearchModel::recursive, &SearchModel::setRecursive,
                &SearchModel::recursiveChanged);
    bindChecked(caseSensitive, m, &SearchModel::caseSensitive, &SearchModel::setCaseSensitive,
                &SearchModel::caseSensitiveChanged);
    bindChecked(hidden, m, &SearchModel::includeHidden, &SearchModel::setIncludeHidden,
                &SearchModel::includeHiddenChanged);
    bindChecked(live, m, &SearchModel::liveSearch, &SearchModel::setLiveSearch,
                &SearchModel::liveSearchChanged);
    follow(
        this, m, [m] { return m->caseSensitive() || m->includeHidden(); },
        [this](bool marked) { m_options->setText(marked ? tr("Options •") : tr("Options")); },
        &SearchModel::caseSensitiveChanged, &SearchModel::includeHiddenChanged);
    follow(
        this, m, [m] { return m->showFilters(); },
        [this](bool shown) { m_filters->setChecked(shown); }, &SearchModel::showFiltersChanged);
    follow(
        this, m, [m] { return m->filters().active(); },
        [this](bool active) { m_filters->setText(active ? tr("Filters •") : tr("Filters")); },
        &SearchModel::filtersChanged);
    follow(
        this, m, [m] { return m->liveSearch(); },
        [this](bool live) {
            m_modeHint->setText(live ? tr("Live search") : tr("Press Return to search"));
        },
        &SearchModel::liveSearchChanged);
}

void SearchControls::rebuildFolderMenu() {
    SearchModel* m = &m_model;
    m_folderMenu->clear();
    m_folderMenu->addAction(symbol("folder.badge.plus"), tr("Choose Folder…"), m,
                            [m] { m->chooseFolder(); });
    const auto& recent = m_model.recentFolders();
    if (recent.empty())
        return;
    m_folderMenu->addSeparator();
    for (const std::string& folder : recent) {
        setActionText(m_folderMenu->addAction(symbol("folder"), QString(), m,
                                              [m, folder] { m->setFolder(folder); }),
                      shownText(folder));
    }
}

} // namespace qb
