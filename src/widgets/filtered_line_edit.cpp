#include "widgets/filtered_line_edit.h"

#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <optional>

#include "widgets/accessible_entry_box.h"
#include "widgets/shortcut_hint.h"

namespace tolvi::widgets {

namespace {

constexpr std::uint16_t kBackspace = 8;
constexpr std::uint16_t kEnter = 13;
constexpr std::uint16_t kEscape = 27;
constexpr std::uint16_t kDelete = 127;

// The character code a key press produces, or nothing for keys that produce no character.
std::optional<std::uint16_t> CharacterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const bool control = modifiers.testFlag(Qt::ControlModifier) &&
                         !modifiers.testFlag(Qt::AltModifier) &&
                         !modifiers.testFlag(Qt::MetaModifier);
    switch (key) {
        case Qt::Key_Backspace:
            return control ? kDelete : kBackspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kEnter;
        case Qt::Key_Escape:
            return kEscape;
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return std::nullopt;
        default:
            break;
    }
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::uint16_t>(key - Qt::Key_A + 1);
    }
    return std::nullopt;
}

// The keypad's decimal key, whichever character the keyboard layout gives it.
bool IsKeypadDecimal(const QKeyEvent& event) {
    return event.modifiers().testFlag(Qt::KeypadModifier) &&
           (event.key() == Qt::Key_Period || event.key() == Qt::Key_Comma);
}

enum class EditingCommand { SelectAll, Copy, Cut, Paste, Undo, Redo };

// The editing command a key press gives, if any: the desktop's own keys for these commands and
// the ones every desktop knows.
std::optional<EditingCommand> EditingCommandOf(const QKeyEvent& event) {
    const struct {
        QKeySequence::StandardKey standard;
        EditingCommand command;
    } standards[] = {
        {QKeySequence::SelectAll, EditingCommand::SelectAll},
        {QKeySequence::Copy, EditingCommand::Copy},
        {QKeySequence::Cut, EditingCommand::Cut},
        {QKeySequence::Paste, EditingCommand::Paste},
        {QKeySequence::Undo, EditingCommand::Undo},
        {QKeySequence::Redo, EditingCommand::Redo},
    };
    for (const auto& s : standards) {
        if (event.matches(s.standard)) {
            return s.command;
        }
    }
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        EditingCommand command;
    } common[] = {
        {Qt::Key_A, ctrl, EditingCommand::SelectAll},    {Qt::Key_C, ctrl, EditingCommand::Copy},
        {Qt::Key_Insert, ctrl, EditingCommand::Copy},    {Qt::Key_X, ctrl, EditingCommand::Cut},
        {Qt::Key_Delete, shift, EditingCommand::Cut},    {Qt::Key_V, ctrl, EditingCommand::Paste},
        {Qt::Key_Insert, shift, EditingCommand::Paste},  {Qt::Key_Z, ctrl, EditingCommand::Undo},
        {Qt::Key_Z, ctrl | shift, EditingCommand::Redo}, {Qt::Key_Y, ctrl, EditingCommand::Redo},
    };
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    for (const auto& c : common) {
        if (event.key() == c.key && modifiers == c.modifiers) {
            return c.command;
        }
    }
    return std::nullopt;
}

}  // namespace

FilteredLineEdit::FilteredLineEdit(QWidget* parent) : QLineEdit(parent) {
    AccessibleEntryBox::Install();
}

std::uint16_t FilteredLineEdit::Filter(std::uint16_t code) const {
    return keyFilter_ ? keyFilter_(code) : code;
}

QString FilteredLineEdit::Filtered(const QString& text) {
    QString accepted;
    for (const QChar c : text) {
        if (const std::uint16_t code = Filter(c.unicode()); code != 0) {
            accepted += QChar(code);
        }
    }
    return accepted;
}

FilteredLineEdit::Typed FilteredLineEdit::RunKeyFilter(const QKeyEvent& key) {
    using Outcome = Typed::Outcome;
    if (const auto code = CharacterCode(key)) {
        const std::uint16_t left = Filter(*code);
        if (left == 0) {
            return {Outcome::Swallowed, {}};
        }
        return {left == *code ? Outcome::AsItIs : Outcome::Replaced, QString(QChar(left))};
    }
    const QString text = key.text();
    if (keyFilter_ && IsKeypadDecimal(key)) {
        const std::uint16_t left = Filter(u'.');  // the decimal point, in every layout
        if (left == 0) {
            return {Outcome::Swallowed, {}};
        }
        const QString typed(QChar{left});
        return {typed == text ? Outcome::AsItIs : Outcome::Replaced, typed};
    }
    if (text.isEmpty() || !text.at(0).isPrint()) {
        return {Outcome::NoCharacter, {}};  // navigation, Delete, Shift+Insert
    }
    const QString accepted = Filtered(text);
    if (accepted == text) {
        return {Outcome::AsItIs, text};
    }
    return {accepted.isEmpty() ? Outcome::Swallowed : Outcome::Replaced, accepted};
}

bool FilteredLineEdit::Swallows(const QKeyEvent& key) {
    return !EditingCommandOf(key) && RunKeyFilter(key).outcome == Typed::Outcome::Swallowed;
}

