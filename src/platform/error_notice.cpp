#include "platform/error_notice.h"

#include <QAccessible>

namespace tolvi::platform {

ErrorNotice::ErrorNotice(QWidget& field) : QLabel(field.parentWidget()), field_(field) {
    setObjectName(QStringLiteral("ErrorNotice"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setFrameShape(QFrame::Box);
    setMargin(1);
    setAccessibleName(tr("Calculation error"));
    hide();
}

void ErrorNotice::ShowError(const QString& message) {
    setText(message);
    const QWidget& window = *parentWidget();
    const int height = field_.height();
    const int width = std::min(sizeHint().width(), window.width() - field_.x() - 2);
    // Over the strip above the field, so that no control is covered.
    setGeometry(field_.x(), std::max(0, field_.y() - height - 4), width, height);
    raise();
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace tolvi::platform
