#include "ui/desktop/LaunchContext.h"

#include <QEvent>
#include <QGuiApplication>
#include <QInputEvent>
#include <QObject>
#include <unistd.h>

namespace qb {
namespace {

// Qt on X11 stamps input events with the X server's time, which startup ids carry.
unsigned long lastUserTime = 0;

class UserTime : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::TouchBegin:
            if (event->spontaneous())
                lastUserTime = static_cast<QInputEvent*>(event)->timestamp();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

QByteArray startupId(const QByteArray& what) {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || lastUserTime == 0)
        return {};
    static unsigned sequence = 0;
    char host[256] = "localhost";
    ::gethostname(host, sizeof host - 1);
    // The form launchers use: who launched, what, a sequence, and the time of the action.
    return "quillbrook-" + QByteArray::number(::getpid()) + '-' + QByteArray(host) + '-' + what +
           '-' + QByteArray::number(++sequence) + "_TIME" +
           QByteArray::number(qulonglong(lastUserTime & 0xFFFFFFFFul));
}

struct QbLaunchContext {
    GAppLaunchContext parent;
};
struct QbLaunchContextClass {
    GAppLaunchContextClass parent_class;
};

G_DEFINE_TYPE(QbLaunchContext, qb_launch_context, G_TYPE_APP_LAUNCH_CONTEXT)

char* startupNotifyId(GAppLaunchContext*, GAppInfo* info, GList*) {
    QByteArray what = g_app_info_get_id(info) ? g_app_info_get_id(info) : "application";
    what.replace(' ', '_').replace('-', '_');
    const QByteArray id = startupId(what);
    return id.isEmpty() ? nullptr : g_strdup(id.constData());
}

void qb_launch_context_class_init(QbLaunchContextClass* klass) {
    G_APP_LAUNCH_CONTEXT_CLASS(klass)->get_startup_notify_id = startupNotifyId;
}

void qb_launch_context_init(QbLaunchContext*) {}

} // namespace

void trackUserActions(QObject* owner) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(new UserTime(owner));
}

GAppLaunchContext* newLaunchContext() {
    return G_APP_LAUNCH_CONTEXT(g_object_new(qb_launch_context_get_type(), nullptr));
}

QString launchStartupId(const QString& what) {
    return QString::fromUtf8(startupId(what.toUtf8()));
}

} // namespace qb
