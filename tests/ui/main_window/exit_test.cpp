// Closing the main window ends the application: never refused, the About window included, and
// the event loop returns 0. Once the application has ended no handler runs again, so ctest
// runs each case in a process of its own, by name.
#include <QTest>
#include <QTimer>

#include "tests/support/main_window.h"
#include "tests/support/modal_driver.h"
#include "widgets/application.h"

namespace tolvi::test {

class ExitTest : public QObject {
    Q_OBJECT

  private slots:
    void closingIsAcceptedAndEndsTheApplicationWithZero();
    void closingWithAboutOpenEndsEverything_data();
    void closingWithAboutOpenEndsEverything();
};

void ExitTest::closingIsAcceptedAndEndsTheApplicationWithZero() {
    TestWindow window;
    bool accepted = false;
    QTimer::singleShot(0, window.form.get(), [&] { accepted = window.form->close(); });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(accepted);
    QVERIFY(!window.form->isVisible());
}

void ExitTest::closingWithAboutOpenEndsEverything_data() {
    QTest::addColumn<bool>("sessionEnds");
    QTest::newRow("close") << false;
    QTest::newRow("session end") << true;  // the session manager's last word to the program
}

void ExitTest::closingWithAboutOpenEndsEverything() {
    QFETCH(bool, sessionEnds);
    TestWindow window;
    QTest::keyClicks(window.amount(), "12");
    bool aboutWasOpen = false;
    std::unique_ptr<ModalDriver> about;
    ModalDriver menu(Modal::PopupMenu, [&](QWidget& popup) {
        about = std::make_unique<ModalDriver>(Modal::Window, [&](QWidget& dialog) {
            aboutWasOpen = dialog.isVisible();
            // The desktop closes the main window (a window list, a kill request), or logs off.
            if (sessionEnds) {
                QEvent quit(QEvent::Quit);
                QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
            } else {
                window.form->close();
            }
        });
        ClickMenuItem(popup, QStringLiteral("About"));
    });
    QTest::mouseClick(window.help(), Qt::LeftButton);
    QVERIFY(menu.Succeeded());
    QVERIFY(about && about->Succeeded());
    QVERIFY(aboutWasOpen);
    QVERIFY(widgets::ApplicationEnding());
    QVERIFY(!window.form->isVisible());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }
    // No handler runs any more.
    QTest::keyClicks(window.amount(), "3");
    QCOMPARE(window.total()->text(), QStringLiteral("12.00"));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::ExitTest)
#include "exit_test.moc"
