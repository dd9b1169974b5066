#include "platform/option_button.h"

namespace tolvi::platform {

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {}

void OptionButton::focusInEvent(QFocusEvent* event) {
    QRadioButton::focusInEvent(event);  // takes Tab focus from the others of the group
    if (parentWidget() == nullptr) {
        return;
    }
    for (OptionButton* other :
         parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly)) {
        other->setFocusPolicy(static_cast<Qt::FocusPolicy>(other->focusPolicy() | Qt::TabFocus));
    }
}

}  // namespace tolvi::platform
