#include "widgets/screen_centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "widgets/frame_extents.h"

namespace tolvi::widgets {

namespace {

// Moves the window so that `frame`, its frame as far as it is known, is centred on the work
// area. Returns where the frame's top-left corner was put.
QPoint CentreFrame(QWidget& window, QRect frame) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return window.pos();
    }
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());  // a top-level window's position is its frame's
    return frame.topLeft();
}

// Waits for the window manager's frame and centres it once it is known: when the window is
// shown, moved, or exposed. A manager that frames a window where it was put moves none of it, and
// has set the frame's extents by the time the window is first exposed.
class FrameCentring : public QObject {
  public:
    FrameCentring(QWidget& window, QPoint placed)
        : QObject(&window), window_(window), placed_(placed) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
                if (QWindow* native = window_.windowHandle()) {
                    native->installEventFilter(this);  // for its exposure
                }
                Check();
                break;
            case QEvent::Move:
            case QEvent::Expose:
                Check();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void Check() {
        if (done_ || !window_.isVisible() || window_.frameGeometry() == window_.geometry()) {
            return;  // no frame known yet
        }
        done_ = true;
        window_.removeEventFilter(this);
        if (QWindow* native = window_.windowHandle()) {
            native->removeEventFilter(this);
        }
        // Framed where it was put: its frame's corner there, or its client area's when the
        // window manager keeps the client in place. Anywhere else, the user has moved it.
        if (window_.frameGeometry().topLeft() == placed_ ||
            window_.geometry().topLeft() == placed_) {
            CentreFrame(window_, window_.frameGeometry());
        }
        deleteLater();
    }

    QWidget& window_;
    QPoint placed_;
    bool done_ = false;
};

}  // namespace

void CenterOnScreen(QWidget& window) {
    if (const std::optional<QMargins> frame = FrameExtentsBeforeShowing(window)) {
        // The window manager has told its frame: the window opens in its place. Its native
        // window exists already, so its client area is placed where the frame will leave it.
        QRect framed = window.geometry().marginsAdded(*frame);
        if (const QScreen* screen = window.screen()) {
            framed.moveCenter(screen->availableGeometry().center());
        }
        window.windowHandle()->setPosition(framed.topLeft() + QPoint(frame->left(), frame->top()));
        return;
    }
    const QPoint placed = CentreFrame(window, window.frameGeometry());
    new FrameCentring(window, placed);
}

}  // namespace tolvi::widgets
