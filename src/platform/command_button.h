#pragma once

#include <QPushButton>

namespace tolvi::platform {

// A push button that Enter (Return or the keypad's Enter) clicks while it has the focus, as
// Space does, without being its window's default button.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    explicit CommandButton(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tolvi::platform
