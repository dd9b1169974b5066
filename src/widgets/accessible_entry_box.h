#pragma once

#include <QAccessibleEditableTextInterface>
#include <QAccessibleWidget>

namespace tolvi::widgets {

class FilteredLineEdit;

// What assistive tools (screen readers, on-screen keyboards, voice control) see of and do with
// a filtered text box: its text, caret and selection as the toolkit's own text box shows them,
// and edits whose text comes from outside. A text that a tool inserts, pastes or puts in place
// of other text goes through the box's outside-text rule, as a paste does: it enters as that
// rule gives it, or is refused whole and the box stays as it was.
class AccessibleEntryBox : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
  public:
    explicit AccessibleEntryBox(FilteredLineEdit& box);

    // Makes every filtered text box answer assistive tools through this interface.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;

    void selection(int index, int* start, int* end) const override;
    int selectionCount() const override;
    void addSelection(int start, int end) override;
    void removeSelection(int index) override;
    void setSelection(int index, int start, int end) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int start, int end) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int start, int end) override;
    QString attributes(int offset, int* start, int* end) const override;

    void deleteText(int start, int end) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int start, int end, const QString& text) override;

  private:
    FilteredLineEdit& Box() const;
};

}  // namespace tolvi::widgets
