#include "X11Activation.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace qb {
namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

xcb_window_t rootOf(xcb_connection_t* c, xcb_window_t window) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    xcb_window_t root = tree ? tree->root : xcb_window_t(XCB_WINDOW_NONE);
    std::free(tree);
    return root;
}

// The startup-notification protocol: a text sent to the root window in 20-byte pieces, the
// first of one message type and the rest of another, ending with its terminating zero.
void sendStartupMessage(xcb_connection_t* c, xcb_window_t root, xcb_window_t window,
                        const QByteArray& text) {
    xcb_atom_t begin = atom(c, "_NET_STARTUP_INFO_BEGIN");
    xcb_atom_t more = atom(c, "_NET_STARTUP_INFO");
    QByteArray bytes = text + '\0';
    for (qsizetype at = 0; at < bytes.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = window;
        event.type = at == 0 ? begin : more;
        std::memcpy(event.data.data8, bytes.constData() + at,
                    size_t(std::min<qsizetype>(20, bytes.size() - at)));
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
}

} // namespace

std::optional<std::uint32_t> startupTime(const QByteArray& startupId) {
    qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return std::nullopt;
    QByteArray digits = startupId.mid(at + 5);
    bool ok = false;
    qulonglong time = digits.toULongLong(&ok);
    // Launchers that know no time write _TIME0; as a timestamp it would lose every
    // comparison and keep the window behind.
    if (!ok || digits.isEmpty() || digits.front() == '-' || digits.front() == '+' || time == 0 ||
        time > 0xFFFFFFFFull)
        return std::nullopt;
    return std::uint32_t(time);
}

bool activateWithStartupId(QWidget* window, const QByteArray& startupId) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window || startupId.isEmpty())
        return false;
    xcb_connection_t* c = x11->connection();
    auto id = xcb_window_t(window->window()->winId());
    xcb_window_t root = rootOf(c, id);
    if (root == XCB_WINDOW_NONE)
        return false;
    if (auto time = startupTime(startupId)) {
        // Source 1: a request from the application itself, made at the time of the user's
        // action; the window manager weighs that time against its focus-stealing rules.
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id;
        event.type = atom(c, "_NET_ACTIVE_WINDOW");
        event.data.data32[0] = 1;
        event.data.data32[1] = *time;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&event));
    }
    QByteArray quoted = startupId;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    sendStartupMessage(c, root, id, "remove: ID=\"" + quoted + "\"");
    xcb_flush(c);
    return true;
}

} // namespace qb
