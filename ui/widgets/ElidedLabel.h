#pragma once
// A one-line label that shortens its text in the middle to fit, keeping the whole text as
// its readable text and tooltip.

#include <QLabel>

namespace qb {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace qb
