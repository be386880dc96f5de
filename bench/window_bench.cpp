// The window while a 20,000-hit search streams in: the longest time the GUI thread is away
// from its event loop (a 2 ms timer measures how late it fires), with keys typed into the
// pattern field every 40 ms, and the time until the final update is applied and painted.
// Then, with 20,000 rows: sorting by each column, painting while scrolling, and memory; and
// Get Info on all of them: the sheet shown, filled and scrolled through. Last, a long stream of
// scattered hits, update by update.
// Usage: qb_window_bench [ITEMS]   (default 150,000 items, one in six a hit; runs offscreen
// unless a display is set)

#include "app/QuillbrookApp.h"
#include "model/JsonPreferencesFile.h"
#include "model/SearchModel.h"
#include "search/HitOrdering.h"
#include "ui/SearchView.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultsView.h"
#include "ui/sheets/FileInfoView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

void makeTree(const QString& root, int items) {
    for (int i = 0; i < items; ++i) {
        const QString dir = root + QString("/folder%1").arg(i / 500);
        if (i % 500 == 0)
            QDir().mkpath(dir);
        // One item in six matches, so 20,000 hits arrive spread over the whole walk.
        QFile f(dir + (i % 6 == 0 ? QString("/hit_%1.txt") : QString("/other_%1.dat")).arg(i));
        f.open(QIODevice::WriteOnly);
    }
}

struct LatencyProbe {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    std::vector<qint64> gaps;
    QTimer timer;
    explicit LatencyProbe(int intervalMs) {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(intervalMs);
        QObject::connect(&timer, &QTimer::timeout, [this, intervalMs] {
            const qint64 now = clock.nsecsElapsed();
            const qint64 late = now - last - qint64(intervalMs) * 1000000;
            last = now;
            gaps.push_back(late);
            worst = std::max(worst, late);
        });
    }
    void start() {
        clock.start();
        last = 0;
        worst = 0;
        gaps.clear();
        timer.start();
    }
    double percentileMs(double p) {
        if (gaps.empty())
            return 0;
        std::sort(gaps.begin(), gaps.end());
        return gaps[size_t(p * double(gaps.size() - 1))] / 1e6;
    }
};

