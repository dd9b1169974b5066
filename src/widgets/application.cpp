#include "widgets/application.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QWidget>

#ifdef TOLVI_HAVE_XCB
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace tolvi::widgets {

namespace {

bool ending = false;

#ifdef TOLVI_HAVE_XCB
xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// Takes the window manager's WM_DELETE_WINDOW for one window while a modal window is open, and
// closes the window once the event is handled.
class CloseRequestFilter final : public QAbstractNativeEventFilter {
  public:
    CloseRequestFilter(QWidget& window, xcb_connection_t* connection)
        : window_(&window),
          protocols_(Atom(connection, "WM_PROTOCOLS")),
          deleteWindow_(Atom(connection, "WM_DELETE_WINDOW")) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) override {
        if (type != "xcb_generic_event_t" || window_.isNull() ||
            QApplication::activeModalWidget() == nullptr) {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
            return false;
        }
        const auto* request = static_cast<const xcb_client_message_event_t*>(message);
        if (request->format != 32 || request->type != protocols_ ||
            request->data.data32[0] != deleteWindow_ ||
            request->window != static_cast<xcb_window_t>(window_->effectiveWinId())) {
            return false;
        }
        QMetaObject::invokeMethod(window_, "close", Qt::QueuedConnection);
        return true;
    }

  private:
    QPointer<QWidget> window_;
    xcb_atom_t protocols_;
    xcb_atom_t deleteWindow_;
};
#endif

}  // namespace

void EndApplication() {
    ending = true;
    // Hiding a window that runs a modal loop ends that loop; exit() ends every other loop.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

bool ApplicationEnding() {
    return ending;
}

void TakeCloseRequestsWhileBlocked([[maybe_unused]] QWidget& window) {
#ifdef TOLVI_HAVE_XCB
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {  // no X11 window system
        return;
    }
    auto* filter = new CloseRequestFilter(window, x11->connection());
    QCoreApplication::instance()->installNativeEventFilter(filter);
    QObject::connect(&window, &QObject::destroyed, [filter] {
        if (QCoreApplication::instance() != nullptr) {
            QCoreApplication::instance()->removeNativeEventFilter(filter);
        }
        delete filter;
    });
#endif
}

void UseButtonFaceBackground(QWidget& box) {
    QPalette palette = box.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Button));
    }
    box.setPalette(palette);
}

}  // namespace tolvi::widgets
