#pragma once
// The one way work leaves the GUI thread and comes back (the search's walk, with its own
// backpressure, and the preferences writer aside): the work runs on the thread pool, and its
// result reaches `done` on the context's thread from the event loop.
//
// Qt 6.4's QFuture::then(context, …) would do the same, but it runs the continuation inside
// the caller when the work has already finished by the time it is attached, and it checks the
// context from the worker thread, where the context may be going away at that moment. A
// watcher owned by the context has neither problem.

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <type_traits>
#include <utility>

namespace qb {

// done(result) runs later, never inside this call, and not at all once context is gone. The
// returned future is the work's, for waiting on it at exit.
template <typename Work, typename Done>
QFuture<std::invoke_result_t<Work>> runOffThread(QObject* context, Work work, Done done) {
    using Result = std::invoke_result_t<Work>;
    auto* watcher = new QFutureWatcher<Result>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, done = std::move(done)]() mutable {
                         watcher->deleteLater();
                         if constexpr (std::is_void_v<Result>)
                             done();
                         else
                             done(watcher->future().takeResult());
                     });
    QFuture<Result> future = QtConcurrent::run(std::move(work));
    watcher->setFuture(future);
    return future;
}

} // namespace qb
