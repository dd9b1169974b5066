// A number label too narrow for its text draws it in a smaller size of its font: the size, and
// what is painted, against a plain label set in that size.
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "widgets/shrink_to_fit_label.h"

namespace tolvi::test {

namespace {

QFont Points(double points) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    return font;
}

void Dress(QLabel& label, const QString& text, int margin, bool framed, int alignment,
           bool enabled) {
    label.setText(text);
    label.setMargin(margin);
    label.setFrameShape(framed ? QFrame::Box : QFrame::NoFrame);
    label.setAlignment(Qt::Alignment(alignment));
    label.setEnabled(enabled);
}

}  // namespace

class ShrinkToFitLabelTest : public QObject {
    Q_OBJECT

  private slots:
    void drawsTheTextInTheLargestSizeThatFits_data();
    void drawsTheTextInTheLargestSizeThatFits();
};

void ShrinkToFitLabelTest::drawsTheTextInTheLargestSizeThatFits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("fitsAt");  // 0: a label 5 pixels wide
    QTest::addColumn<int>("margin");
    QTest::addColumn<bool>("framed");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<double>("expected");  // the label's own font has 12 points
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const QString digits = QStringLiteral("17.4255319148936");
    QTest::newRow("fits as it is") << "0.00" << 12.0 << 0 << false << left << true << 12.0;
    QTest::newRow("just fits at 8.5") << digits << 8.5 << 0 << false << left << true << 8.5;
    QTest::newRow("with margins") << digits << 9.0 << 10 << false << left << true << 9.0;
    QTest::newRow("framed") << digits << 9.0 << 0 << true << left << true << 9.0;
    QTest::newRow("right-aligned") << digits << 9.0 << 0 << false << right << true << 9.0;
    QTest::newRow("disabled") << digits << 9.0 << 0 << false << left << false << 9.0;
    QTest::newRow("never fits: 4 points") << digits << 0.0 << 0 << false << left << true << 4.0;
}

void ShrinkToFitLabelTest::drawsTheTextInTheLargestSizeThatFits() {
    QFETCH(QString, text);
    QFETCH(double, fitsAt);
    QFETCH(int, margin);
    QFETCH(bool, framed);
    QFETCH(int, alignment);
    QFETCH(bool, enabled);
    QFETCH(double, expected);
    QWidget window;
    window.setFont(Points(12));
    widgets::ShrinkToFitLabel label(&window);
    QLabel plain(&window);  // drawn the way a plain label draws in the expected size
    for (QLabel* each : {static_cast<QLabel*>(&label), &plain}) {
        Dress(*each, text, margin, framed, alignment, enabled);
    }
    plain.setFont(Points(expected));
    plain.setIndent(0);  // a framed label would indent its text; the fitting size allows none
    int width = 5;
    if (fitsAt > 0) {
        const int sides = 2 * margin + 2 * label.frameWidth();
        width = QFontMetrics(Points(fitsAt)).horizontalAdvance(text) + sides;
        QVERIFY2(QFontMetrics(Points(fitsAt + 0.5)).horizontalAdvance(text) + sides > width,
                 "half a point more fits the same width");
    }
    label.setGeometry(0, 0, width, 30);
    plain.setGeometry(0, 40, width, 30);
    window.show();
    QCOMPARE(label.FittingFont().pointSizeF(), expected);
    QCOMPARE(label.grab().toImage(), plain.grab().toImage());
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::ShrinkToFitLabelTest)
#include "shrink_to_fit_label_test.moc"
