#include "ui/main_window/help_button.h"

#include <QKeyEvent>

namespace tolvi {

HelpButton::HelpButton(QWidget* parent) : QPushButton(parent) {}

void HelpButton::keyPressEvent(QKeyEvent* event) {
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

}  // namespace tolvi
