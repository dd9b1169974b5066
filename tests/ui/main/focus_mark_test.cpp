// The control that Tab brings the focus to shows it at once: what the screen shows of it is what
// it draws with the focus.
#include <QScreen>
#include <QTest>

#include "tests/support/main_window.h"

namespace tolvi::test {

class FocusMarkTest : public QObject {
    Q_OBJECT

  private slots:
    void tabShowsTheFocusOnTheControlItReaches_data();
    void tabShowsTheFocusOnTheControlItReaches();
};

void FocusMarkTest::tabShowsTheFocusOnTheControlItReaches_data() {
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("control");
    QTest::newRow("VAT Inclusive") << 2 << "Option_vat_inc";
    QTest::newRow("VAT Exclusive") << 3 << "Option_vat_exc";
}

void FocusMarkTest::tabShowsTheFocusOnTheControlItReaches() {
    QFETCH(int, tabs);
    QFETCH(QString, control);
    MainWindow window;
    for (int i = 0; i < tabs; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    auto* reached = window.form->findChild<QWidget*>(control);
    QCOMPARE(QApplication::focusWidget(), reached);
    const QRect area(reached->mapTo(window.form.get(), QPoint(0, 0)), reached->size());
    const auto onScreen = [&] {
        return window.form->screen()
            ->grabWindow(window.form->winId())
            .toImage()
            .copy(area)
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage drawn = reached->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QTRY_COMPARE(onScreen(), drawn);
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::FocusMarkTest)
#include "focus_mark_test.moc"
