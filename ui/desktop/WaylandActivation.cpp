#include "ui/desktop/WaylandActivation.h"

#include "qwayland-xdg-activation-v1.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtWaylandClient/QWaylandClientExtensionTemplate>
#include <qpa/qplatformnativeinterface.h>
#include <utility>
#include <wayland-client.h>

namespace qb {
namespace {

// The compositor answers within a round trip; a launch waits no longer than this for it.
constexpr int kAnswerTimeoutMs = 500;

// The compositor's token issuer, bound through Qt's own registry and display.
class Activation : public QWaylandClientExtensionTemplate<Activation>,
                   public QtWayland::xdg_activation_v1 {
public:
    explicit Activation(QObject* parent) : QWaylandClientExtensionTemplate<Activation>(1) {
        setParent(parent);
        initialize(); // at once rather than on the next turn of the event loop
    }
    ~Activation() override {
        if (isActive())
            destroy();
    }
};

// The seat the serial belongs to. Bound here because Qt 6.4 hands out its own seat only by
// dereferencing it, which fails on a compositor without one.
class Seat : public QWaylandClientExtension {
public:
    explicit Seat(QObject* parent) : QWaylandClientExtension(1) {
        setParent(parent);
        initialize();
    }
    ~Seat() override {
        if (m_seat)
            wl_proxy_destroy(reinterpret_cast<wl_proxy*>(m_seat));
    }
    const wl_interface* extensionInterface() const override { return &wl_seat_interface; }
    void bind(wl_registry* registry, int id, int) override {
        // Its events (capabilities, name) are Qt's business; with no listener they are dropped.
        m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, id, &wl_seat_interface, 1));
    }
    wl_seat* seat() const { return m_seat; }

private:
    wl_seat* m_seat = nullptr;
};

class TokenRequest : public QObject, public QtWayland::xdg_activation_token_v1 {
public:
    TokenRequest(::xdg_activation_token_v1* token, std::function<void(const QString&)> done,
                 QObject* parent)
        : QObject(parent), QtWayland::xdg_activation_token_v1(token), m_done(std::move(done)) {
        QTimer::singleShot(kAnswerTimeoutMs, this, [this] { finish({}); });
    }
    ~TokenRequest() override {
        if (object())
            destroy();
    }

protected:
    void xdg_activation_token_v1_done(const QString& token) override { finish(token); }

private:
    void finish(const QString& token) {
        if (!m_done)
            return;
        std::exchange(m_done, nullptr)(token);
        deleteLater();
    }

    std::function<void(const QString&)> m_done;
};

// Made on first use, and only on Wayland: the extension classes take the platform integration
// to be Qt's Wayland one. Null where the compositor issues no tokens.
Activation* activation(Seat** seat) {
    static QPointer<Activation> issuer;
    static QPointer<Seat> issuerSeat;
    if (!issuer) {
        if (!qApp || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return nullptr;
        issuer = new Activation(qApp);
        issuerSeat = new Seat(qApp);
    }
    *seat = issuerSeat.data();
    return issuer->isActive() ? issuer.data() : nullptr;
}

// The window the user acted in: a menu's owner rather than the menu.
QWindow* actingWindow() {
    QWindow* window = QGuiApplication::focusWindow();
    while (window && window->transientParent() &&
           (window->type() == Qt::Popup || window->type() == Qt::ToolTip))
        window = window->transientParent();
    if (window)
        return window;
    for (QWindow* shown : QGuiApplication::topLevelWindows()) {
        if (shown->isVisible() && shown->type() != Qt::Popup && shown->type() != Qt::ToolTip)
            return shown;
    }
    return nullptr;
}

} // namespace

void requestActivationToken(std::function<void(const QString& token)> done) {
    Seat* seat = nullptr;
    Activation* issuer = activation(&seat);
    if (!issuer) {
        done({});
        return;
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* request = new TokenRequest(issuer->get_activation_token(), std::move(done), issuer);
    // Without the serial of an input event the compositor still issues a token, but may only
    // mark the started application as wanting attention.
    if (seat && seat->seat()) {
        const auto serial = static_cast<quint32>(
            reinterpret_cast<quintptr>(native->nativeResourceForIntegration("serial")));
        if (serial != 0)
            request->set_serial(serial, seat->seat());
    }
    if (QWindow* window = actingWindow()) {
        if (auto* surface =
                static_cast<wl_surface*>(native->nativeResourceForWindow("surface", window)))
            request->set_surface(surface);
    }
    request->commit();
    if (auto* display =
            static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display")))
        wl_display_flush(display);
}

} // namespace qb
