#pragma once

#include <QRadioButton>

namespace tolvi::platform {

// An option button of the group its window forms: selecting one clears the others, and every
// one of them keeps its own place in the focus order (Qt would keep only the selected one).
class OptionButton : public QRadioButton {
    Q_OBJECT

  public:
    explicit OptionButton(QWidget* parent = nullptr);

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace tolvi::platform
