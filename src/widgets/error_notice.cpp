#include "widgets/error_notice.h"

#include <QAccessible>
#include <algorithm>
#include <vector>

#include "calc/notice.h"
#include "widgets/fit_font.h"

namespace tolvi::widgets {

namespace {

constexpr double kSmallestPointSize = 5.0;
constexpr int kPadding = 3;  // between the text and the notice's left and right edges

// The geometry of every control of the window that the user sees, the notice aside.
std::vector<QRect> VisibleControls(const QWidget& window, const QWidget& notice) {
    std::vector<QRect> controls;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != &notice && !control->isWindow() && control->isVisible()) {
            controls.push_back(control->geometry());
        }
    }
    return controls;
}

// The tallest horizontal band of the window, across its whole width, that no control reaches
// into. Of bands of equal height the one nearest `nearY` is taken.
QRect FreeBand(const QWidget& window, const std::vector<QRect>& controls, int nearY) {
    std::vector<std::pair<int, int>> rows;  // [top, bottom) of each control
    rows.reserve(controls.size() + 1);
    for (const QRect& control : controls) {
        rows.emplace_back(control.top(), control.top() + control.height());
    }
    rows.emplace_back(window.height(), window.height());
    std::sort(rows.begin(), rows.end());
    const auto distance = [nearY](const QRect& band) {
        return std::abs(band.center().y() - nearY);
    };
    QRect best;
    int covered = 0;  // everything above this line is taken
    for (const auto& [top, bottom] : rows) {
        const QRect band(0, covered, window.width(), top - covered);
        if (band.height() > best.height() ||
            (band.height() == best.height() && distance(band) < distance(best))) {
            best = band;
        }
        covered = std::max(covered, bottom);
    }
    return best;
}

// The margin the controls keep from the window's left edge (those that span the window aside).
int LeftMargin(const std::vector<QRect>& controls) {
    int margin = 0;
    for (const QRect& control : controls) {
        if (control.left() > 0 && (margin == 0 || control.left() < margin)) {
            margin = control.left();
        }
    }
    return margin;
}

}  // namespace

ErrorNotice::ErrorNotice(QWidget& field) : QLabel(field.parentWidget()), field_(field) {
    setObjectName(QStringLiteral("ErrorNotice"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setContentsMargins(kPadding, 0, kPadding, 0);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAccessibleName(tr("Calculation error"));
    hide();
}

void ErrorNotice::ShowError(const QString& message) {
    ShowLines({message});
}

void ErrorNotice::ShowLines(const QStringList& lines) {
    // Side by side: the band between two rows of controls has room for one line of a legible
    // size, not two.
    const QString message = lines.join(QString::fromUtf8(
        kNoticeLineSeparator.data(), static_cast<qsizetype>(kNoticeLineSeparator.size())));
    setText(message);
    // What a screen reader reads after the notice's name, line by line.
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
    const QWidget& window = *parentWidget();
    const std::vector<QRect> controls = VisibleControls(window, *this);
    const QRect band = FreeBand(window, controls, field_.y());
    const int margin = LeftMargin(controls);  // kept on both sides
    const int room = band.width() - 2 * margin - 2 * kPadding;

    const QFont font = ShrunkToFit(window.font(), kSmallestPointSize, [&](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        return metrics.horizontalAdvance(message) <= room && metrics.height() <= band.height();
    });
    setFont(font);

    // Under the field's left edge where the text has room, further left where it has not.
    const int width = std::min(QFontMetrics(font).horizontalAdvance(message) + 2 * kPadding,
                               band.width() - 2 * margin);
    const int left = std::clamp(field_.x(), margin, band.width() - margin - width);
    setGeometry(left, band.y(), width, band.height());
    raise();
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace tolvi::widgets
