#pragma once

#include <QPushButton>

namespace tolvi {

// The Help button: Enter (Return or the keypad's Enter) clicks it while it has the focus, as
// Space does, although it is not the window's default button. A held key clicks it once.
class HelpButton : public QPushButton {
    Q_OBJECT

  public:
    explicit HelpButton(QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tolvi
