// The window's fields carry their texts through a recalculation unchanged, whatever characters
// they hold: a pasted amount that is no number stands in the total box as it was pasted.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "tests/support/main_window.h"

namespace tolvi::test {

class WindowFieldsTest : public QObject {
    Q_OBJECT

  private slots:
    void aPastedAmountReachesTheTotalAsItStands_data();
    void aPastedAmountReachesTheTotalAsItStands();
};

void WindowFieldsTest::aPastedAmountReachesTheTotalAsItStands_data() {
    QTest::addColumn<QString>("pasted");
    QTest::newRow("euro sign") << QStringLiteral("12\u20ac");
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0661\u0662");
    QTest::newRow("Latin-1 one half") << QStringLiteral("1\u00bd");
}

void WindowFieldsTest::aPastedAmountReachesTheTotalAsItStands() {
    QFETCH(QString, pasted);
    MainWindow window;  // VAT Inclusive: the total starts as the amount text
    QGuiApplication::clipboard()->setText(pasted);
    QTest::sendKeyEvent(QTest::Click, window.amount(), Qt::Key_Insert, QString(),
                        Qt::ShiftModifier);
    QCOMPARE(window.amount()->text(), pasted);
    QCOMPARE(window.total()->text(), pasted);
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::WindowFieldsTest)
#include "window_fields_test.moc"
