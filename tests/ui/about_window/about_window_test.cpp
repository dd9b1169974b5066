// The About window, shown from the Help menu as a user would.
#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include "tests/support/main_window.h"
#include "tests/support/modal_driver.h"
#include "ui/about_window/about_window.h"

namespace tolvi::test {

namespace {

struct AboutSeen {
    QString title;
    QString text;
    QString notice;
    QString focus;
    QSize size;
    QPoint centreOffset;
    bool tool = false;
    bool mainWindowBlocked = false;
    bool readOnly = false;
    QObject* instance = nullptr;
};

}  // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { window_ = std::make_unique<TestWindow>(); }
    void cleanup() { window_.reset(); }

    void showsTheApplicationsIdentity();
    void isLoadedAfreshAtEveryShowing();
    void closesByEnterEscapeOkAndTheCloseButton_data();
    void closesByEnterEscapeOkAndTheCloseButton();
    void isAFixedToolWindowWithOnlyACloseButton();

  private:
    // Chooses About from the Help menu, looks at the window, then closes it with `close`.
    AboutSeen ShowAbout(const std::function<void(QDialog&)>& close, bool* closed = nullptr);
    std::unique_ptr<TestWindow> window_;
};

AboutSeen AboutWindowTest::ShowAbout(const std::function<void(QDialog&)>& close, bool* closed) {
    AboutSeen seen;
    std::unique_ptr<ModalDriver> about;
    ModalDriver menu(Modal::PopupMenu, [&](QWidget& popup) {
        about = std::make_unique<ModalDriver>(Modal::Window, [&](QWidget& modal) {
            auto& dialog = static_cast<QDialog&>(modal);
            seen.instance = &dialog;
            seen.title = dialog.windowTitle();
            auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("Text_about"));
            seen.text = text->toPlainText();
            seen.readOnly = text->isReadOnly();
            seen.notice = dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text();
            seen.focus =
                QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            seen.size = dialog.size();
            seen.centreOffset = dialog.geometry().center() - window_->form->geometry().center();
            seen.tool = (dialog.windowFlags() & Qt::WindowType_Mask) == Qt::Tool;
            seen.mainWindowBlocked =
                QApplication::activeModalWidget() == &dialog && dialog.isModal();
            close(dialog);
        });
        ClickMenuItem(popup, QStringLiteral("About"));
        // Choosing About runs the whole modal phase inside the menu's handler.
        if (closed != nullptr) {
            *closed = about->Succeeded() && QApplication::activeModalWidget() == nullptr;
        }
    });
    QTest::mouseClick(window_->help(), Qt::LeftButton);
    if (!menu.Succeeded() || !about || !about->Succeeded()) {
        qWarning("the About window was not shown and closed");
        seen.title = QStringLiteral("<not shown>");
    }
    return seen;
}

void AboutWindowTest::showsTheApplicationsIdentity() {
    bool closedBeforeTheHelpButtonReturned = false;
    const AboutSeen seen = ShowAbout([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); },
                                     &closedBeforeTheHelpButtonReturned);
    QCOMPARE(seen.title, QStringLiteral(" About "));
    QCOMPARE(seen.text, QStringLiteral("Tolvi VAT Calculator\nVersion 1.0.10\ntolvi.example\n"
                                       "support@tolvi.example"));
    QVERIFY(!seen.notice.isEmpty());
    QCOMPARE(seen.focus, QStringLiteral("cmdOK"));
    QCOMPARE(seen.size, QSize(239, 116));
    QVERIFY(seen.centreOffset.manhattanLength() <= 2);
    QVERIFY(seen.tool);
    QVERIFY(seen.readOnly);
    QVERIFY(seen.mainWindowBlocked);
    QVERIFY(closedBeforeTheHelpButtonReturned);
}

void AboutWindowTest::isLoadedAfreshAtEveryShowing() {
    const auto ok = [](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    };
    const AboutSeen first = ShowAbout(ok);
    const AboutSeen second = ShowAbout(ok);
    QCOMPARE(second.text, first.text);
    QCOMPARE(first.text.count(QLatin1Char('\n')), 3);
    QVERIFY(!first.text.endsWith(QLatin1Char('\n')));
    QVERIFY(window_->form->findChildren<QDialog*>().isEmpty());  // unloaded after each showing
}

void AboutWindowTest::closesByEnterEscapeOkAndTheCloseButton_data() {
    QTest::addColumn<int>("key");  // typed on the window as it opened; 0: the mouse closes it
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closeButton");  // for no key: the title bar's close button, not OK
    QTest::addColumn<bool>("closes");
    const int none = Qt::NoModifier;
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << false << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << false << true;
    QTest::newRow("Space on the focused OK") << int(Qt::Key_Space) << none << false << true;
    QTest::newRow("Shift+Escape") << int(Qt::Key_Escape) << int(Qt::ShiftModifier) << false
                                  << false;
    QTest::newRow("Ctrl+Escape") << int(Qt::Key_Escape) << int(Qt::ControlModifier) << false
                                 << false;
    QTest::newRow("OK clicked") << 0 << none << false << true;
    QTest::newRow("close button") << 0 << none << true << true;
}

void AboutWindowTest::closesByEnterEscapeOkAndTheCloseButton() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closeButton);
    QFETCH(bool, closes);
    bool closedByIt = false;
    bool closed = false;
    ShowAbout(
        [&](QDialog& d) {
            if (key != 0) {  // through the window, to whatever has the focus, as a keyboard does
                QTest::keyClick(d.windowHandle(), static_cast<Qt::Key>(key),
                                Qt::KeyboardModifiers(modifiers));
            } else if (closeButton) {
                d.close();
            } else {
                QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdOK")),
                                  Qt::LeftButton);
            }
            closedByIt = !d.isVisible();
            if (!closedByIt) {
                d.close();
            }
        },
        &closed);
    QCOMPARE(closedByIt, closes);
    QVERIFY(closed);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // The main window takes input again.
    QTest::keyClicks(window_->amount(), "1");
    QCOMPARE(window_->amount()->text(), QStringLiteral("1"));
}

void AboutWindowTest::isAFixedToolWindowWithOnlyACloseButton() {
    AboutWindow about(nullptr);
    const Qt::WindowFlags flags = about.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(about.minimumSize(), QSize(239, 116));
    QCOMPARE(about.maximumSize(), QSize(239, 116));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::AboutWindowTest)
#include "about_window_test.moc"
