// Closing the main window ends the application at once, the About window included. It runs in
// a process of its own: once the application has ended, no handler runs again.
#include <QTest>
#include <QTimer>

#include "platform/event_handler.h"
#include "tests/support/main_window.h"
#include "tests/support/modal_driver.h"

namespace tolvi::test {

class ShutdownTest : public QObject {
    Q_OBJECT

  private slots:
    void closingTheMainWindowWithAboutOpenEndsEverything();
};

void ShutdownTest::closingTheMainWindowWithAboutOpenEndsEverything() {
    MainWindow window;
    QTest::keyClicks(window.amount(), "12");
    bool aboutWasOpen = false;
    std::unique_ptr<ModalDriver> about;
    ModalDriver menu(Modal::PopupMenu, [&](QWidget& popup) {
        about = std::make_unique<ModalDriver>(Modal::Window, [&](QWidget& dialog) {
            aboutWasOpen = dialog.isVisible();
            // The desktop closes the main window (log-off, the window list, a kill request).
            window.form->close();
        });
        ClickMenuItem(popup, QStringLiteral("About"));
    });
    QTest::mouseClick(window.help(), Qt::LeftButton);
    QVERIFY(menu.Succeeded());
    QVERIFY(about && about->Succeeded());
    QVERIFY(aboutWasOpen);
    QVERIFY(platform::ApplicationEnding());
    QVERIFY(!window.form->isVisible());
    for (QWidget* top : QApplication::topLevelWidgets()) {
        QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }
    // No handler runs any more.
    QTest::keyClicks(window.amount(), "3");
    QCOMPARE(window.total()->text(), QStringLiteral("12.00"));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::ShutdownTest)
#include "shutdown_test.moc"
