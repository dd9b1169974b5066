#pragma once

// Drives the modal phases of a test (pop-up menus, modal windows) from timers, and fails the
// test instead of hanging when one is left open.

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace tolvi::test {

enum class Modal { PopupMenu, Window };

// Runs `action` on the first pop-up menu, or modal window, that opens, once it is shown.
class ModalDriver {
  public:
    using Action = std::function<void(QWidget& modal)>;

    ModalDriver(Modal kind, Action action, int watchdogMs = 5000)
        : kind_(kind), action_(std::move(action)) {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start();
        watchdog_.setSingleShot(true);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] { GiveUp(); });
        watchdog_.start(watchdogMs);
    }

    // True when the action ran; false when no modal phase opened or one had to be forced shut.
    bool Succeeded() const { return acted_ && !timedOut_; }

  private:
    QWidget* OpenModal() const {
        return kind_ == Modal::PopupMenu ? QApplication::activePopupWidget()
                                         : QApplication::activeModalWidget();
    }

    // A modal window is open for the user once it is also the active window: showing it
    // makes it the active modal widget at once, but its activation arrives later, as a window
    // system event, and until then QApplication::focusWidget() still names the focus of the
    // window below. A pop-up menu takes the keyboard as soon as it is shown.
    bool Ready(const QWidget& modal) const {
        return modal.isVisible() && (kind_ == Modal::PopupMenu || modal.isActiveWindow());
    }

    void Poll() {
        QWidget* modal = OpenModal();
        if (acted_ || modal == nullptr || !Ready(*modal)) {
            return;
        }
        acted_ = true;
        poll_.stop();
        action_(*modal);
    }

    void GiveUp() {
        poll_.stop();
        timedOut_ = true;
        while (QWidget* modal = OpenModal()) {
            modal->close();
        }
    }

    Modal kind_;
    Action action_;
    QTimer poll_;
    QTimer watchdog_;
    bool acted_ = false;
    bool timedOut_ = false;
};

// Clicks the menu item with this object name or caption in a pop-up menu.
inline void ClickMenuItem(QWidget& popup, const QString& name) {
    auto& menu = static_cast<QMenu&>(popup);
    for (QAction* action : menu.actions()) {
        const QString caption =
            action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        if (action->objectName() == name || caption == name) {
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
            return;
        }
    }
    menu.close();
}

}  // namespace tolvi::test
