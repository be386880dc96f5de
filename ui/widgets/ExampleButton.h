#pragma once
// A button that offers an example pattern: its title, then the pattern in a smaller
// monospaced face. Clicking puts the pattern into the search field and focuses it.

#include <QPushButton>

namespace qb {

class SearchModel;

class ExampleButton : public QPushButton {
    Q_OBJECT
public:
    enum class Style { bordered, row };
    ExampleButton(SearchModel& model, const QString& title, const QString& pattern, Style style,
                  QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_row;
};

} // namespace qb
