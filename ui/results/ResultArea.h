#pragma once
// The area under the search bar: the "search changed" and error banners over either the
// results table or the empty state.

#include <QWidget>

class QStackedWidget;
class QLabel;

namespace qb {

class Commands;
class SearchModel;
class EmptyState;
class ResultsView;

class ResultArea : public QWidget {
    Q_OBJECT
public:
    ResultArea(SearchModel& model, std::function<void()> editPattern, Commands& commands,
               QWidget* parent = nullptr);
    ResultsView* resultsView() const { return m_results; }
    EmptyState* emptyState() const { return m_empty; }

private:
    QWidget* m_changedBanner;
    QWidget* m_errorBanner;
    QLabel* m_errorText;
    QStackedWidget* m_stack;
    bool m_focusParked = false;
    EmptyState* m_empty;
    ResultsView* m_results;
};

} // namespace qb
