// Which number format the window uses for a user's regional settings.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "platform/regional_number_format.h"
#include "ui/main/form1.h"

namespace tolvi::test {

class RegionalNumberFormatTest : public QObject {
    Q_OBJECT

  private slots:
    void usesTheRegionalSettingsOnlyWithPointAndComma_data();
    void usesTheRegionalSettingsOnlyWithPointAndComma();
    void aCommaDecimalRegionStillGetsExactResults();
};

void RegionalNumberFormatTest::usesTheRegionalSettingsOnlyWithPointAndComma_data() {
    QTest::addColumn<QString>("locale");
    for (const char* name : {"en_US", "en_GB", "de_DE", "fr_FR", "de_CH", "hi_IN", "C"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void RegionalNumberFormatTest::usesTheRegionalSettingsOnlyWithPointAndComma() {
    QFETCH(QString, locale);
    // Every one of these gives the calculator's defaults: either its separators are "." and
    // ",", or they are not and the defaults stand in for them.
    const NumberFormat format = platform::CalculatorNumberFormat(QLocale(locale));
    QCOMPARE(format, NumberFormat{});
}

void RegionalNumberFormatTest::aCommaDecimalRegionStillGetsExactResults() {
    Form1 form(platform::CalculatorNumberFormat(QLocale(QStringLiteral("de_DE"))));
    form.show();
    QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("Option_vat_exc")),
                      Qt::LeftButton);
    auto* rate = form.findChild<QLineEdit*>(QStringLiteral("Text_vat"));
    QTest::keyClick(rate, Qt::Key_Backspace);
    QTest::keyClicks(rate, "17.5");
    QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("Text_amount")), "105");
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Text_vat_result"))->text(),
             QStringLiteral("18.375"));
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text_vat_round"))->text(),
             QStringLiteral("18.38"));
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("Text_Price"))->text(),
             QStringLiteral("105.00"));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::RegionalNumberFormatTest)
#include "regional_number_format_test.moc"
