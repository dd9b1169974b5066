#pragma once

// Every way a text comes into a text box from outside, driven as a user drives it: the paste
// keys and the context menu with the real clipboard, the middle button with the X11 selection,
// a drag and drop, an input method's commit.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include "tests/support/modal_driver.h"

namespace tolvi::test {

// The ways a text comes into a box from outside; an input method's commit, typed text for the
// box, is one of them for the rule on length.
enum class PasteRoute {
    CtrlV,
    ShiftInsert,
    ContextMenu,
    MiddleButton,
    ShiftMiddleButton,
    Drop,
    InputMethod
};

inline const char* RouteName(PasteRoute route) {
    switch (route) {
        case PasteRoute::CtrlV:
            return "Ctrl+V";
        case PasteRoute::ShiftInsert:
            return "Shift+Insert";
        case PasteRoute::ContextMenu:
            return "context menu";
        case PasteRoute::MiddleButton:
            return "middle button";
        case PasteRoute::ShiftMiddleButton:
            return "Shift+middle button";
        case PasteRoute::Drop:
            return "drop";
        case PasteRoute::InputMethod:
            return "input method";
    }
    return "?";
}

// Right-clicks the box: its context menu pops up without blocking, and `action` runs on it.
inline bool UseContextMenu(QLineEdit* box, const ModalDriver::Action& action) {
    ModalDriver driver(Modal::PopupMenu, action);
    const QPoint inside = box->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, inside, box->mapToGlobal(inside));
    QApplication::sendEvent(box, &request);
    return QTest::qWaitFor([&] { return driver.Succeeded(); });
}

// Brings `text` into the box at its cursor (at the end of the text) the way `route` does.
inline void Paste(QLineEdit* box, PasteRoute route, const QString& text) {
    const QPoint end(box->width() - 3, box->height() / 2);
    switch (route) {
        case PasteRoute::CtrlV:
            QGuiApplication::clipboard()->setText(text);
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_V, QStringLiteral("\x16"),
                                Qt::ControlModifier);
            break;
        case PasteRoute::ShiftInsert:
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case PasteRoute::ContextMenu:
            QGuiApplication::clipboard()->setText(text);
            QVERIFY(
                UseContextMenu(box, [](QWidget& m) { ClickMenuItem(m, QStringLiteral("Paste")); }));
            break;
        case PasteRoute::MiddleButton:
            QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
            QTest::mouseClick(box, Qt::MiddleButton, {}, end);
            break;
        case PasteRoute::ShiftMiddleButton:  // from a caret at the start: it selects nothing
            QTest::keyClick(box, Qt::Key_Home);
            QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
            QTest::mouseClick(box, Qt::MiddleButton, Qt::ShiftModifier, end);
            break;
        case PasteRoute::Drop: {
            QMimeData dragged;
            dragged.setText(text);
            QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QDragMoveEvent move(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &move);
            QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &drop);
            break;
        }
        case PasteRoute::InputMethod: {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(box, &commit);
            break;
        }
    }
}

}  // namespace tolvi::test
