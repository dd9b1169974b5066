// The two web commands, chosen from the Help menu, with the desktop's URL opener captured.
#include <QDesktopServices>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "tests/support/main_window.h"
#include "tests/support/modal_driver.h"

namespace tolvi::test {

// Stands in for the desktop's browser: records every address handed to it.
class UrlRecorder : public QObject {
    Q_OBJECT

  public:
    std::function<void(const QUrl&)> onOpen;
    QStringList opened;

  public slots:
    void open(const QUrl& url) {
        opened << url.toString();
        if (onOpen) {
            onOpen(url);
        }
    }
};

class WebPageTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<TestWindow>();
        recorder_ = std::make_unique<UrlRecorder>();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), recorder_.get(), "open");
    }
    void cleanup() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        window_.reset();
        recorder_.reset();
    }

    void opensTheExactAddresses_data();
    void opensTheExactAddresses();
    void aWebCommandQueuedDuringTheEventPassesRunsNested();
    void failsSilentlyAndKeepsTheWindowWorking_data();
    void failsSilentlyAndKeepsTheWindowWorking();

  private:
    bool Choose(const QString& item) {
        ModalDriver menu(Modal::PopupMenu, [&](QWidget& popup) { ClickMenuItem(popup, item); });
        QTest::mouseClick(window_->help(), Qt::LeftButton);
        return menu.Succeeded();
    }

    std::unique_ptr<TestWindow> window_;
    std::unique_ptr<UrlRecorder> recorder_;
};

void WebPageTest::opensTheExactAddresses_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("address");
    QTest::newRow("home page") << "Home_Page"
                               << "http://tolvi.example";
    QTest::newRow("online calculator") << "VAT_calc_online"
                                       << "http://tolvi.example/VAT-Calculator";
}

void WebPageTest::opensTheExactAddresses() {
    QFETCH(QString, item);
    QFETCH(QString, address);
    QVERIFY(Choose(item));
    QCOMPARE(recorder_->opened, QStringList{address});
}

void WebPageTest::aWebCommandQueuedDuringTheEventPassesRunsNested() {
    bool outerReturned = false;
    bool nestedRanInsideOuter = false;
    QAction* homePage = window_->form->findChild<QAction*>(QStringLiteral("Home_Page"));
    QStringList typed;
    recorder_->onOpen = [&](const QUrl& url) {
        if (url.path() == QLatin1String("/VAT-Calculator")) {
            // Queued input: a keystroke and the other web command.
            QTimer::singleShot(0, homePage, &QAction::trigger);
            QTimer::singleShot(0, [&] { QTest::keyClick(window_->amount(), '4'); });
        } else {
            nestedRanInsideOuter = !outerReturned;
        }
    };
    QVERIFY(Choose(QStringLiteral("VAT_calc_online")));
    outerReturned = true;
    QCOMPARE(recorder_->opened,
             (QStringList{"http://tolvi.example/VAT-Calculator", "http://tolvi.example"}));
    QVERIFY(nestedRanInsideOuter);
    QCOMPARE(window_->amount()->text(), QStringLiteral("4"));  // handled inside the passes
    QCOMPARE(window_->total()->text(), QStringLiteral("4.00"));
}

void WebPageTest::failsSilentlyAndKeepsTheWindowWorking_data() {
    QTest::addColumn<bool>("browser");
    QTest::newRow("the browser opens it") << true;
    // The offscreen desktop has no opener: the request fails there with a warning of Qt's own.
    QTest::newRow("the desktop cannot open it") << false;
}

void WebPageTest::failsSilentlyAndKeepsTheWindowWorking() {
    QFETCH(bool, browser);
    if (!browser) {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QTest::ignoreMessage(QtWarningMsg,
                             "This plugin does not support "
                             "QPlatformServices::openUrl() for 'http://tolvi.example'.");
    }
    QTest::keyClicks(window_->amount(), "5");
    const QStringList before = window_->Results();
    window_->form->findChild<QAction*>(QStringLiteral("Home_Page"))->trigger();
    QCOMPARE(recorder_->opened, browser ? QStringList{"http://tolvi.example"} : QStringList{});
    // Silent: no notice, no message box, nothing recalculated; and the window goes on working.
    QCOMPARE(window_->Results(), before);
    QVERIFY(!window_->notice()->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::keyClicks(window_->amount(), "7");
    QCOMPARE(window_->total()->text(), QStringLiteral("57.00"));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::WebPageTest)
#include "web_page_test.moc"
