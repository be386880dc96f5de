#include "ui/desktop/LaunchContext.h"

#include "ui/desktop/WaylandActivation.h"

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
    char* token; // the compositor's activation token, or null
};
struct QbLaunchContextClass {
    GAppLaunchContextClass parent_class;
};

G_DEFINE_TYPE(QbLaunchContext, qb_launch_context, G_TYPE_APP_LAUNCH_CONTEXT)

char* startupNotifyId(GAppLaunchContext* context, GAppInfo* info, GList*) {
    // GIO of this generation hands the id on as DESKTOP_STARTUP_ID (and to applications
    // started over D-Bus), which toolkits on Wayland take for the activation token.
    if (const char* token = reinterpret_cast<QbLaunchContext*>(context)->token)
        return g_strdup(token);
    QByteArray what = g_app_info_get_id(info) ? g_app_info_get_id(info) : "application";
    what.replace(' ', '_').replace('-', '_');
    const QByteArray id = startupId(what);
    return id.isEmpty() ? nullptr : g_strdup(id.constData());
}

void finalize(GObject* object) {
    g_free(reinterpret_cast<QbLaunchContext*>(object)->token);
    G_OBJECT_CLASS(qb_launch_context_parent_class)->finalize(object);
}

void qb_launch_context_class_init(QbLaunchContextClass* klass) {
    G_APP_LAUNCH_CONTEXT_CLASS(klass)->get_startup_notify_id = startupNotifyId;
    G_OBJECT_CLASS(klass)->finalize = finalize;
}

void qb_launch_context_init(QbLaunchContext* context) {
    context->token = nullptr;
}

} // namespace

void trackUserActions(QObject* owner) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(new UserTime(owner));
}

void withLaunchContext(std::function<void(GAppLaunchContext*)> launch) {
    requestActivationToken([launch = std::move(launch)](const QString& token) {
        auto* context =
            reinterpret_cast<QbLaunchContext*>(g_object_new(qb_launch_context_get_type(), nullptr));
        if (!token.isEmpty()) {
            const QByteArray bytes = token.toUtf8();
            context->token = g_strdup(bytes.constData());
            // Toolkits that read the token itself (Qt among them) find it here.
            g_app_launch_context_setenv(&context->parent, "XDG_ACTIVATION_TOKEN",
                                        bytes.constData());
        }
        launch(&context->parent);
        g_object_unref(context);
    });
}

void withStartupId(const QString& what, std::function<void(const QString& id)> use) {
    requestActivationToken([what, use = std::move(use)](const QString& token) {
        use(token.isEmpty() ? QString::fromUtf8(startupId(what.toUtf8())) : token);
    });
}

} // namespace qb
