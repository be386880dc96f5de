#pragma once
// The search window's content: the sidebar, the search bar, the filter bar, the result area
// and the status line, arranged by the window layout, with the window's sheets, popup and
// alert, the folder drop and the keyboard focus rules.

#include "ui/sheets/Alert.h"
#include "ui/sheets/FileInfoView.h"
#include "ui/sheets/PatternHelp.h"
#include "ui/sheets/SaveSheet.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace qb {

class Commands;
class SearchModel;
class SearchControls;
class ResultArea;
class StatusBar;
class Sidebar;

class SearchView : public QWidget {
    Q_OBJECT
public:
    SearchView(SearchModel& model, Commands& commands, QWidget* parent = nullptr);
    ~SearchView() override;

    QLineEdit* patternField() const;
    ResultArea* resultArea() const { return m_resultArea; }
    SaveSheet* saveSheet() const { return m_saveSheet; }
    PatternHelp* patternHelp() const { return m_help; }
    Alert* alert() const { return m_alert; }
    FileInfoView* infoSheet() const { return m_info; }

    // Gives the pattern field the keyboard on the next turn of the event loop.
    void focusPattern();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void applyLayout();
    void showSaveSheet(bool show);
    void showHelp(bool show);
    void showAlert(const std::optional<QString>& message);
    void showInfoSheet(bool show);

    SearchModel& m_model;
    Sidebar* m_sidebar;
    QWidget* m_sidebarDivider;
    SearchControls* m_controls;
    QWidget* m_filterBar;
    QWidget* m_filterDivider;
    QWidget* m_hintRow;
    ResultArea* m_resultArea;
    QWidget* m_statusDivider;
    StatusBar* m_statusBar;
    // Each clears itself when its window goes, however it goes.
    QPointer<SaveSheet> m_saveSheet;
    QPointer<PatternHelp> m_help;
    QPointer<Alert> m_alert;
    QPointer<FileInfoView> m_info;
    // The keyboard moves while this view's children are destroyed, after this view is gone as
    // a SearchView: the destructor cuts this one first.
    QMetaObject::Connection m_focusWatch;
};

} // namespace qb
