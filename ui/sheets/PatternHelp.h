#pragma once
// The pattern reference: how patterns match, four examples to put into the field with one
// click, and the common tokens. An overlay over the window's content, shown while showHelp is
// true.

#include <QFrame>
#include <QPointer>

namespace qb {

class SearchModel;

class PatternHelp : public QFrame {
    Q_OBJECT
public:
    PatternHelp(SearchModel& model, QWidget* anchor);
    // Places the overlay over the anchor's content and shows it.
    void present();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void place();

    SearchModel& m_model;
    QWidget* m_anchor;
    QWidget* m_content;
    QPointer<QWidget> m_returnFocus;
};

} // namespace qb
