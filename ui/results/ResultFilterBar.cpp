#include "ui/results/ResultFilterBar.h"

#include "model/SearchModel.h"
#include "ui/widgets/Binding.h"
#include "ui/widgets/Style.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace qb {
namespace {

// A labelled picker over every case of one filter; choosing writes that member only.
template <typename Enum, size_t N>
QComboBox* picker(const QString& title, const std::array<Enum, N>& cases, int maxWidth,
                  Enum ResultFilters::*member, SearchModel* m, QWidget* parent, QHBoxLayout* row) {
    auto* caption = makeLabel(title, TextStyle::callout, false, parent);
    auto* box = new QComboBox(parent);
    box->setAccessibleName(title);
    box->setFont(fontFor(TextStyle::callout));
    box->setMaximumWidth(maxWidth);
    for (Enum value : cases) {
        const std::string_view text = label(value);
        box->addItem(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box);
    follow(
        box, m, [m, member] { return m->filters().*member; },
        [box](Enum value) {
            if (box->currentIndex() != int(value))
                box->setCurrentIndex(int(value));
        },
        &SearchModel::filtersChanged);
    QObject::connect(box, &QComboBox::currentIndexChanged, m, [m, member](int index) {
        if (index < 0 || m->filters().*member == Enum(index))
            return;
        ResultFilters filters = m->filters();
        filters.*member = Enum(index);
        m->setFilters(filters);
    });
    return box;
}

} // namespace

ResultFilterBar::ResultFilterBar(SearchModel& model, QWidget* parent) : QWidget(parent) {
    SearchModel* m = &model;
    setObjectName("filterBar");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 10, 16, 10);
    row->setSpacing(8);
    picker(tr("Kind"), kAllKindFilters, 200, &ResultFilters::kind, m, this, row);
    row->addSpacing(8);
    picker(tr("Size"), kAllSizeFilters, 200, &ResultFilters::size, m, this, row);
    row->addSpacing(8);
    picker(tr("Modified"), kAllModifiedFilters, 220, &ResultFilters::modified, m, this, row);
    row->addSpacing(8);
    auto* clear = new QPushButton(tr("Clear"), this);
    clear->setFont(fontFor(TextStyle::callout));
    row->addWidget(clear);
    row->addStretch(1);
    connect(clear, &QPushButton::clicked, m, [m] { m->setFilters({}); });
    follow(
        this, m, [m] { return m->filters().active(); },
        [clear](bool active) { clear->setEnabled(active); }, &SearchModel::filtersChanged);
}

} // namespace qb
