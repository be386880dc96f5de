#pragma once
// A window-modal warning: a bold heading, a message shown as plain text (it names files), and
// OK. Built from public widgets so its parts are ours to style and to name.

#include <QDialog>

class QLabel;

namespace qb {

class Alert : public QDialog {
    Q_OBJECT
public:
    Alert(const QString& heading, QWidget* parent);
    void setMessage(const QString& message);

private:
    QLabel* m_message;
};

} // namespace qb
