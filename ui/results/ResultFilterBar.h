#pragma once
// The strip that narrows the listed results by kind, size and date. It only edits the
// model's filters; applying them and pruning the selection happen elsewhere.

#include <QWidget>

namespace qb {

class SearchModel;

class ResultFilterBar : public QWidget {
    Q_OBJECT
public:
    explicit ResultFilterBar(SearchModel& model, QWidget* parent = nullptr);
};

} // namespace qb
