#pragma once
// One program per user on the session bus: the first start owns the application's name and
// implements org.freedesktop.Application; a later start hands its URLs to it and exits.

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantMap>
#include <functional>

namespace qb {

inline constexpr const char* kApplicationId = "com.local.tarnwick";
inline constexpr const char* kApplicationPath = "/com/local/tarnwick";

// Hands the URLs (none: just come forward) to a running instance. Needs no Qt application
// object, so a second start leaves before it builds one. False when none answers.
bool forwardToRunningInstance(const QStringList& urls, const QString& activationToken);

// The exported interface. Calls arrive on the GUI thread.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    using Handler = std::function<void(const QStringList& urls, const QString& activationToken)>;
    ApplicationAdaptor(QObject* parent, Handler handler);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    Handler m_handler;
};

enum class Registration { owner, taken, noBus };
// Exports the adaptor's object and claims the name.
Registration registerApplication(QObject* object);

} // namespace qb
