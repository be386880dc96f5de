#include "ui/sheets/RenameMatchesDialog.h"

#include "model/ErrorText.h"
#include "model/OffThread.h"
#include "model/SearchModel.h"
#include "search/PathText.h"
#include "ui/sheets/RenamePreviewModel.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableView>

namespace qb {

RenameMatchesDialog::RenameMatchesDialog(SearchModel& model, std::vector<std::string> items,
                                         QWidget* parent)
    : QDialog(parent), m_model(model),
      m_items(std::make_shared<const std::vector<std::string>>(std::move(items))) {
    setWindowTitle(tr("Rename Matches"));
    setWindowModality(Qt::WindowModal);
    resize(640, 480);
    // Laid out like the window's other sheets: a heading, 24-point margins.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(12);
    column->addWidget(makeLabel(tr("Rename Matches"), TextStyle::headline, false, this));
    auto* form = new QFormLayout;
    m_find = new QLineEdit(model.pattern(), this);
    m_find->setObjectName(QStringLiteral("renameFind"));
    m_find->setFont(monospaceFont());
    m_caseSensitive = new QCheckBox(tr("Case sensitive"), this);
    m_caseSensitive->setChecked(model.caseSensitive());
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(m_find, 1);
    findRow->addWidget(m_caseSensitive);
    form->addRow(tr("Find:"), findRow);
    m_replace = new QLineEdit(this);
    m_replace->setObjectName(QStringLiteral("renameReplace"));
    m_replace->setFont(monospaceFont());
    m_replace->setPlaceholderText(tr("$1, ${name}, $0; \\$ for a dollar sign"));
    m_replaceAll = new QCheckBox(tr("Replace all occurrences"), this);
    m_replaceAll->setChecked(true);
    auto* replaceRow = new QHBoxLayout;
    replaceRow->addWidget(m_replace, 1);
    replaceRow->addWidget(m_replaceAll);
    form->addRow(tr("Replace with:"), replaceRow);
    column->addLayout(form);
    m_error = plainLabel({}, this);
    m_error->setVisible(false);
    column->addWidget(m_error);

    m_preview = new RenamePreviewModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_preview);
    m_table->setItemDelegateForColumn(RenamePreviewModel::newNameColumn,
                                      new RenamePreviewDelegate(m_table));
    // Rows read like the results list's.
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Fixed row heights: a table of 20,000 rows is then laid out without measuring them.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->setColumnWidth(RenamePreviewModel::oldNameColumn, 220);
    m_table->setColumnWidth(RenamePreviewModel::newNameColumn, 220);
    column->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    m_confirm = new QPushButton(tr("Rename"), this);
    m_confirm->setDefault(true);
    m_confirm->setEnabled(false);
    buttons->addWidget(cancel);
    buttons->addWidget(m_confirm);
    column->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_confirm, &QPushButton::clicked, this, [this] {
        if (!m_confirm->isEnabled())
            return;
        m_model.renameMatches(rules(), *m_items);
        accept();
    });
    connect(m_find, &QLineEdit::textChanged, this, &RenameMatchesDialog::replan);
    connect(m_replace, &QLineEdit::textChanged, this, &RenameMatchesDialog::replan);
    connect(m_caseSensitive, &QCheckBox::toggled, this, &RenameMatchesDialog::replan);
    connect(m_replaceAll, &QCheckBox::toggled, this, &RenameMatchesDialog::replan);
    connect(&m_model, &SearchModel::fileActionRunningChanged, this,
            &RenameMatchesDialog::updateConfirm);
    m_replace->setFocus();
    replan();
}

RenameMatchesDialog::~RenameMatchesDialog() {
    m_stop.request_stop();
}

RenameRules RenameMatchesDialog::rules() const {
    return {m_find->text().toStdString(), m_replace->text().toStdString(),
            m_caseSensitive->isChecked(), m_replaceAll->isChecked()};
}

void RenameMatchesDialog::replan() {
    m_stop.request_stop();
    m_stop = std::stop_source();
    const quint64 generation = ++m_generation;
    m_current = false;
    updateConfirm();
    if (m_find->text().isEmpty()) {
        // An empty pattern matches between every two characters; it is no request to rename.
        RenamePlan plan;
        for (const std::string& item : *m_items)
            plan.rows.push_back({item, std::string(lastComponent(item)), {}, {}});
        showPlan(std::move(plan));
        return;
    }
    runOffThread(
        this,
        [rules = rules(), items = m_items, stop = m_stop.get_token()] {
            return planRenames(rules, *items, {}, stop);
        },
        [this, generation](RenamePlan plan) {
            if (generation == m_generation)
                showPlan(std::move(plan));
        });
}

void RenameMatchesDialog::showPlan(RenamePlan plan) {
    m_error->setText(plan.error ? ErrorText::pattern(*plan.error) : QString());
    m_error->setVisible(plan.error.has_value());
    m_preview->setPlan(std::move(plan));
    m_current = true;
    updateConfirm();
    Q_EMIT planShown();
}

void RenameMatchesDialog::updateConfirm() {
    const RenamePlan& plan = m_preview->plan();
    const size_t n = plan.renamed;
    if (m_current)
        m_confirm->setText(tr("Rename %Ln Item(s)", "", int(n)));
    m_confirm->setEnabled(m_current && plan.usable() && !m_model.fileActionRunning());
}

RenameMatchesDialog* openRenameMatches(SearchModel& model, std::vector<std::string> items,
                                       QWidget* parent) {
    auto* dialog = new RenameMatchesDialog(model, std::move(items), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace qb
