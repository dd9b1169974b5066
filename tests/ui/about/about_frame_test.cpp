// The About window's frame: a fixed-size tool window with a title and a close button only.
#include <QTest>

#include "ui/about/frm_about.h"

namespace tolvi::test {

class AboutFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void isAFixedToolWindowWithOnlyACloseButton();
};

void AboutFrameTest::isAFixedToolWindowWithOnlyACloseButton() {
    frmAbout about(nullptr);
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

QTEST_MAIN(tolvi::test::AboutFrameTest)
#include "about_frame_test.moc"
