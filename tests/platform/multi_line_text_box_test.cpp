// A multi-line box reads its text back with carriage return and line feed between lines, exactly
// as it was set, and shows one line for each.
#include <QTest>

#include "platform/multi_line_text_box.h"

namespace tolvi::test {

class MultiLineTextBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void readsBackWhatWasSet_data();
    void readsBackWhatWasSet();
};

void MultiLineTextBoxTest::readsBackWhatWasSet_data() {
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("two lines") << "Tolvi\r\nVAT"
                               << "Tolvi\nVAT"
                               << "Tolvi\r\nVAT";
    QTest::newRow("a line break at the end") << "Tolvi\r\n"
                                             << "Tolvi\n"
                                             << "Tolvi\r\n";
    QTest::newRow("a bare line feed") << "Tolvi\nVAT"
                                      << "Tolvi\nVAT"
                                      << "Tolvi\r\nVAT";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void MultiLineTextBoxTest::readsBackWhatWasSet() {
    QFETCH(QString, set);
    platform::MultiLineTextBox box;
    box.SetText(set);
    QTEST(box.toPlainText(), "shown");
    QTEST(box.Text(), "readBack");
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::MultiLineTextBoxTest)
#include "multi_line_text_box_test.moc"
