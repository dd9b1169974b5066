// The strip below the logo continues the logo's own dark background: no light seam runs under
// the title bar of the calculator.
#include <QTest>

#include "tests/support/main_window.h"

namespace tolvi::test {

class LogoStripTest : public QObject {
    Q_OBJECT

  private slots:
    void theStripBelowTheLogoContinuesItsBackground();
};

void LogoStripTest::theStripBelowTheLogoContinuesItsBackground() {
    MainWindow window;
    auto* picture = window.Control<QLabel>("Picture1");
    const QImage drawn = picture->grab().toImage();
    const QImage logo = picture->pixmap().toImage();
    QCOMPARE(drawn.size(), QSize(299, 25));
    QCOMPARE(logo.size(), QSize(299, 23));
    const QColor background = logo.pixelColor(logo.width() - 1, logo.height() - 1);
    for (int y = logo.height(); y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor strip = drawn.pixelColor(x, y);
            const int distance = std::abs(strip.red() - background.red()) +
                                 std::abs(strip.green() - background.green()) +
                                 std::abs(strip.blue() - background.blue());
            QVERIFY2(distance <= 6, qPrintable(QStringLiteral("%1 at %2,%3 below %4")
                                                   .arg(strip.name())
                                                   .arg(x)
                                                   .arg(y)
                                                   .arg(background.name())));
        }
    }
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::LogoStripTest)
#include "logo_strip_test.moc"
