// A label whose caption change is an event: the handler runs inside every assignment, after the
// caption has changed, also when it stays the same; without a handler the caption just changes.
#include <QTest>

#include "platform/change_label.h"

namespace tolvi::test {

class ChangeLabelTest : public QObject {
    Q_OBJECT

  private slots:
    void runsItsHandlerInsideEveryAssignment_data();
    void runsItsHandlerInsideEveryAssignment();
};

void ChangeLabelTest::runsItsHandlerInsideEveryAssignment_data() {
    QTest::addColumn<bool>("handler");
    QTest::addColumn<QStringList>("seen");  // the caption as the handler found it, each run
    QTest::newRow("with a handler") << true << QStringList{"18.375", "18.375", "0"};
    QTest::newRow("without a handler") << false << QStringList{};
}

void ChangeLabelTest::runsItsHandlerInsideEveryAssignment() {
    QFETCH(bool, handler);
    platform::ChangeLabel label;
    QStringList seen;
    if (handler) {
        label.SetChangeHandler([&] { seen << label.text(); });
    }
    for (const char* caption : {"18.375", "18.375", "0"}) {
        label.SetCaption(QString::fromLatin1(caption));
        QCOMPARE(label.text(), QString::fromLatin1(caption));
    }
    QTEST(seen, "seen");
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::ChangeLabelTest)
#include "change_label_test.moc"
