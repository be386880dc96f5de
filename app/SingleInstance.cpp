#include "SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <gio/gio.h>

namespace qb {
namespace {

QString tokenFrom(const QVariantMap& platformData) {
    // GLib of this generation sends the startup id; newer ones an activation token.
    for (const char* key : {"activation-token", "desktop-startup-id"}) {
        const QString value = platformData.value(QLatin1String(key)).toString();
        if (!value.isEmpty())
            return value;
    }
    return {};
}

} // namespace

bool forwardToRunningInstance(const QStringList& urls, const QString& activationToken) {
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return false;
    }
    GVariantBuilder data;
    g_variant_builder_init(&data, G_VARIANT_TYPE("a{sv}"));
    if (!activationToken.isEmpty()) {
        const QByteArray token = activationToken.toUtf8();
        g_variant_builder_add(&data, "{sv}", "activation-token",
                              g_variant_new_string(token.constData()));
        g_variant_builder_add(&data, "{sv}", "desktop-startup-id",
                              g_variant_new_string(token.constData()));
    }
    GVariant* parameters;
    const char* method;
    if (urls.isEmpty()) {
        method = "Activate";
        parameters = g_variant_new("(a{sv})", &data);
    } else {
        method = "Open";
        GVariantBuilder list;
        g_variant_builder_init(&list, G_VARIANT_TYPE("as"));
        for (const QString& url : urls)
            g_variant_builder_add(&list, "s", url.toUtf8().constData());
        parameters = g_variant_new("(asa{sv})", &list, &data);
    }
    // No auto-start: this process is the one that would be started.
    GVariant* reply = g_dbus_connection_call_sync(
        bus, kApplicationId, kApplicationPath, "org.freedesktop.Application", method, parameters,
        nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, 10000, nullptr, &error);
    const bool delivered = reply != nullptr;
    if (reply)
        g_variant_unref(reply);
    g_clear_error(&error);
    g_object_unref(bus);
    return delivered;
}

ApplicationAdaptor::ApplicationAdaptor(QObject* parent, Handler handler)
    : QDBusAbstractAdaptor(parent), m_handler(std::move(handler)) {}

void ApplicationAdaptor::Activate(const QVariantMap& platformData) {
    m_handler({}, tokenFrom(platformData));
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap& platformData) {
    m_handler(uris, tokenFrom(platformData));
}

void ApplicationAdaptor::ActivateAction(const QString&, const QVariantList&,
                                        const QVariantMap& platformData) {
    m_handler({}, tokenFrom(platformData));
}

Registration registerApplication(QObject* object) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Registration::noBus;
    if (!bus.registerObject(QLatin1String(kApplicationPath), object,
                            QDBusConnection::ExportAdaptors))
        return Registration::noBus;
    auto reply = bus.interface()->registerService(QLatin1String(kApplicationId),
                                                  QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return Registration::noBus;
    return reply.value() == QDBusConnectionInterface::ServiceRegistered ? Registration::owner
                                                                        : Registration::taken;
}

} // namespace qb
