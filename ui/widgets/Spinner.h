#pragma once
// A small indeterminate progress indicator; it animates only while shown.

#include <QWidget>

namespace qb {

class Spinner : public QWidget {
    Q_OBJECT
public:
    explicit Spinner(int diameter, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {m_diameter, m_diameter}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void timerEvent(QTimerEvent*) override;

private:
    int m_diameter;
    int m_step = 0;
    int m_timer = 0;
};

} // namespace qb
