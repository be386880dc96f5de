#pragma once
// A row of exclusive choices drawn as one control, the chosen one in the highlight colour.
// Each choice is a checkable button with its title, so screen readers list them as toggles.

#include <QWidget>

class QButtonGroup;

namespace qb {

class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    SegmentedControl(const QStringList& titles, const QString& accessibleName,
                     QWidget* parent = nullptr);
    int current() const;
    // Checks the choice without emitting chosen().
    void setCurrent(int index);

Q_SIGNALS:
    // The user picked another choice.
    void chosen(int index);

private:
    QButtonGroup* m_group;
};

} // namespace qb
