#pragma once
// The search bar: the folder to search, the pattern field with its Search or Stop button,
// the match options, the filter toggle and the line that explains an invalid pattern.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QCheckBox;
class QMenu;

namespace qb {

class SearchModel;

class SearchControls : public QWidget {
    Q_OBJECT
public:
    explicit SearchControls(SearchModel& model, QWidget* parent = nullptr);
    QLineEdit* patternField() const { return m_pattern; }

private:
    void rebuildFolderMenu();

    SearchModel& m_model;
    QToolButton* m_folderButton;
    QMenu* m_folderMenu;
    QLabel* m_parentPath;
    QLineEdit* m_pattern;
    QPushButton* m_search;
    QPushButton* m_stop;
    QToolButton* m_options;
    QToolButton* m_filters;
    QLabel* m_modeHint;
    QWidget* m_errorLine;
};

} // namespace qb
