#pragma once
// The background tasks a search model keeps; shared by its source files.

#include "SearchModel.h"

#include <QCoreApplication>
#include <QEvent>
#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>

namespace qb {

struct SearchModel::SearchTask {
    std::stop_source stop;
    std::atomic<int> handoff{0}; // 1 once the GUI thread applied an update, or on stop
    std::atomic<bool> finished{false};
    std::thread thread;
};

struct SearchModel::FileTask {
    std::atomic<bool> done{false};
};

// A function to run on the thread that owns the receiver. Posted as an event rather than
// through invokeMethod so that the call is created on the worker and destroyed on the GUI
// thread, with the event queue's own locking between the two.
class CallEvent : public QEvent {
public:
    explicit CallEvent(std::function<void()> fn) : QEvent(eventType()), call(std::move(fn)) {}
    static QEvent::Type eventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    std::function<void()> call;
};

// A folder as the model keeps it: absolute and standardised; nothing for a relative or empty
// path.
std::optional<std::string> standardFolder(std::string_view path);

// Lines joined by line feeds, as one valid UTF-8 text.
QString joinLines(const std::vector<std::string>& lines);

inline void postCall(QObject* receiver, std::function<void()> fn) {
    QCoreApplication::postEvent(receiver, new CallEvent(std::move(fn)));
}

} // namespace qb
