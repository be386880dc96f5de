#pragma once
// What the result area shows while no result is listed: the search in progress, the first
// steps before any search, or why nothing is listed after one.

#include <QWidget>

class QLabel;
class QPushButton;

namespace qb {

class SearchModel;
class Spinner;

class EmptyState : public QWidget {
    Q_OBJECT
public:
    // editPattern: gives the pattern field the keyboard.
    EmptyState(SearchModel& model, std::function<void()> editPattern, QWidget* parent = nullptr);

    enum class Form { searching, start, nothing };
    Form form() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void refresh();

    SearchModel& m_model;
    Spinner* m_spinner;
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_text;
    QWidget* m_examples;
    QPushButton* m_clearFilters;
    QPushButton* m_editPattern;
};

} // namespace qb
