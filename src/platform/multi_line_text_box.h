#pragma once

#include <QPlainTextEdit>

namespace tolvi::platform {

// A multi-line text box whose text uses carriage return and line feed between lines, read
// back exactly as it was set.
class MultiLineTextBox : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit MultiLineTextBox(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
};

}  // namespace tolvi::platform
