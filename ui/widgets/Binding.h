#pragma once
// Ties views to the search model. The model notifies on every assignment, also when a value
// is assigned again unchanged; views must react to changes only, or a repeated assignment
// would restart a search, move a text cursor or reset a view. The comparison lives here.

#include "model/SearchModel.h"

#include <QAbstractButton>
#include <QAction>
#include <QObject>
#include <memory>
#include <type_traits>

namespace qb {

enum class Initially { apply, skip };

// Calls act(value) when get() yields a value other than the last one seen, checked at each
// of the model's notifications; with Initially::apply also once now.
template <typename Get, typename Act, typename... Signals>
void onChange(QObject* context, SearchModel* model, Initially initially, Get get, Act act,
              Signals... signals) {
    using T = std::decay_t<decltype(get())>;
    auto last = std::make_shared<T>(get());
    if (initially == Initially::apply)
        act(*last);
    auto check = [get, act, last] {
        T value = get();
        if (value == *last)
            return;
        *last = std::move(value);
        act(*last);
    };
    (QObject::connect(model, signals, context, check), ...);
}

// Shorthand for the common case: apply now and on every change.
template <typename Get, typename Act, typename... Signals>
void follow(QObject* context, SearchModel* model, Get get, Act act, Signals... signals) {
    onChange(context, model, Initially::apply, get, act, signals...);
}

// A checkable button or action both ways: each side writes only when the other differs.
template <typename Checkable>
void bindChecked(Checkable* control, SearchModel* model, bool (SearchModel::*get)() const,
                 void (SearchModel::*set)(bool), void (SearchModel::*signal)()) {
    follow(
        control, model, [model, get] { return (model->*get)(); },
        [control](bool value) {
            if (control->isChecked() != value)
                control->setChecked(value);
        },
        signal);
    QObject::connect(control, &Checkable::toggled, model, [model, get, set](bool value) {
        if ((model->*get)() != value)
            (model->*set)(value);
    });
}

} // namespace qb
