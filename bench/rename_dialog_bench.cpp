// Typing into the "Rename Matches" dialog with 20,000 items selected: the longest time the GUI
// thread is away from its event loop (a 2 ms timer measures how late it fires) while a key
// is typed every 40 ms for three seconds, and how long the last plan takes to be shown.
// Usage: qb_rename_dialog_bench [ITEMS]   (default 20,000; runs offscreen unless a display is set)

#include "app/QuillbrookApp.h"
#include "model/JsonPreferencesFile.h"
#include "model/SearchModel.h"
#include "ui/MainWindow.h"
#include "ui/sheets/RenameMatchesDialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const QString work = QDir::tempPath() + "/qb-rename-dialog-bench-" + QString::number(getpid());
    QDir().mkpath(work + "/tree");
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) {
        const QString path = work + QString("/tree/IMG_%1 holiday.jpeg").arg(i);
        QFile(path).open(QIODevice::WriteOnly);
        items.push_back(path.toStdString());
    }
    qputenv("XDG_DATA_HOME", (work + "/data").toUtf8());
    {
        qb::JsonPreferencesFile store((work + "/preferences.json").toStdString());
        qb::QuillbrookApp quillbrook(store);
        qb::SearchModel& m = quillbrook.model();
        m.setPattern("^IMG_(\\d+) (\\w+)\\.jpeg$");
        qb::MainWindow* window = quillbrook.openSearchWindow();
        auto* dialog = qb::openRenameMatches(m, items, window);
        QLineEdit* field = dialog->replaceField();
        field->setFocus();
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 500)
            QApplication::processEvents();

        QElapsedTimer clock;
        qint64 last = 0, worst = 0, lastKey = 0, lastShown = 0;
        std::vector<qint64> gaps;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const qint64 late = now - last - 2000000;
            last = now;
            gaps.push_back(late);
            worst = std::max(worst, late);
        });
        int plans = 0;
        QObject::connect(dialog, &qb::RenameMatchesDialog::planShown, [&] {
            ++plans;
            lastShown = clock.nsecsElapsed();
        });
        // Types "$2 $1.jpg" one key at a time, then takes it back, and again.
        const QString text = "$2 $1.jpg";
        int typed = 0;
        QTimer typing;
        QObject::connect(&typing, &QTimer::timeout, [&] {
            const int round = typed % (2 * int(text.size()));
            const bool adding = round < text.size();
            const int key = adding ? 0 : Qt::Key_Backspace;
            const QString ch = adding ? QString(text[round]) : QString();
            QCoreApplication::postEvent(field,
                                        new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, ch));
            QCoreApplication::postEvent(field,
                                        new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, ch));
            lastKey = clock.nsecsElapsed();
            ++typed;
        });
        clock.start();
        probe.start(2);
        typing.start(40);
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, [&] {
            typing.stop();
            // Let the last plan arrive.
            QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        });
        loop.exec();
        probe.stop();
        std::sort(gaps.begin(), gaps.end());
        const double p99 = gaps.empty() ? 0 : gaps[size_t(0.99 * double(gaps.size() - 1))] / 1e6;
        std::printf("%d items, %d keys typed, %d plans shown; longest GUI-thread stall %.1f ms "
                    "(p99 %.1f ms); last plan shown %.0f ms after the last key\n",
                    count, typed, plans, worst / 1e6, p99, (lastShown - lastKey) / 1e6);
        dialog->close();
    }
    QDir(work).removeRecursively();
    return 0;
}
