#pragma once

#include <QRadioButton>

namespace tolvi {

// "VAT Inclusive" or "VAT Exclusive": one of the window's two mode buttons. Selecting one
// clears the other, and each keeps its own place in the focus order (Qt would keep only the
// selected one).
class ModeButton : public QRadioButton {
    Q_OBJECT

  public:
    explicit ModeButton(QWidget* parent = nullptr);

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace tolvi
