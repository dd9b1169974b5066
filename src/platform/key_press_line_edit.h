#pragma once

#include <QClipboard>
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
//
// Nothing that reaches the box is ever cut to its maximum length: a paste (the paste key, the
// context menu, the middle mouse button's selection paste, a drop, an input method's commit)
// whose result would be longer is refused whole, the text stays as it was, and the paste
// refusal handler runs. A typed key that would not fit is refused with a beep.
class KeyPressLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    using KeyPressHandler = std::function<void(std::uint16_t& keyAscii)>;

    explicit KeyPressLineEdit(QWidget* parent = nullptr);

    void SetKeyPressHandler(KeyPressHandler handler) { keyPress_ = std::move(handler); }
    void SetPasteRefusedHandler(std::function<void()> handler) {
        pasteRefused_ = std::move(handler);
    }

    // True when the KeyPress handler would discard this key: it changes nothing in the box.
    bool Swallows(const QKeyEvent& key);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // What the KeyPress handler makes of a key.
    struct Typed {
        enum class Outcome { NoCharacter, Swallowed, AsItIs, Replaced } outcome;
        QString text;  // what reaches the box, for AsItIs and Replaced
    };
    Typed RunKeyPress(const QKeyEvent& key);
    // Runs the KeyPress handler on one character code; returns the code it leaves.
    std::uint16_t KeyPress(std::uint16_t keyAscii);
    // The characters of `text` that the handler lets through, each as it returned it.
    QString Filtered(const QString& text);

    // Whether the text stays within the maximum length when `added` characters come in and
    // `removed` go.
    bool Fits(qsizetype added, qsizetype removed) const;
    void PasteWhole();
    void RefusePaste();

    KeyPressHandler keyPress_;
    std::function<void()> pasteRefused_;
};

}  // namespace tolvi::platform