bool FilteredLineEdit::RunEditingCommand(const QKeyEvent& key) {
    const std::optional<EditingCommand> command = EditingCommandOf(key);
    if (!command) {
        return false;
    }
    switch (*command) {
        case EditingCommand::SelectAll:
            selectAll();
            break;
        case EditingCommand::Copy:
            copy();
            break;
        case EditingCommand::Cut:
            if (!isReadOnly()) {
                cut();
            }
            break;
        case EditingCommand::Paste:
            PasteWhole();
            break;
        case EditingCommand::Undo:
            if (!isReadOnly()) {
                undo();
            }
            break;
        case EditingCommand::Redo:
            if (!isReadOnly()) {
                redo();
            }
            break;
    }
    return true;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    using Outcome = Typed::Outcome;
    if (RunEditingCommand(*event)) {
        event->accept();
        return;
    }
    const Typed typed = RunKeyFilter(*event);
    if (typed.outcome == Outcome::Swallowed) {
        event->accept();
        return;
    }
    const bool inserts = typed.outcome == Outcome::Replaced ||
                         (typed.outcome == Outcome::AsItIs && typed.text.at(0).isPrint());
    if (inserts && !Fits(typed.text.size(), selectedText().size())) {
        QApplication::beep();  // at the maximum length: the key is refused, nothing is cut
        event->accept();
        return;
    }
    if (typed.outcome == Outcome::Replaced) {
        insert(typed.text);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const std::optional<QString> accepted =
        Committed(commit, selectedText().size() + event->replacementLength());
    if (!accepted) {
        event->accept();
        return;
    }
    if (*accepted == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(*accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        // The menu's Paste goes through the same guard as the paste key.
        if (QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))) {
            connect(action, &QAction::triggered, this, [this] { PasteWhole(); });
        }
        // A key that the key filter swallows is not offered as the action's shortcut.
        const QKeySequence keys = ShortcutHint(*action);
        if (!keys.isEmpty() &&
            Swallows(QKeyEvent(QEvent::KeyPress, keys[0].key(), keys[0].keyboardModifiers()))) {
            RemoveShortcutHint(*action);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the X11 selection at the click; the box's selected text stays.
    QClipboard& clipboard = *QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && !isReadOnly() && clipboard.supportsSelection()) {
        event->accept();
        deselect();
        if (const std::optional<QString> taken =
                TakeFromOutside(clipboard.text(QClipboard::Selection), 0)) {
            insert(*taken);
        }
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::dropEvent(QDropEvent* event) {
    // Every drop adds its text: a text box's own drags only copy (and the windows' boxes start
    // none), and by the drop the box's selection has already given way to the drop cursor.
    if (isReadOnly() || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    const QString dropped = event->mimeData()->text();
    const std::optional<QString> taken = TakeFromOutside(dropped, 0);
    if (!taken) {
        event->ignore();  // nothing was dropped: a move leaves the source as it was
        QDragLeaveEvent leave;
        QLineEdit::dragLeaveEvent(&leave);  // takes the drop cursor away
        return;
    }
    if (*taken == dropped) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData converted;
    converted.setText(*taken);
    QDropEvent drop(event->position(), event->possibleActions(), &converted, event->buttons(),
                    event->modifiers(), event->type());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

bool FilteredLineEdit::Fits(qsizetype added, qsizetype removed) const {
    return text().size() - removed + added <= maxLength();
}

std::optional<QString> FilteredLineEdit::Committed(const QString& commit, qsizetype replaced) {
    if (commitRule_ && commit.size() > 1) {
        return commitRule_(commit, text().size(), replaced);  // the rule says why it refuses
    }
    QString accepted = Filtered(commit);
    if (!Fits(accepted.size(), replaced)) {
        RefusePaste();
        return std::nullopt;
    }
    return accepted;
}

std::optional<QString> FilteredLineEdit::TakeFromOutside(const QString& brought,
                                                         qsizetype replaced) {
    std::optional<QString> taken = brought;
    if (outsideRule_) {
        taken = outsideRule_(brought, text().size(), replaced);
        if (!taken) {
            return std::nullopt;  // the rule has said why
        }
    }
    if (!Fits(taken->size(), replaced)) {
        RefusePaste();
        return std::nullopt;
    }
    return taken;
}

void FilteredLineEdit::PasteWhole() {
    if (isReadOnly()) {
        return;
    }
    const QString pasted = QGuiApplication::clipboard()->text();
    if (pasted.isEmpty()) {
        return;  // no text to paste: the selection stays
    }
    if (const std::optional<QString> taken = TakeFromOutside(pasted, selectedText().size())) {
        insert(*taken);
    }
}

void FilteredLineEdit::ReplaceFromOutside(qsizetype start, qsizetype end, const QString& brought) {
    if (isReadOnly() || start < 0 || end < start || end > text().size() ||
        (start == end && brought.isEmpty())) {
        return;
    }
    std::optional<QString> taken = brought;
    if (!brought.isEmpty() && !(taken = TakeFromOutside(brought, end - start))) {
        return;
    }
    if (end > start) {
        setSelection(static_cast<int>(start), static_cast<int>(end - start));
    } else {
        setCursorPosition(static_cast<int>(start));
    }
    insert(*taken);
}

void FilteredLineEdit::RefusePaste() {
    if (pasteRefused_) {
        pasteRefused_();
    }
}

}  // namespace tolvi::widgets
