// The preview while it loads large items: the longest time the GUI thread is away from its
// event loop (a 2 ms timer measures how late it fires) and the time until the content is
// shown, for a 50-megapixel image and a 100 MB text file; then stepping through 100 items
// with the arrow key held down (a key every 30 ms).
// Usage: qb_preview_bench   (runs offscreen unless a display is set)

#include "ui/preview/PreviewWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

struct Probe {
    QElapsedTimer clock;
    qint64 last = 0, worst = 0;
    QTimer timer;
    Probe() {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(2);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            worst = std::max(worst, now - last - 2000000);
            last = now;
        });
    }
    void start() {
        clock.start();
        last = 0;
        worst = 0;
        timer.start();
    }
};

// One preview window for the whole run, as the application keeps one.
qb::PreviewController& previewController() {
    static auto* controller = new qb::PreviewController; // lives past the application object
    return *controller;
}

void measure(const std::string& path, const char* what) {
    qb::PreviewController& controller = previewController();
    Probe probe;
    QEventLoop loop;
    auto connection =
        QObject::connect(&controller, &qb::PreviewController::shown, &loop, &QEventLoop::quit);
    QElapsedTimer total;
    probe.start();
    total.start();
    controller.show({path});
    loop.exec();
    controller.window()->repaint();
    const double shown = total.nsecsElapsed() / 1e6;
    probe.timer.stop();
    QObject::disconnect(connection);
    std::printf("%s: shown and painted after %.0f ms, longest GUI-thread stall %.1f ms\n", what,
                shown, probe.worst / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString work = QDir::tempPath() + "/qb-preview-bench-" + QString::number(getpid());
    QDir().mkpath(work);

    {
        QImage image(8660, 5774, QImage::Format_RGB32); // 50 megapixels
        QPainter p(&image);
        QLinearGradient gradient(0, 0, image.width(), image.height());
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, Qt::yellow);
        p.fillRect(image.rect(), gradient);
        p.end();
        image.save(work + "/large.jpg", "JPEG", 85);
    }
    {
        QFile text(work + "/large.txt");
        text.open(QIODevice::WriteOnly);
        const QByteArray line = "The quick brown fox jumps over the lazy dog 0123456789\n";
        for (qint64 written = 0; written < 100LL * 1000 * 1000; written += line.size())
            text.write(line);
    }
    for (int i = 0; i < 100; ++i) {
        QFile f(work + QString("/item%1.txt").arg(i, 3, 10, QChar('0')));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray("item ") + QByteArray::number(i) + "\n");
    }

    measure((work + "/large.jpg").toStdString(), "50-megapixel JPEG");
    measure((work + "/large.txt").toStdString(), "100 MB text");

    qb::PreviewController& controller = previewController();
    std::vector<std::string> items;
    for (int i = 0; i < 100; ++i)
        items.push_back((work + QString("/item%1.txt").arg(i, 3, 10, QChar('0'))).toStdString());
    controller.show(items);
    Probe probe;
    int shownCount = 0;
    QObject::connect(&controller, &qb::PreviewController::shown, [&] { ++shownCount; });
    QEventLoop loop;
    QTimer keys;
    int sent = 0;
    QElapsedTimer total;
    QObject::connect(&keys, &QTimer::timeout, [&] {
        if (sent == 99) {
            keys.stop();
            QTimer::singleShot(300, &loop, &QEventLoop::quit);
            return;
        }
        QCoreApplication::postEvent(controller.window(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
        ++sent;
    });
    probe.start();
    total.start();
    keys.start(30);
    loop.exec();
    std::printf("stepping through 100 items (a key every 30 ms): at item %d, %d contents shown, "
                "longest stall %.1f ms, %.0f ms\n",
                controller.index() + 1, shownCount, probe.worst / 1e6, total.nsecsElapsed() / 1e6);
    controller.closeWindow();
    QDir(work).removeRecursively();
    return 0;
}
