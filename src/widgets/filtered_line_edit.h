#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <optional>

namespace tolvi::widgets {

// A text box whose key filter sees every key that produces a character before the box does,
// and returns the character code to go on with: the same, another, or 0, which swallows the
// key. Backspace (8), Enter (13), Escape (27) and Ctrl+letter (1 to 26) count as characters,
// and so does text committed by an input method, character by character. Keys that produce no
// character (arrows, Home, End, Delete, Tab) never reach the filter, nor do the editing keys:
// Ctrl+A selects all, Ctrl+C and Ctrl+Insert copy, Ctrl+X and Shift+Delete cut, Ctrl+V and
// Shift+Insert paste, Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, as do the desktop's own
// keys for these commands. Pasting bypasses the filter and still changes the text.
//
// The keypad's decimal key reaches the filter as "." whatever character the keyboard layout
// gives it.
//
// A text from outside (the paste keys, the context menu's Paste, the middle mouse button's
// selection paste, a drop, an assistive tool's insert or paste) goes through the outside-text rule,
// which gives the text that enters in place of the selection, or refuses it whole (and says why
// itself): the box then stays as it was. Where the box has a commit rule, an input method's
// commit of more than one character goes through it in the same way instead of the key filter.
//
// Nothing that reaches the box is ever cut to its maximum length: a paste or an input method's
// commit whose result would be longer is refused whole, the text stays as it was, and the paste
// refusal handler runs. A typed key that would not fit is refused with a beep.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    using KeyFilter = std::function<std::uint16_t(std::uint16_t code)>;
    // What a text from outside becomes in a box that holds `boxLength` characters, `replaced`
    // of them selected; nothing when it is refused.
    using OutsideTextRule = std::function<std::optional<QString>(
        const QString& text, qsizetype boxLength, qsizetype replaced)>;

    explicit FilteredLineEdit(QWidget* parent = nullptr);

    void SetKeyFilter(KeyFilter filter) { keyFilter_ = std::move(filter); }
    void SetOutsideTextRule(OutsideTextRule rule) { outsideRule_ = std::move(rule); }
    void SetCommitRule(OutsideTextRule rule) { commitRule_ = std::move(rule); }
    void SetPasteRefusedHandler(std::function<void()> handler) {
        pasteRefused_ = std::move(handler);
    }

    // True when the key filter would discard this key: it changes nothing in the box.
    bool Swallows(const QKeyEvent& key);

    // Puts a text from outside (an assistive tool's insert, paste or replacement) in place of the
    // characters from `start` to `end`, through the outside-text rule as a paste; an empty text
    // only deletes them.
    void ReplaceFromOutside(qsizetype start, qsizetype end, const QString& brought);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // What the key filter makes of a key.
    struct Typed {
        enum class Outcome { NoCharacter, Swallowed, AsItIs, Replaced } outcome;
        QString text;  // what reaches the box, for AsItIs and Replaced
    };
    Typed RunKeyFilter(const QKeyEvent& key);
    // Runs the editing command the key gives; false when it gives none.
    bool RunEditingCommand(const QKeyEvent& key);
    // The code the key filter leaves of one character code.
    std::uint16_t Filter(std::uint16_t code) const;
    // The characters of `text` that the filter lets through, each as it returned it.
    QString Filtered(const QString& text);

    // Whether the text stays within the maximum length when `added` characters come in and
    // `removed` go.
    bool Fits(qsizetype added, qsizetype removed) const;
    // What an input method's commit brings in place of `replaced` characters; nothing when
    // refused.
    std::optional<QString> Committed(const QString& commit, qsizetype replaced);
    // What a text from outside brings in place of `replaced` characters; nothing when refused.
    std::optional<QString> TakeFromOutside(const QString& brought, qsizetype replaced);
    void PasteWhole();
    void RefusePaste();

    friend class AccessibleEntryBox;  // measures characters from the caret

    KeyFilter keyFilter_;
    OutsideTextRule outsideRule_;
    OutsideTextRule commitRule_;
    std::function<void()> pasteRefused_;
};

}  // namespace tolvi::widgets
