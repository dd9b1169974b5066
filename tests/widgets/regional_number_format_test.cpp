// Which number format the window uses for a user's regional settings.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "ui/main_window/main_window.h"
#include "widgets/regional_number_format.h"

namespace tolvi::test {

class RegionalNumberFormatTest : public QObject {
    Q_OBJECT

  private slots:
    void usesTheRegionalSettingsOnlyWithPointAndComma_data();
    void usesTheRegionalSettingsOnlyWithPointAndComma();
    void theWindowWorksInTheFormatItIsGiven();
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
    const NumberFormat format = widgets::CalculatorNumberFormat(QLocale(locale));
    QCOMPARE(format, NumberFormat{});
}

void RegionalNumberFormatTest::theWindowWorksInTheFormatItIsGiven() {
    // Every conversion of the window's recalculation uses this format, so "17.5" reads as 175
    // and the results carry comma decimals and point groups.
    NumberFormat commaDecimals;
    commaDecimals.decimalSeparator = ",";
    commaDecimals.groupSeparator = ".";
    tolvi::MainWindow form(commaDecimals);
    form.show();
    QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("Option_vat_exc")),
                      Qt::LeftButton);
    auto* rate = form.findChild<QLineEdit*>(QStringLiteral("Text_vat"));
    QTest::keyClick(rate, Qt::Key_Backspace);
    QTest::keyClicks(rate, "17.5");
    QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("Text_amount")), "105");
    const auto text = [&form](const char* name) {
        if (auto* label = form.findChild<QLabel*>(QString::fromLatin1(name))) {
            return label->text();
        }
        return form.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(text("Text_vat_result"), QStringLiteral("18"));
    QCOMPARE(text("Text_vat_round"), QStringLiteral("18,00"));
    QCOMPARE(text("Text_total"), QStringLiteral("123,00"));
    QCOMPARE(text("Text_Price"), QStringLiteral("-1.677,00"));
    QCOMPARE(text("Label_price"), QStringLiteral("105"));
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::RegionalNumberFormatTest)
#include "regional_number_format_test.moc"
