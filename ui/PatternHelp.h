#pragma once
// The pattern reference: how patterns match, four examples to put into the field with one
// click, and the common tokens. A popup over the window, shown while showHelp is true.

#include <QFrame>

namespace qb {

class SearchModel;

class PatternHelp : public QFrame {
    Q_OBJECT
public:
    PatternHelp(SearchModel& model, QWidget* anchor);
    // Places the popup over the anchor's content and shows it.
    void present();

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    SearchModel& m_model;
    QWidget* m_anchor;
};

} // namespace qb
