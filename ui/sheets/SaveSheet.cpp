#include "ui/sheets/SaveSheet.h"

#include "model/SearchModel.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/Style.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qb {

SaveSheet::SaveSheet(SearchModel& model, QWidget* parent) : QDialog(parent) {
    SearchModel* m = &model;
    setWindowTitle(tr("Save Search"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(400);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(10);
    column->addWidget(makeLabel(tr("Save Search"), TextStyle::headline, false, this));
    auto* note = makeLabel(tr("Keep this pattern, folder, and search options together."),
                           TextStyle::body, true, this);
    note->setWordWrap(true);
    column->addWidget(note);
    m_name = new QLineEdit(this);
    m_name->setPlaceholderText(tr("Name"));
    m_name->setAccessibleName(tr("Name"));
    column->addWidget(m_name);
    auto* pattern = makeLabel(model.pattern(), TextStyle::callout, true, this);
    pattern->setFont(monospaceFont(TextStyle::callout));
    pattern->setTextFormat(Qt::PlainText);
    column->addWidget(pattern);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    m_save = new QPushButton(tr("Save"), this);
    m_save->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(m_save);
    column->addLayout(buttons);

    follow(
        this, m, [m] { return m->saveName(); },
        [this](const QString& name) {
            if (m_name->text() != name)
                m_name->setText(name);
            m_save->setEnabled(!name.trimmed().isEmpty());
        },
        &SearchModel::saveNameChanged);
    follow(
        this, m, [m] { return m->pattern(); },
        [pattern](const QString& text) { pattern->setText(text); }, &SearchModel::patternChanged);
    connect(m_name, &QLineEdit::textChanged, m, [m](const QString& text) {
        if (m->saveName() != text)
            m->setSaveName(text);
    });
    connect(m_name, &QLineEdit::returnPressed, m, [m] { m->save(); });
    connect(m_save, &QPushButton::clicked, m, [m] { m->save(); });
    connect(cancel, &QPushButton::clicked, m, [m] { m->setShowSave(false); });
    // Closing by any route (Escape, the window's close button) ends the sheet in the model.
    connect(this, &QDialog::finished, m, [m] {
        if (m->showSave())
            m->setShowSave(false);
    });
}

void SaveSheet::keyPressEvent(QKeyEvent* event) {
    // The name field handles its own Return; the dialog's default button must not save twice.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_name->hasFocus())
        return;
    QDialog::keyPressEvent(event);
}

} // namespace qb
