// Every caption of both windows is drawn whole, whatever size the desktop's font has.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>

#include "tests/support/load_window.h"

namespace tolvi::test {

namespace {

// Where the style draws a control's caption, and the lines it draws there; no lines for a control
// without a caption.
struct Caption {
    QRect room;
    QStringList lines;
};

Caption CaptionOf(const QWidget& control) {
    const QStyle& style = *control.style();
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return {style.subElementRect(QStyle::SE_PushButtonContents, &option, button),
                {button->text()}};
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        const int m = label->margin();
        return {label->contentsRect().adjusted(m, m, -m, -m), {label->text()}};
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        // The box keeps 2 pixels beside and 1 above and below its text inside the frame.
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const QRect contents = style.subElementRect(QStyle::SE_LineEditContents, &option, box);
        return {contents.marginsRemoved(box->textMargins()).adjusted(2, 1, -2, -1), {box->text()}};
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&control)) {
        const int m = static_cast<int>(box->document()->documentMargin());
        return {box->viewport()->rect().adjusted(m, m, -m, -m),
                box->toPlainText().split(QLatin1Char('\n'))};
    }
    return {};
}

// The size of what a radio button draws, its indicator and its caption, measured on a twin
// with room to spare: all of it must lie within the button.
QSize DrawnSize(const QRadioButton& radio) {
    QRadioButton twin(radio.text());
    twin.setFont(radio.font());
    twin.setChecked(radio.isChecked());
    twin.resize(radio.size() * 2);
    const QImage drawn = twin.grab().toImage();
    const QRgb background = drawn.pixel(drawn.width() - 1, drawn.height() - 1);
    QRect ink;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (drawn.pixel(x, y) != background) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return QSize(ink.right() + 1, ink.height());  // from the button's left edge, as it is drawn
}

}  // namespace

class CaptionsFitTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { platformFont_ = QApplication::font(); }
    void cleanup() { QApplication::setFont(platformFont_); }
    void everyCaptionFitsItsRoom_data();
    void everyCaptionFitsItsRoom();

  private:
    QFont platformFont_;
};

void CaptionsFitTest::everyCaptionFitsItsRoom_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<double>("desktopPoints");  // 0: the platform's own font (Sans Serif 9)
    QTest::addColumn<double>("fittedPoints");
    QTest::newRow("Form1, default font") << "Form1" << 0.0 << 8.5;
    QTest::newRow("Form1, 8 pt") << "Form1" << 8.0 << 8.0;
    QTest::newRow("Form1, 16 pt") << "Form1" << 16.0 << 8.5;
    QTest::newRow("frmAbout, default font") << "frmAbout" << 0.0 << 9.0;
    QTest::newRow("frmAbout, 8 pt") << "frmAbout" << 8.0 << 8.0;
    QTest::newRow("frmAbout, 16 pt") << "frmAbout" << 16.0 << 9.0;
}

void CaptionsFitTest::everyCaptionFitsItsRoom() {
    QFETCH(QString, window);
    QFETCH(double, desktopPoints);
    if (desktopPoints > 0) {
        QFont desktop(QStringLiteral("DejaVu Sans"));
        desktop.setPointSizeF(desktopPoints);
        QApplication::setFont(desktop);
    }
    const std::unique_ptr<QWidget> form = LoadWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QTEST(form->font().pointSizeF(), "fittedPoints");
    for (const QWidget* control : form->findChildren<QWidget*>()) {
        const auto* radio = qobject_cast<const QRadioButton*>(control);
        if (radio != nullptr && radio->isVisible()) {
            const QSize drawn = DrawnSize(*radio);
            QVERIFY2(drawn.width() <= radio->width() && drawn.height() <= radio->height(),
                     qPrintable(QStringLiteral("%1 \"%2\" draws %3x%4 in %5x%6")
                                    .arg(radio->objectName(), radio->text())
                                    .arg(drawn.width())
                                    .arg(drawn.height())
                                    .arg(radio->width())
                                    .arg(radio->height())));
            continue;
        }
        const Caption caption = CaptionOf(*control);
        if (!control->isVisible() || caption.lines.isEmpty()) {
            continue;
        }
        const QFontMetrics metrics(control->font());
        int widest = 0;
        for (const QString& line : caption.lines) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        const QSize needed(
            widest,
            metrics.height() + metrics.lineSpacing() * static_cast<int>(caption.lines.size() - 1));
        QVERIFY2(needed.width() <= caption.room.width() && needed.height() <= caption.room.height(),
                 qPrintable(QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                                .arg(control->objectName(), caption.lines.join(QLatin1Char('|')))
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(caption.room.width())
                                .arg(caption.room.height())));
    }
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::CaptionsFitTest)
#include "captions_fit_test.moc"
