#pragma once
// The sheet that names the current search and keeps it. It is shown while the model's
// showSave is true; Return saves (from the name field even when the name is blank, which the
// model then refuses), Escape closes it without saving.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qb {

class SearchModel;

class SaveSheet : public QDialog {
    Q_OBJECT
public:
    SaveSheet(SearchModel& model, QWidget* parent);
    QLineEdit* nameField() const { return m_name; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* m_name;
    QPushButton* m_save;
};

} // namespace qb
