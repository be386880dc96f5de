#include "ui/SearchView.h"

#include "model/SearchModel.h"
#include "ui/SearchControls.h"
#include "ui/Sidebar.h"
#include "ui/StatusBar.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultFilterBar.h"
#include "ui/results/ResultsView.h"
#include "ui/sheets/FileInfoView.h"
#include "ui/sheets/PatternHelp.h"
#include "ui/sheets/SaveSheet.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/Style.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace qb {
namespace {

// Regions on the "bar" background, as opposed to the results' base colour.
void onBar(QWidget* widget) {
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

} // namespace

SearchView::SearchView(SearchModel& model, Commands& commands, QWidget* parent)
    : QWidget(parent), m_model(model) {
    SearchModel* m = &model;
    setObjectName("searchView");
    setAcceptDrops(true);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_sidebar = new Sidebar(model, this);
    m_sidebarDivider = makeDivider(true, this);
    row->addWidget(m_sidebar);
    row->addWidget(m_sidebarDivider);

    auto* column = new QVBoxLayout;
    column->setSpacing(0);
    row->addLayout(column, 1);
    m_controls = new SearchControls(model, this);
    onBar(m_controls);
    column->addWidget(m_controls);
    column->addWidget(makeDivider(false, this));
    m_filterBar = new ResultFilterBar(model, this);
    onBar(m_filterBar);
    m_filterDivider = makeDivider(false, this);
    column->addWidget(m_filterBar);
    column->addWidget(m_filterDivider);

    m_hintRow = new QWidget(this);
    m_hintRow->setObjectName("compactHint");
    auto* hint = new QHBoxLayout(m_hintRow);
    hint->setContentsMargins(20, 10, 20, 10);
    auto* hintText = makeLabel({}, TextStyle::callout, true, m_hintRow);
    auto* examples = new QPushButton(tr("Pattern examples"), m_hintRow);
    examples->setFlat(true);
    examples->setFont(fontFor(TextStyle::callout));
    makeLinkButton(examples);
    hint->addWidget(hintText);
    hint->addStretch(1);
    hint->addWidget(examples);
    column->addWidget(m_hintRow);
    column->addStretch(0);
    connect(examples, &QPushButton::clicked, m, [m] { m->setShowHelp(true); });

    m_resultArea = new ResultArea(
        model, [this] { focusPattern(); }, commands, this);
    column->addWidget(m_resultArea, 1);
    m_statusDivider = makeDivider(false, this);
    column->addWidget(m_statusDivider);
    m_statusBar = new StatusBar(model, this);
    onBar(m_statusBar);
    column->addWidget(m_statusBar);

    follow(
        this, m, [m] { return std::pair(m->layout(), m->compactIdle()); },
        [this](auto) { applyLayout(); }, &SearchModel::layoutChanged,
        &SearchModel::hasSearchedChanged);
    follow(
        this, m, [m] { return m->showFilters(); },
        [this](bool shown) {
            m_filterBar->setVisible(shown);
            m_filterDivider->setVisible(shown);
        },
        &SearchModel::showFiltersChanged);
    follow(
        this, m, [m] { return m->liveSearch(); },
        [hintText](bool live) {
            hintText->setText(live ? tr("Searches as you type") : tr("Return to search"));
        },
        &SearchModel::liveSearchChanged);

    // A changed search (any of its six settings) restarts the live-search delay.
    onChange(
        this, m, Initially::skip, [m] { return m->criteria(); },
        [m](const SearchCriteria&) { m->scheduleLiveSearch(); }, &SearchModel::folderChanged,
        &SearchModel::patternChanged, &SearchModel::recursiveChanged,
        &SearchModel::caseSensitiveChanged, &SearchModel::includeHiddenChanged,
        &SearchModel::fullPathChanged);
    // New filters deselect what they hide, and never select anything. A date filter's
    // threshold passing hides items with the filters unchanged, so every notification counts.
    connect(m, &SearchModel::filtersChanged, this, [m] {
        std::set<std::string> kept;
        for (const SearchHit* hit : m->orderedHits())
            if (m->selection().count(hit->url))
                kept.insert(hit->url);
        if (kept != m->selection())
            m->setSelection(std::move(kept));
    });
    onChange(
        this, m, Initially::skip, [m] { return m->focusRequest(); },
        [this](const QUuid&) { focusPattern(); }, &SearchModel::focusRequestChanged);
    // Any new selection that is not empty puts the keyboard in the results.
    onChange(
        this, m, Initially::skip, [m] { return m->selection(); },
        [this](const std::set<std::string>& selection) {
            if (!selection.empty() && !m_resultArea->resultsView()->hasFocus())
                m_resultArea->resultsView()->setFocus();
        },
        &SearchModel::selectionChanged);
    // editingPattern mirrors whether the pattern field has the keyboard.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this, m] {
        const bool editing = patternField()->hasFocus();
        if (m->editingPattern() != editing)
            m->setEditingPattern(editing);
    });

    follow(
        this, m, [m] { return m->showSave(); }, [this](bool show) { showSaveSheet(show); },
        &SearchModel::showSaveChanged);
    follow(
        this, m, [m] { return m->showHelp(); }, [this](bool show) { showHelp(show); },
        &SearchModel::showHelpChanged);
    follow(
        this, m, [m] { return m->showInfo(); }, [this](bool show) { showInfoSheet(show); },
        &SearchModel::showInfoChanged);
    follow(
        this, m, [m] { return m->fileActionError(); },
        [this](const std::optional<QString>& message) { showAlert(message); },
        &SearchModel::fileActionErrorChanged);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, m, [m] {
        if (m->running())
            m->cancel();
    });
}

