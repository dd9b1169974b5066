#include "platform/multi_line_text_box.h"

namespace tolvi::platform {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
}

MultiLineTextBox::MultiLineTextBox(QWidget* parent) : QPlainTextEdit(parent) {}

QString MultiLineTextBox::Text() const {
    return toPlainText().replace(QLatin1Char('\n'), kLineBreak);
}

void MultiLineTextBox::SetText(const QString& text) {
    setPlainText(QString(text).replace(kLineBreak, QStringLiteral("\n")));
}

}  // namespace tolvi::platform
