#pragma once
// The status line under the results: the file operation's progress and outcome, the warning
// about skipped items or the hit limit, the counts and timing, and the first selected path.

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace qb {

class SearchModel;
class Spinner;

// "12 matches · 3,400 items searched" and its variants.
QString statusText(const SearchModel& model);
// The warning about the hit limit or skipped items; empty when there is nothing to say.
QString warningText(const SearchModel& model);

class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(SearchModel& model, QWidget* parent = nullptr);

private:
    void refresh();

    SearchModel& m_model;
    QWidget* m_fileLine;
    Spinner* m_fileSpinner;
    QLabel* m_fileText;
    QPushButton* m_showCreated;
    QToolButton* m_dismiss;
    QWidget* m_warningLine;
    QLabel* m_warningText;
    QPushButton* m_showSkipped;
    Spinner* m_spinner;
    QLabel* m_status;
    QLabel* m_selected;
    QLabel* m_elapsed;
    QLabel* m_firstPath;
};

} // namespace qb
