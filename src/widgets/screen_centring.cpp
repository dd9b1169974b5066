#include "widgets/screen_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "widgets/frame_extents.h"

namespace tolvi::widgets {

namespace {

// Places the window so that its frame, `frame` around its client area, is centred on the work
// area of its screen. Returns where its client area is put.
QPoint CentreFrame(QWidget& window, QMargins frame) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return window.geometry().topLeft();
    }
    QRect framed = window.geometry().marginsAdded(frame);
    framed.moveCenter(screen->availableGeometry().center());
    const QPoint client = framed.topLeft() + QPoint(frame.left(), frame.top());
    window.winId();  // the native window, whose position is its client area's whatever its frame
    window.windowHandle()->setPosition(client);
    return client;
}

// Waits for the window manager's frame and centres it once it is known, as the window is shown,
// moved or painted. A manager frames a window before it maps it, so nobody can have moved the
// window before its first painting; later it is centred only where it was put. The frame is
// asked of the window system each time, as is the position: the widget's own idea of them is
// renewed only when the window moves, and the window need not move when it is framed.
class FrameCentring : public QObject {
  public:
    FrameCentring(QWidget& window, QPoint placed)
        : QObject(&window), window_(window), placed_(placed) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
                Check();
                break;
            case QEvent::Paint:
                Check();
                painted_ = true;
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void Check() {
        QWindow* native = window_.windowHandle();
        if (done_ || !window_.isVisible() || native == nullptr || native->frameMargins().isNull()) {
            return;  // no frame known yet
        }
        done_ = true;
        window_.removeEventFilter(this);
        // Where it was put: its client area there, or its frame's corner when the window manager
        // puts that in the client's place. Anywhere else, the user has moved it.
        const QMargins frame = native->frameMargins();
        const QPoint client = native->position();
        if (!painted_ || client == placed_ ||
            client - QPoint(frame.left(), frame.top()) == placed_) {
            CentreFrame(window_, frame);
        }
        deleteLater();
    }

    QWidget& window_;
    QPoint placed_;
    bool painted_ = false;
    bool done_ = false;
};

}  // namespace

void CenterOnScreen(QWidget& window) {
    if (const std::optional<QMargins> frame = FrameExtentsBeforeShowing(window)) {
        CentreFrame(window, *frame);  // the window manager has told its frame: it opens in place
        return;
    }
    // Centred with the frame known so far, and again once the window manager has told it.
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    const QPoint placed = CentreFrame(
        window, QMargins(client.left() - frame.left(), client.top() - frame.top(),
                         frame.right() - client.right(), frame.bottom() - client.bottom()));
    new FrameCentring(window, placed);
}

}  // namespace tolvi::widgets
