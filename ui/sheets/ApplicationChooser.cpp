#include "ui/sheets/ApplicationChooser.h"

#include "ui/desktop/Applications.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace qb {

ApplicationChooser::ApplicationChooser(std::vector<ApplicationEntry> applications, QWidget* parent)
    : QDialog(parent), m_applications(std::move(applications)) {
    setWindowTitle(tr("Open With"));
    setWindowModality(Qt::WindowModal);
    resize(420, 480);
    auto* column = new QVBoxLayout(this);
    m_filter = new QLineEdit(this);
    m_filter->setPlaceholderText(tr("Filter applications"));
    m_filter->setAccessibleName(tr("Filter applications"));
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    m_list = new QListWidget(this);
    m_list->setAccessibleName(tr("Applications"));
    m_list->setIconSize({24, 24});
    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(tr("Open"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    column->addWidget(m_filter);
    column->addWidget(m_list, 1);
    column->addWidget(buttons);
    for (size_t i = 0; i < m_applications.size(); ++i) {
        auto* item =
            new QListWidgetItem(applicationIcon(m_applications[i]), m_applications[i].name, m_list);
        item->setData(Qt::UserRole, int(i));
    }
    connect(m_filter, &QLineEdit::textChanged, this, &ApplicationChooser::refilter);
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_open->setEnabled(row >= 0 && !m_list->item(row)->isHidden()); });
    connect(m_list, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] {
        if (QListWidgetItem* item = m_list->currentItem(); item && !item->isHidden())
            Q_EMIT chosen(m_applications[size_t(item->data(Qt::UserRole).toInt())].id);
    });
    m_open->setEnabled(false);
    if (m_list->count())
        m_list->setCurrentRow(0);
    m_filter->setFocus();
}

// Up and down in the filter field move through the list, so typing and choosing need no Tab.
bool ApplicationChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_list, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ApplicationChooser::refilter(const QString& text) {
    int first = -1;
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        const bool shown = item->text().contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first < 0)
            first = i;
    }
    if (!m_list->currentItem() || m_list->currentItem()->isHidden())
        m_list->setCurrentRow(first);
    m_open->setEnabled(first >= 0);
}

} // namespace qb
