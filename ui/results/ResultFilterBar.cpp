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

// A filter's label is also its stored identity, so it stays English in the core; these are the
// same labels marked for translation, shown through ResultFilterBar::tr.
[[maybe_unused]] const char* const kLabelsToTranslate[] = {
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Any Kind"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Files"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Folders"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Images"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Video"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Audio"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "PDF"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Text"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Archives"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Any Size"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Under 1 MB"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "1–100 MB"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Over 100 MB"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Any Date"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Today"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Last 7 Days"),
    QT_TRANSLATE_NOOP("qb::ResultFilterBar", "Last 30 Days"),
};

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
        box->addItem(ResultFilterBar::tr(std::string(label(value)).c_str()));
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
