// Closing the main window is never refused, and ends the application's event loop with status 0.
// It runs in a process of its own: once the application has ended, no handler runs again.
#include <QTest>
#include <QTimer>

#include "tests/support/main_window.h"

namespace tolvi::test {

class CloseTest : public QObject {
    Q_OBJECT

  private slots:
    void closingIsAcceptedAndEndsTheApplicationWithZero();
};

void CloseTest::closingIsAcceptedAndEndsTheApplicationWithZero() {
    MainWindow window;
    bool accepted = false;
    QTimer::singleShot(0, window.form.get(), [&] { accepted = window.form->close(); });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(accepted);
    QVERIFY(!window.form->isVisible());
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::CloseTest)
#include "close_test.moc"
