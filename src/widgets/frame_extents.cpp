#include "widgets/frame_extents.h"

#include <QWidget>

#ifdef TOLVI_HAVE_XCB
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <cerrno>

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#endif

namespace tolvi::widgets {

#ifdef TOLVI_HAVE_XCB

namespace {

constexpr auto kAnswerWait = std::chrono::milliseconds(250);

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;
using ConnectionPtr = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

enum Name : std::size_t { kSupported, kRequestFrameExtents, kFrameExtents, kWindowPid, kNames };

// The atoms of every name above, asked for together: one round trip.
std::array<xcb_atom_t, kNames> Atoms(xcb_connection_t* connection) {
    constexpr std::array<const char*, kNames> names = {
        "_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS", "_NET_WM_PID"};
    std::array<xcb_intern_atom_cookie_t, kNames> cookies{};
    for (std::size_t i = 0; i < kNames; ++i) {
        cookies[i] = xcb_intern_atom(connection, 0,
                                     static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    }
    std::array<xcb_atom_t, kNames> atoms{};
    for (std::size_t i = 0; i < kNames; ++i) {
        const ReplyPtr<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, cookies[i], nullptr), &std::free);
        atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
    return atoms;
}

xcb_get_property_cookie_t AskProperty(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property, xcb_atom_t type, std::uint32_t length) {
    return xcb_get_property(connection, 0, window, property, type, 0, length);
}

// The 32-bit values of a window property of the given type.
std::vector<std::uint32_t> PropertyValues(xcb_connection_t* connection,
                                          xcb_get_property_cookie_t asked, xcb_atom_t type) {
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, asked, nullptr), &std::free);
    if (!reply || reply->type != type || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// Whether the connection has a property-change event of this window's `property` waiting, or
// one arrives before the deadline. Every other event on the connection is dropped: it carries
// only what this probe asked for.
bool AwaitPropertyChange(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                         std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        // Events that came in with a reply are queued already; poll() would not see them.
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const ReplyPtr<xcb_generic_event_t> owned(event, &std::free);
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
                if (change->window == window && change->atom == property &&
                    change->state == XCB_PROPERTY_NEW_VALUE) {
                    return true;
                }
            }
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (xcb_connection_has_error(connection) != 0 || left.count() <= 0) {
            return false;
        }
        pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

std::optional<QMargins> FrameExtentsBeforeShowing(QWidget& window) {
    // Other platforms may offer the interface too (offscreen does), without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr || !window.isWindow() || window.isVisible()) {
        return std::nullopt;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());  // created now, not mapped
    // A round trip on the application's connection: once it returns, the window exists on the
    // server for every other connection too.
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x11->connection(), xcb_get_geometry(x11->connection(), id), nullptr),
        &std::free);
    if (!geometry) {
        return std::nullopt;
    }

    // The answer is awaited on a connection of the probe's own. The application's connection is
    // read by a thread of Qt's, and an event taken from it here would be lost to Qt; the events
    // this connection asks for reach it alone.
    const ConnectionPtr owned(xcb_connect(nullptr, nullptr), &xcb_disconnect);
    xcb_connection_t* connection = owned.get();
    if (xcb_connection_has_error(connection) != 0) {
        return std::nullopt;
    }
    const auto atoms = Atoms(connection);
    const std::uint32_t propertyChanges = XCB_EVENT_MASK_PROPERTY_CHANGE;
    const xcb_void_cookie_t watched =
        xcb_change_window_attributes_checked(connection, id, XCB_CW_EVENT_MASK, &propertyChanges);
    const auto supported =
        AskProperty(connection, geometry->root, atoms[kSupported], XCB_ATOM_ATOM, 4096);
    const auto pid = AskProperty(connection, id, atoms[kWindowPid], XCB_ATOM_CARDINAL, 1);
    const ReplyPtr<xcb_generic_error_t> unknownWindow(xcb_request_check(connection, watched),
                                                      &std::free);
    const auto requests = PropertyValues(connection, supported, XCB_ATOM_ATOM);
    // The same window on the same server: the application set its process id on it (a server
    // named otherwise than in DISPLAY may hold a window of this number too).
    if (unknownWindow || PropertyValues(connection, pid, XCB_ATOM_CARDINAL) !=
                             std::vector<std::uint32_t>{static_cast<std::uint32_t>(getpid())}) {
        return std::nullopt;
    }
    if (atoms[kRequestFrameExtents] == XCB_ATOM_NONE ||
        std::find(requests.begin(), requests.end(), atoms[kRequestFrameExtents]) ==
            requests.end()) {
        return std::nullopt;
    }

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = atoms[kRequestFrameExtents];
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;

    // The window manager answers by setting _NET_FRAME_EXTENTS: left, right, top, bottom.
    while (AwaitPropertyChange(connection, id, atoms[kFrameExtents], deadline)) {
        const auto edges = PropertyValues(
            connection, AskProperty(connection, id, atoms[kFrameExtents], XCB_ATOM_CARDINAL, 4),
            XCB_ATOM_CARDINAL);
        if (edges.size() == 4) {
            return QMargins(static_cast<int>(edges[0]), static_cast<int>(edges[2]),
                            static_cast<int>(edges[1]), static_cast<int>(edges[3]));
        }
    }
    return std::nullopt;
}

#else

std::optional<QMargins> FrameExtentsBeforeShowing(QWidget& /*window*/) {
    return std::nullopt;
}

#endif

}  // namespace tolvi::widgets
