#pragma once
// "Rename Matches…": a find pattern and an ICU replacement applied to the names of the given
// items, with a live table of old and new names. Plans are made on the thread pool (they read
// the folders) and a newer edit stops and drops an older plan, so typing never waits for one.

#include "search/RenamePlanner.h"

#include <QDialog>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace qb {

class RenamePreviewModel;
class SearchModel;

class RenameMatchesDialog : public QDialog {
    Q_OBJECT
public:
    // The fields start from the model's pattern and case setting.
    RenameMatchesDialog(SearchModel& model, std::vector<std::string> items, QWidget* parent);
    ~RenameMatchesDialog() override;

    QLineEdit* findField() const { return m_find; }
    QLineEdit* replaceField() const { return m_replace; }
    QCheckBox* caseSensitiveBox() const { return m_caseSensitive; }
    QCheckBox* replaceAllBox() const { return m_replaceAll; }
    QLabel* errorLabel() const { return m_error; }
    QPushButton* confirmButton() const { return m_confirm; }
    const RenamePreviewModel& preview() const { return *m_preview; }
    RenameRules rules() const;

Q_SIGNALS:
    // A plan for the current fields is in the table.
    void planShown();

private:
    void replan();
    void showPlan(RenamePlan plan);
    void updateConfirm();

    SearchModel& m_model;
    // Shared with the plans in flight, so that a keystroke copies no names.
    std::shared_ptr<const std::vector<std::string>> m_items;
    QLineEdit* m_find;
    QCheckBox* m_caseSensitive;
    QLineEdit* m_replace;
    QCheckBox* m_replaceAll;
    QLabel* m_error;
    QTableView* m_table;
    RenamePreviewModel* m_preview;
    QPushButton* m_confirm;
    std::stop_source m_stop;
    quint64 m_generation = 0;
    bool m_current = false; // the table shows the plan of the current fields
};

// Opens the dialog window-modal on parent for the items; it deletes itself when closed.
RenameMatchesDialog* openRenameMatches(SearchModel& model, std::vector<std::string> items,
                                       QWidget* parent);

} // namespace qb
