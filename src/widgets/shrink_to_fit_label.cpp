#include "widgets/shrink_to_fit_label.h"

#include <QPainter>
#include <QStyle>

#include "widgets/fit_font.h"

namespace tolvi::widgets {

namespace {
constexpr double kSmallestPointSize = 4.0;
}

ShrinkToFitLabel::ShrinkToFitLabel(QWidget* parent) : QLabel(parent) {}

QFont ShrinkToFitLabel::FittingFont() const {
    const int room = contentsRect().width() - 2 * margin();
    return ShrunkToFit(font(), kSmallestPointSize, [this, room](const QFont& fitting) {
        return QFontMetrics(fitting).horizontalAdvance(text()) <= room;
    });
}

void ShrinkToFitLabel::paintEvent(QPaintEvent* event) {
    const QFont fitting = FittingFont();
    if (fitting == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(fitting);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
}

}  // namespace tolvi::widgets
