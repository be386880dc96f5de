#include "ui/sheets/Alert.h"

#include "ui/widgets/ShownText.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace qb {

Alert::Alert(const QString& heading, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("alert"));
    setWindowTitle(windowTitleText(heading));
    setWindowModality(Qt::WindowModal);
    auto* row = new QHBoxLayout(this);
    row->setSpacing(16);
    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                        .pixmap(QSize(side, side), devicePixelRatioF()));
    row->addWidget(icon, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    row->addLayout(column, 1);
    // Fonts set directly rather than by a style sheet, which would pin the palette's colours
    // and leave dark text on a dark box after a switch to dark.
    auto* title = plainLabel(heading, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_message = plainLabel({}, this);
    m_message->setObjectName(QStringLiteral("alertMessage"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setMinimumWidth(360); // room for a path on one line
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addWidget(title);
    column->addWidget(m_message);
    column->addStretch(1);
    column->addWidget(buttons);
    setAccessibleName(heading);
}

void Alert::setMessage(const QString& message) {
    m_message->setText(message);
    setAccessibleDescription(message);
}

} // namespace qb
