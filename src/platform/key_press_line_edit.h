#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace tolvi::platform {

// A text box whose KeyPress handler sees every key that produces a character before the box
// does, with a replaceable character code: 0 swallows the key. Backspace (8), Enter (13),
// Escape (27) and Ctrl+letter (1 to 26) count as characters, and so does text committed by an
// input method. Keys that produce no character (arrows, Home, End, Delete, Tab, Shift+Insert)
// never reach the handler. Pasting through the context menu bypasses it and still changes the
// text.
class KeyPressLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    using KeyPressHandler = std::function<void(std::uint16_t& keyAscii)>;

    explicit KeyPressLineEdit(QWidget* parent = nullptr);

    void SetKeyPressHandler(KeyPressHandler handler) { keyPress_ = std::move(handler); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    // Runs the KeyPress handler on one character code; returns the code it leaves.
    std::uint16_t KeyPress(std::uint16_t keyAscii);
    // The characters of `text` that the handler lets through, each as it returned it.
    QString Filtered(const QString& text);

    KeyPressHandler keyPress_;
};

}  // namespace tolvi::platform
