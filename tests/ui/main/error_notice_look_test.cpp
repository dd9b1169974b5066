// How the notice of an error that ended a recalculation looks: a strip in the tool-tip colours.
// Where it stands and that its text fits are the main window's tests.
#include <QTest>

#include "tests/support/main_window.h"

namespace tolvi::test {

class ErrorNoticeLookTest : public QObject {
    Q_OBJECT

  private slots:
    void isAToolTipStrip();
};

void ErrorNoticeLookTest::isAToolTipStrip() {
    QPalette desktop = QApplication::palette();
    desktop.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xc0));
    desktop.setColor(QPalette::ToolTipText, QColor(0x20, 0x00, 0x40));
    QApplication::setPalette(desktop);
    MainWindow window;
    QTest::keyClick(window.amount(), '5');
    QTest::sendKeyEvent(QTest::Click, window.amount(), Qt::Key_Backspace, QStringLiteral("\b"),
                        Qt::NoModifier);
    QLabel& notice = *window.notice();
    QVERIFY(notice.isVisible());
    const QImage drawn = notice.grab().toImage();
    QCOMPARE(drawn.pixelColor(drawn.width() - 1, 0), desktop.color(QPalette::ToolTipBase));
    QCOMPARE(drawn.pixelColor(0, drawn.height() - 1), desktop.color(QPalette::ToolTipBase));
    bool inked = false;  // the message, in the tool-tip text colour
    for (int x = 0; x < drawn.width(); ++x) {
        for (int y = 0; y < drawn.height(); ++y) {
            inked = inked || drawn.pixelColor(x, y) == desktop.color(QPalette::ToolTipText);
        }
    }
    QVERIFY(inked);
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::ErrorNoticeLookTest)
#include "error_notice_look_test.moc"
