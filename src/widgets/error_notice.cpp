#include "widgets/error_notice.h"

#include <QAccessible>
#include <vector>

#include "calc/notice.h"
#include "calc/notice_place.h"
#include "widgets/fit_font.h"

namespace tolvi::widgets {

namespace {

constexpr double kSmallestPointSize = 5.0;
constexpr int kPadding = 3;  // between the text and the notice's left and right edges

// The place of every control of the window that the user sees, the notice aside.
std::vector<Area> VisibleControls(const QWidget& window, const QWidget& notice) {
    std::vector<Area> controls;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != &notice && !control->isWindow() && control->isVisible()) {
            const QRect place = control->geometry();
            controls.push_back({place.x(), place.y(), place.width(), place.height()});
        }
    }
    return controls;
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
    const NoticeBand band =
        FindNoticeBand(window.width(), window.height(), VisibleControls(window, *this), field_.y());
    const int room = band.Room() - 2 * kPadding;

    const QFont font = ShrunkToFit(window.font(), kSmallestPointSize, [&](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        return metrics.horizontalAdvance(message) <= room && metrics.height() <= band.band.height;
    });
    setFont(font);

    const Area place =
        PlaceNotice(band, QFontMetrics(font).horizontalAdvance(message) + 2 * kPadding, field_.x());
    setGeometry(place.left, place.top, place.width, place.height);
    raise();
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace tolvi::widgets
