#pragma once
// "Other…": every application the desktop shows, with a filter field and an "Open" button.

#include "model/Desktop.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qb {

class ApplicationChooser : public QDialog {
    Q_OBJECT
public:
    ApplicationChooser(std::vector<ApplicationEntry> applications, QWidget* parent);

Q_SIGNALS:
    void chosen(const std::string& applicationId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refilter(const QString& text);

    std::vector<ApplicationEntry> m_applications;
    QLineEdit* m_filter;
    QListWidget* m_list;
    QPushButton* m_open;
};

} // namespace qb
