#include "ui/main_window/mode_button.h"

namespace tolvi {

ModeButton::ModeButton(QWidget* parent) : QRadioButton(parent) {}

void ModeButton::focusInEvent(QFocusEvent* event) {
    QRadioButton::focusInEvent(event);  // takes Tab focus from the others of the group
    if (parentWidget() == nullptr) {
        return;
    }
    for (ModeButton* other :
         parentWidget()->findChildren<ModeButton*>(Qt::FindDirectChildrenOnly)) {
        other->setFocusPolicy(static_cast<Qt::FocusPolicy>(other->focusPolicy() | Qt::TabFocus));
    }
}

}  // namespace tolvi
