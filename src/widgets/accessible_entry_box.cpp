#include "widgets/accessible_entry_box.h"

#include <QFontMetrics>

#include "widgets/filtered_line_edit.h"

namespace tolvi::widgets {

namespace {

QAccessibleInterface* EntryBoxFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(FilteredLineEdit::staticMetaObject.className()) &&
        object != nullptr && object->isWidgetType()) {
        return new AccessibleEntryBox(*static_cast<FilteredLineEdit*>(object));
    }
    return nullptr;
}

}  // namespace

AccessibleEntryBox::AccessibleEntryBox(FilteredLineEdit& box)
    : QAccessibleWidget(&box, QAccessible::EditableText) {}

void AccessibleEntryBox::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(EntryBoxFactory);
        return true;
    }();
    static_cast<void>(installed);
}

FilteredLineEdit& AccessibleEntryBox::Box() const {
    return *static_cast<FilteredLineEdit*>(widget());
}

void* AccessibleEntryBox::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    if (type == QAccessible::EditableTextInterface) {
        return static_cast<QAccessibleEditableTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State AccessibleEntryBox::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Box().isReadOnly();
    state.editable = !Box().isReadOnly();
    state.selectableText = true;
    return state;
}

QString AccessibleEntryBox::text(QAccessible::Text kind) const {
    return kind == QAccessible::Value ? Box().text() : QAccessibleWidget::text(kind);
}

void AccessibleEntryBox::setText(QAccessible::Text kind, const QString& text) {
    if (kind == QAccessible::Value) {
        replaceText(0, characterCount(), text);
    } else {
        QAccessibleWidget::setText(kind, text);
    }
}

void AccessibleEntryBox::selection(int index, int* start, int* end) const {
    const bool selected = index == 0 && Box().hasSelectedText();
    *start = selected ? Box().selectionStart() : 0;
    *end = selected ? Box().selectionEnd() : 0;
}

int AccessibleEntryBox::selectionCount() const {
    return Box().hasSelectedText() ? 1 : 0;
}

void AccessibleEntryBox::addSelection(int start, int end) {
    setSelection(0, start, end);
}

void AccessibleEntryBox::removeSelection(int index) {
    if (index == 0) {
        Box().deselect();
    }
}

void AccessibleEntryBox::setSelection(int index, int start, int end) {
    if (index == 0 && 0 <= start && start <= end && end <= characterCount()) {
        Box().setSelection(start, end - start);
    }
}

int AccessibleEntryBox::cursorPosition() const {
    return Box().cursorPosition();
}

void AccessibleEntryBox::setCursorPosition(int position) {
    Box().setCursorPosition(position);
}

QString AccessibleEntryBox::text(int start, int end) const {
    return Box().text().mid(start, end - start);
}

int AccessibleEntryBox::characterCount() const {
    return static_cast<int>(Box().text().size());
}

QRect AccessibleEntryBox::characterRect(int offset) const {
    // Measured from the caret, which stands where the box has scrolled and aligned its text.
    const QString text = Box().text();
    if (offset < 0 || offset >= text.size()) {
        return {};
    }
    const QFontMetrics metrics(Box().font());
    const QRect caret = Box().cursorRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                  metrics.horizontalAdvance(text.left(Box().cursorPosition()));
    const QRect character(x, caret.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                          caret.height());
    return {Box().mapToGlobal(character.topLeft()), character.size()};
}

int AccessibleEntryBox::offsetAtPoint(const QPoint& point) const {
    return Box().cursorPositionAt(Box().mapFromGlobal(point));
}

void AccessibleEntryBox::scrollToSubstring(int start, int end) {
    Box().setCursorPosition(end);
    Box().setCursorPosition(start);
}

QString AccessibleEntryBox::attributes(int /*offset*/, int* start, int* end) const {
    *start = 0;  // one run without attributes
    *end = characterCount();
    return {};
}

void AccessibleEntryBox::deleteText(int start, int end) {
    replaceText(start, end, QString());
}

void AccessibleEntryBox::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void AccessibleEntryBox::replaceText(int start, int end, const QString& text) {
    Box().ReplaceFromOutside(start, end, text);
}

}  // namespace tolvi::widgets
