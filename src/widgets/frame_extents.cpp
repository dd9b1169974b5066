#include "widgets/frame_extents.h"

#include <QWidget>

#ifdef TOLVI_HAVE_XCB
#include <xcb/xcb.h>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>
#endif

namespace tolvi::widgets {

#ifdef TOLVI_HAVE_XCB

namespace {

constexpr auto kAnswerWait = std::chrono::milliseconds(250);
constexpr auto kPollStep = std::chrono::milliseconds(5);

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a window property of the given type, at most `length` of them.
std::vector<std::uint32_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type, std::uint32_t length) {
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, window, property, type, 0, length),
                               nullptr),
        &std::free);
    if (!reply || reply->type != type || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

}  // namespace

std::optional<QMargins> FrameExtentsBeforeShowing(QWidget& window) {
    // Other platforms may offer the interface too (offscreen does), without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr || !window.isWindow() || window.isVisible()) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());  // created now, not mapped
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    if (!geometry) {
        return std::nullopt;
    }
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const auto supported = Property(connection, geometry->root, Atom(connection, "_NET_SUPPORTED"),
                                    XCB_ATOM_ATOM, 4096);
    if (request == XCB_ATOM_NONE ||
        std::find(supported.begin(), supported.end(), request) == supported.end()) {
        return std::nullopt;
    }

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The window manager answers by setting _NET_FRAME_EXTENTS: left, right, top, bottom.
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
    do {
        const auto edges = Property(connection, id, extents, XCB_ATOM_CARDINAL, 4);
        if (edges.size() == 4) {
            return QMargins(static_cast<int>(edges[0]), static_cast<int>(edges[2]),
                            static_cast<int>(edges[1]), static_cast<int>(edges[3]));
        }
        std::this_thread::sleep_for(kPollStep);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

#else

std::optional<QMargins> FrameExtentsBeforeShowing(QWidget& /*window*/) {
    return std::nullopt;
}

#endif

}  // namespace tolvi::widgets