// The calling thread's CPU time: on a machine busy with other work it says what the wall-clock
// figures cannot, how much the GUI thread itself did.
double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double statusMb(const char* key) {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.simplified().split(' ').value(1).toDouble() / 1024.0;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int items = argc > 1 ? std::atoi(argv[1]) : 150000;
    const QString work = QDir::tempPath() + "/qb-window-bench-" + QString::number(getpid());
    makeTree(work + "/tree", items);
    qputenv("XDG_DATA_HOME", (work + "/data").toUtf8());

    {
        qb::JsonPreferencesFile store((work + "/preferences.json").toStdString());
        qb::QuillbrookApp quillbrook(store);
        qb::SearchModel& m = quillbrook.model();
        m.setFolder((work + "/tree").toStdString());
        m.setPattern("hit_");
        qb::MainWindow* window = quillbrook.openSearchWindow();
        QLineEdit* field = window->view()->patternField();
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 300)
            QApplication::processEvents();

        LatencyProbe probe(2);
        int updates = 0;
        // An update's own work: from its hits' assignment to its counters', which follow once
        // every view of the ordered hits has taken the change in.
        double updateStart = 0, worstUpdateCpu = 0;
        QObject::connect(&m, &qb::SearchModel::hitsChanged, [&] {
            ++updates;
            updateStart = threadCpuMs();
        });
        QObject::connect(&m, &qb::SearchModel::scannedChanged, [&] {
            if (updateStart > 0)
                worstUpdateCpu = std::max(worstUpdateCpu, threadCpuMs() - updateStart);
            updateStart = 0;
        });
        QTimer typing;
        int typed = 0;
        QObject::connect(&typing, &QTimer::timeout, [&] {
            // Moves the cursor and types, then deletes: the pattern ends as it began, and with
            // live search off typing never restarts the walk.
            const int key = typed % 2 == 0 ? Qt::Key_Space : Qt::Key_Backspace;
            QCoreApplication::postEvent(field, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier,
                                                             key == Qt::Key_Space ? " " : ""));
            QCoreApplication::postEvent(field,
                                        new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
            ++typed;
        });
        field->setFocus();
        QEventLoop loop;
        QObject::connect(&m, &qb::SearchModel::searchEnded, &loop, &QEventLoop::quit);
        QElapsedTimer total;
        total.start();
        const double cpuBefore = threadCpuMs();
        probe.start();
        typing.start(40);
        m.search();
        loop.exec();
        // The final update is painted on the next turn.
        window->repaint();
        const double toFinal = total.nsecsElapsed() / 1e6;
        const double streamingCpu = threadCpuMs() - cpuBefore;
        typing.stop();
        probe.timer.stop();
        std::printf("items %d, hits %zu, updates applied %d, keys typed %d\n", items,
                    m.hits().size(), updates, typed);
        std::printf(
            "longest GUI-thread stall while streaming: %.1f ms (p99 %.1f ms, median %.2f ms)\n",
            probe.worst / 1e6, probe.percentileMs(0.99), probe.percentileMs(0.5));
        std::printf("search start to final update applied and painted: %.0f ms (GUI-thread CPU "
                    "%.1f ms; the longest update applied %.1f ms CPU)\n",
                    toFinal, streamingCpu, worstUpdateCpu);

        // Sorting every row by each column, as a header click does, through to the repaint.
        auto* view = window->view()->resultArea()->resultsView();
        const char* columns[] = {"name", "kind", "size", "location"};
        for (int column : {1, 2, 3, 0}) {
            QElapsedTimer t;
            t.start();
            const double cpu = threadCpuMs();
            view->sortByColumn(column, Qt::DescendingOrder);
            view->viewport()->repaint();
            const double ms = t.nsecsElapsed() / 1e6;
            std::printf(
                "sort %zu rows by %s after a header click, painted: %.1f ms (CPU %.1f ms)\n",
                m.orderedHits().size(), columns[column], ms, threadCpuMs() - cpu);
        }

        // Scrolling through every row a screen at a time.
        QScrollBar* bar = view->verticalScrollBar();
        std::vector<double> frames;
        for (int v = 0; v <= bar->maximum(); v += std::max(1, bar->pageStep())) {
            QElapsedTimer t;
            t.start();
            bar->setValue(v);
            view->viewport()->repaint();
            frames.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(frames.begin(), frames.end());
        std::printf(
            "paint one screen while scrolling (%zu screens): median %.2f ms, worst %.2f ms\n",
            frames.size(), frames[frames.size() / 2], frames.back());

        for (const char* key : {"VmRSS", "VmHWM"})
            std::printf("%s: %.1f MB\n", key, statusMb(key));

        // Get Info on every row: the time until the sheet is shown, then the GUI thread watched
        // while it fills and is scrolled every 8 ms through the whole list (a page, or a 300th
        // of the list when that is more).
        const double before = statusMb("VmRSS");
        std::vector<std::string> all;
        for (const qb::SearchHit* hit : m.orderedHits())
            all.push_back(hit->url);
        QElapsedTimer opening;
        opening.start();
        m.setInfoURLs(all);
        m.setShowInfo(true);
        qb::FileInfoView* sheet = window->view()->infoSheet();
        sheet->repaint();
        const double shown = opening.nsecsElapsed() / 1e6;
        probe.start();
        auto* list = sheet->findChild<QAbstractScrollArea*>();
        QScrollBar* sheetBar = list->verticalScrollBar();
        QEventLoop scrolled;
        QTimer paging;
        int pages = 0;
        QObject::connect(&paging, &QTimer::timeout, [&] {
            sheetBar->setValue(sheetBar->value() +
                               std::max(sheetBar->pageStep(), sheetBar->maximum() / 300));
            ++pages;
            if (sheetBar->value() >= sheetBar->maximum())
                scrolled.quit();
        });
        paging.start(8);
        scrolled.exec();
        paging.stop();
        QElapsedTimer drain;
        drain.start();
        while (drain.elapsed() < 200)
            QApplication::processEvents();
        probe.timer.stop();
        std::printf("Get Info on %zu items: shown and painted after %.1f ms; scrolled %d pages;"
                    " longest GUI-thread stall %.1f ms (p99 %.1f ms); memory %+.1f MB\n",
                    all.size(), shown, pages, probe.worst / 1e6, probe.percentileMs(0.99),
                    statusMb("VmRSS") - before);
        m.setShowInfo(false);

        // A long stream told update by update, as a slow walk of a large folder sends it: 20,000
        // hits whose names fall among the rows already shown, in updates of 200 and of 1,000,
        // with a row selected and current; each update applied and painted.
        std::vector<qb::SearchHit> stream;
        for (int i = 0; i < 20000; ++i) {
            char name[48];
            std::snprintf(name, sizeof name, "/stream/item_%05lld.txt", (i * 7919LL) % 20011);
            qb::SearchHit h;
            h.url = name;
            h.kind = "Plain Text";
            h.nameKey = qb::collationKey(h.name());
            stream.push_back(std::move(h));
        }
        for (size_t step : {200, 1000}) {
            m.setHits({});
            std::vector<double> updateCpu;
            double worstWall = 0;
            for (size_t k = step; k <= stream.size(); k += step) {
                const qb::SearchUpdate update{
                    qb::HitList::fromVector({stream.begin(), stream.begin() + std::ptrdiff_t(k)}),
                    int64_t(k), 0, false};
                QElapsedTimer t;
                t.start();
                const double cpu = threadCpuMs();
                m.apply(update, m.generation());
                QApplication::processEvents();
                view->viewport()->repaint();
                updateCpu.push_back(threadCpuMs() - cpu);
                worstWall = std::max(worstWall, t.nsecsElapsed() / 1e6);
                if (k == step)
                    view->selectionModel()->setCurrentIndex(view->model()->index(10, 0),
                                                            QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
            }
            std::sort(updateCpu.begin(), updateCpu.end());
            std::printf("%zu updates of %zu scattered hits, a row selected, each applied and "
                        "painted: median %.1f ms CPU, worst %.1f ms CPU (%.1f ms wall)\n",
                        updateCpu.size(), step, updateCpu[updateCpu.size() / 2], updateCpu.back(),
                        worstWall);
        }
    }
    QDir(work).removeRecursively();
    return 0;
}
