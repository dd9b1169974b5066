#include "platform/change_label.h"

namespace tolvi::platform {

ChangeLabel::ChangeLabel(QWidget* parent) : ShrinkToFitLabel(parent) {}

void ChangeLabel::SetCaption(const QString& caption) {
    setText(caption);
    if (change_) {
        change_();
    }
}

}  // namespace tolvi::platform
