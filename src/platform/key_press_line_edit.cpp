#include "platform/key_press_line_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <optional>

#include "platform/event_handler.h"

namespace tolvi::platform {

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

}  // namespace

KeyPressLineEdit::KeyPressLineEdit(QWidget* parent) : QLineEdit(parent) {}

std::uint16_t KeyPressLineEdit::KeyPress(std::uint16_t keyAscii) {
    if (keyPress_) {
        RunEventHandler([&] { keyPress_(keyAscii); });
    }
    return keyAscii;
}

QString KeyPressLineEdit::Filtered(const QString& text) {
    QString accepted;
    for (const QChar c : text) {
        if (const std::uint16_t code = KeyPress(c.unicode()); code != 0) {
            accepted += QChar(code);
        }
    }
    return accepted;
}

void KeyPressLineEdit::keyPressEvent(QKeyEvent* event) {
    if (const auto code = CharacterCode(*event)) {
        const std::uint16_t keyAscii = KeyPress(*code);
        if (keyAscii == 0) {
            event->accept();
            return;
        }
        if (keyAscii == *code) {
            QLineEdit::keyPressEvent(event);
        } else {
            insert(QString(QChar(keyAscii)));
        }
        return;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) {
        QLineEdit::keyPressEvent(event);  // no character: navigation, Delete, shortcuts
        return;
    }
    const QString accepted = Filtered(text);
    if (accepted == text) {
        QLineEdit::keyPressEvent(event);
    } else {
        if (!accepted.isEmpty()) {
            insert(accepted);
        }
        event->accept();
    }
}

void KeyPressLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString accepted = Filtered(commit);
    if (accepted == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    event->accept();
}

}  // namespace tolvi::platform
