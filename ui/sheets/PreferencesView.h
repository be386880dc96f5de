#pragma once
// The settings window's content: layout, live search, folder memory, recall behaviour and
// appearance, each bound straight to the model, which stores it at once.

#include <QWidget>

namespace qb {

class SearchModel;

class PreferencesView : public QWidget {
    Q_OBJECT
public:
    explicit PreferencesView(SearchModel& model, QWidget* parent = nullptr);
};

} // namespace qb