QLineEdit* SearchView::patternField() const {
    return m_controls->patternField();
}

SearchView::~SearchView() {
    disconnect(m_focusWatch);
}

void SearchView::focusPattern() {
    // Qt 6.4 on Wayland asks the compositor to activate the window on every change of the focused
    // widget: a field that has the keyboard in the active window already is left alone.
    if (QLineEdit* current = patternField(); current->hasFocus() && current->isActiveWindow())
        return;
    // Both focus states are cleared at once; the field takes the keyboard on the next turn,
    // after whatever asked for it has finished moving focus itself.
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    QPointer<QLineEdit> field = patternField();
    QMetaObject::invokeMethod(
        this,
        [field] {
            if (field && field->isVisible()) {
                if (!field->isActiveWindow())
                    field->activateWindow();
                field->setFocus(Qt::OtherFocusReason);
            }
        },
        Qt::QueuedConnection);
}

void SearchView::applyLayout() {
    const bool workspace = m_model.layout() == WindowLayout::workspace;
    const bool idle = m_model.compactIdle();
    m_sidebar->setVisible(workspace);
    m_sidebarDivider->setVisible(workspace);
    m_hintRow->setVisible(idle);
    m_resultArea->setVisible(!idle);
    m_statusDivider->setVisible(!idle);
    m_statusBar->setVisible(!idle);
    const ContentSizes sizes = contentSizes(m_model.layout(), idle);
    setMinimumSize(sizes.minWidth, sizes.minHeight);
}

void SearchView::showSaveSheet(bool show) {
    if (!show) {
        if (m_saveSheet) {
            m_saveSheet->hide();
            m_saveSheet->deleteLater();
            m_saveSheet = nullptr;
        }
        return;
    }
    if (m_saveSheet)
        return;
    m_saveSheet = new SaveSheet(m_model, this);
    m_saveSheet->setAttribute(Qt::WA_DeleteOnClose);
    m_saveSheet->open();
    m_saveSheet->nameField()->selectAll();
    m_saveSheet->nameField()->setFocus();
}

void SearchView::showHelp(bool show) {
    if (!show) {
        if (m_help)
            m_help->close();
        m_help = nullptr;
        return;
    }
    if (m_help)
        return;
    m_help = new PatternHelp(m_model, this);
    m_help->present();
}

void SearchView::showAlert(const std::optional<QString>& message) {
    if (!message) {
        if (m_alert)
            m_alert->close();
        return;
    }
    if (!m_alert) {
        m_alert = new Alert(tr("File Operation"), this);
        m_alert->setAttribute(Qt::WA_DeleteOnClose);
        // Dismissed by any route, the message is done with.
        SearchModel* m = &m_model;
        connect(m_alert, &QDialog::finished, m, [m] {
            if (m->fileActionError())
                m->setFileActionError(std::nullopt);
        });
        m_alert->setMessage(*message);
        m_alert->open();
    } else {
        m_alert->setMessage(*message);
    }
}

void SearchView::showInfoSheet(bool show) {
    if (!show) {
        if (m_info)
            m_info->close();
        return;
    }
    if (m_info)
        return;
    // The sheet shows the items as they were when it opened.
    SearchModel* m = &m_model;
    m_info = new FileInfoView(
        m_model.infoURLs(), [m](const std::vector<std::string>& items) { m->reveal(items); }, this);
    m_info->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_info, &QDialog::finished, m, [m] {
        if (m->showInfo())
            m->setShowInfo(false);
    });
    m_info->open();
}

void SearchView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void SearchView::dropEvent(QDropEvent* event) {
    if (m_model.acceptFolderProviders(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

} // namespace qb
