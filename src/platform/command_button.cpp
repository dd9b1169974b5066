#include "platform/command_button.h"

#include <QKeyEvent>

namespace tolvi::platform {

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat()) {
            click();
        }
        return;
    }
    QPushButton::keyPressEvent(event);
}

}  // namespace tolvi::platform
