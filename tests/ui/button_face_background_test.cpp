// The result boxes and the About text are drawn on the button-face colour, the input boxes on the
// window colour, in every state of the window.
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "tests/support/load_window.h"

namespace tolvi::test {

class ButtonFaceBackgroundTest : public QObject {
    Q_OBJECT

  private slots:
    // A desktop whose button face differs from both its window and its text-box colours, and
    // from one state of a window to the next.
    void initTestCase() {
        QPalette desktop = QApplication::palette();
        const struct {
            QPalette::ColorGroup group;
            QRgb window, base, button;
        } colours[] = {{QPalette::Active, 0xe0e0e0, 0xffffff, 0xc0c0c0},
                       {QPalette::Inactive, 0xe1e1e1, 0xfefefe, 0xc8c8c8},
                       {QPalette::Disabled, 0xe2e2e2, 0xfdfdfd, 0xd0d0d0}};
        for (const auto& c : colours) {
            desktop.setColor(c.group, QPalette::Window, QColor(c.window));
            desktop.setColor(c.group, QPalette::Base, QColor(c.base));
            desktop.setColor(c.group, QPalette::Button, QColor(c.button));
        }
        QApplication::setPalette(desktop);
    }
    void boxesHaveTheirBackground_data();
    void boxesHaveTheirBackground();
};

void ButtonFaceBackgroundTest::boxesHaveTheirBackground_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("buttonFace");
    QTest::newRow("rounded VAT") << "Form1"
                                 << "Text_vat_round" << true;
    QTest::newRow("price") << "Form1"
                           << "Text_Price" << true;
    QTest::newRow("total") << "Form1"
                           << "Text_total" << true;
    QTest::newRow("About text") << "frmAbout"
                                << "Text_about" << true;
    QTest::newRow("amount") << "Form1"
                            << "Text_amount" << false;
    QTest::newRow("rate") << "Form1"
                          << "Text_vat" << false;
}

void ButtonFaceBackgroundTest::boxesHaveTheirBackground() {
    QFETCH(QString, window);
    QFETCH(QString, box);
    QFETCH(bool, buttonFace);
    const std::unique_ptr<QWidget> form = LoadWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    auto* control = form->findChild<QWidget*>(box);
    QVERIFY(control != nullptr);
    const QPalette desktop = QApplication::palette();
    const QPalette::ColorRole role = buttonFace ? QPalette::Button : QPalette::Base;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QCOMPARE(control->palette().color(group, QPalette::Base), desktop.color(group, role));
    }
    // What is painted: the empty corner inside the frame, away from any text.
    QWidget* inside = control;
    if (auto* text = qobject_cast<QPlainTextEdit*>(control)) {
        inside = text->viewport();
    }
    const QImage drawn = inside->grab().toImage();
    const QColor corner = drawn.pixelColor(drawn.width() - 4, drawn.height() - 4);
    const QPalette::ColorGroup state =
        control->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    QCOMPARE(corner, desktop.color(state, role));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::ButtonFaceBackgroundTest)
#include "button_face_background_test.moc"
