#include "widgets/fit_font.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace tolvi::widgets {

namespace {

constexpr double kSmallestPointSize = 6.0;

bool TextFits(const QWidget& control, const QString& text, int spareWidth) {
    const QFontMetrics metrics(control.font());
    return metrics.horizontalAdvance(text) + spareWidth <= control.width() &&
           metrics.height() <= control.height();
}

bool Fits(const QWidget& control) {
    if (const auto* radio = qobject_cast<const QRadioButton*>(&control)) {
        // The caption is drawn in the room the style leaves beside the indicator.
        QStyleOptionButton option;
        option.initFrom(radio);
        option.text = radio->text();
        const QRect room =
            radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
        const QFontMetrics metrics(radio->font());
        return metrics.horizontalAdvance(radio->text()) <= room.width() &&
               metrics.height() <= radio->height();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return TextFits(*button, button->text(), 4);
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text().isEmpty() || TextFits(*label, label->text(), 2 * label->margin());
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        return box->minimumSizeHint().height() <= box->height() + 2;
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&control)) {
        const QFontMetrics metrics(box->font());
        const QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
        const int margins =
            2 * static_cast<int>(box->document()->documentMargin()) + 2 * box->frameWidth();
        int widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        return widest + margins <= box->width() &&
               metrics.lineSpacing() * static_cast<int>(lines.size()) + margins <= box->height();
    }
    return true;
}

bool EverythingFits(const QWidget& window) {
    const auto controls = window.findChildren<QWidget*>();
    return std::all_of(controls.begin(), controls.end(), [](const QWidget* control) {
        return control->isHidden() || Fits(*control);
    });
}

}  // namespace

QFont ShrunkToFit(QFont font, double smallestPointSize,
                  const std::function<bool(const QFont&)>& fits) {
    while (!fits(font) && font.pointSizeF() - 0.5 >= smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    return font;
}

void FitFontToLayout(QWidget& window) {
    if (window.font().pointSizeF() <= 0) {
        return;  // a font sized in pixels: leave it alone
    }
    // Each size is tried on the window itself: the controls measure in the font they inherit.
    const auto tryOn = [&window](const QFont& font) {
        if (font != window.font()) {
            window.setFont(font);
        }
    };
    tryOn(ShrunkToFit(window.font(), kSmallestPointSize, [&](const QFont& font) {
        tryOn(font);
        return EverythingFits(window);
    }));
}

}  // namespace tolvi::widgets
