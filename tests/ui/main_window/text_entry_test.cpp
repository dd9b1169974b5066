// The rules for text entering a box, row by row through the real window: real key events, the
// real clipboard, real drops, under the regional settings each row names.
#include <QStringDecoder>
#include <QTest>
#include <sstream>

#include "tests/support/entry_rows.h"
#include "tests/support/main_window.h"
#include "tests/support/paste_routes.h"

namespace tolvi::test {

namespace {

// A row's UTF-8 text, a byte order mark at its start kept as the character it is.
QString Q(std::string_view text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

QLocale LocaleOf(const Region& region) {
    return QLocale(Q(region.locale).replace(QLatin1Char('-'), QLatin1Char('_')));
}

template <typename Row>
QByteArray Describe(const Row& row) {
    std::ostringstream out;
    out << row;
    return QByteArray::fromStdString(out.str());
}

const char* BoxOf(Field field) {
    return field == Field::Amount ? "Text_amount" : "Text_vat";
}

void SelectAll(QLineEdit* box) {
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
}

}  // namespace

class TextEntryTest : public QObject {
    Q_OBJECT

  private slots:
    void theRegionsAreQtsOwn_data();
    void theRegionsAreQtsOwn();
    void typedTextFollowsTheTypingRule_data();
    void typedTextFollowsTheTypingRule();
    void theKeypadDecimalKeyTypesThePoint_data();
    void theKeypadDecimalKeyTypesThePoint();
    void aTextFromOutsideFollowsThePasteRule_data();
    void aTextFromOutsideFollowsThePasteRule();
    void theNoticeShowsEveryLine_data();
    void theNoticeShowsEveryLine();
};

// The separators the rows give each place are the ones Qt reports for it.
void TextEntryTest::theRegionsAreQtsOwn_data() {
    QTest::addColumn<int>("region");
    for (std::size_t i = 0; i < std::size(kRegions); ++i) {
        QTest::newRow(std::string(kRegions[i].locale).c_str()) << static_cast<int>(i);
    }
}

void TextEntryTest::theRegionsAreQtsOwn() {
    QFETCH(int, region);
    const Region& place = kRegions[region];
    const QLocale locale = LocaleOf(place);
    QCOMPARE(locale.decimalPoint(), Q(place.decimalSeparator));
    QCOMPARE(locale.groupSeparator(), Q(place.groupSeparator));
}

void TextEntryTest::typedTextFollowsTheTypingRule_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kTypingRows); ++i) {
        QTest::newRow(Describe(kTypingRows[i]).constData()) << static_cast<int>(i);
    }
}

void TextEntryTest::typedTextFollowsTheTypingRule() {
    QFETCH(int, row);
    const TypingRow& typing = kTypingRows[row];
    TestWindow window(LocaleOf(typing.region));
    auto* box = window.Control<QLineEdit>(BoxOf(typing.field));
    TestWindow::ClearByKeyboard(box);
    const QString typed = Q(typing.typed);
    // Keys on the keyboard, one by one; other scripts' characters as an input method commits
    // them, one at a time.
    for (const QChar c : typed) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(box, &commit);
        }
    }
    QCOMPARE(box->text(), Q(typing.boxText));
}

void TextEntryTest::theKeypadDecimalKeyTypesThePoint_data() {
    QTest::addColumn<int>("region");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");  // what the layout makes of the key
    for (const Region& place : kRegions) {
        for (const Field field : {Field::Amount, Field::Rate}) {
            for (const auto& [key, text] : {std::pair{Qt::Key_Period, "."}, {Qt::Key_Comma, ","}}) {
                QTest::addRow("%s %s, keypad %s", std::string(place.locale).c_str(), BoxOf(field),
                              text)
                    << static_cast<int>(&place - kRegions) << BoxOf(field) << int(key)
                    << QString::fromLatin1(text);
            }
        }
    }
}

void TextEntryTest::theKeypadDecimalKeyTypesThePoint() {
    QFETCH(int, region);
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(QString, text);
    TestWindow window(LocaleOf(kRegions[region]));
    auto* box = window.form->findChild<QLineEdit*>(field);
    TestWindow::ClearByKeyboard(box);
    QTest::keyClick(box, Qt::Key_1, Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(key), text, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(box->text(), QStringLiteral("1.5"));
}

void TextEntryTest::aTextFromOutsideFollowsThePasteRule_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("route");
    QTest::addColumn<QString>("box");
    for (std::size_t i = 0; i < std::size(kPasteRows); ++i) {
        const PasteRow& paste = kPasteRows[i];
        const QByteArray name = Describe(paste);
        for (const PasteRoute route :
             {PasteRoute::CtrlV, PasteRoute::ShiftInsert, PasteRoute::ContextMenu,
              PasteRoute::MiddleButton, PasteRoute::Drop}) {
            QTest::addRow("%s, %s", name.constData(), RouteName(route))
                << static_cast<int>(i) << static_cast<int>(route) << BoxOf(paste.field);
        }
        if (paste.AsCommitted()) {
            QTest::addRow("%s, input method", name.constData())
                << static_cast<int>(i) << static_cast<int>(PasteRoute::InputMethod)
                << BoxOf(paste.field);
        }
        // The rounded VAT and the price hold amounts, and take a text as the amount does.
        if (paste.field == Field::Amount) {
            for (const char* result : {"Text_vat_round", "Text_Price"}) {
                QTest::addRow("%s, Ctrl+V into %s", name.constData(), result)
                    << static_cast<int>(i) << static_cast<int>(PasteRoute::CtrlV) << result;
            }
        }
    }
}

void TextEntryTest::aTextFromOutsideFollowsThePasteRule() {
    QFETCH(int, row);
    QFETCH(int, route);
    QFETCH(QString, box);
    const PasteRow& paste = kPasteRows[row];
    const auto way = static_cast<PasteRoute>(route);
    if (way == PasteRoute::MiddleButton && !QGuiApplication::clipboard()->supportsSelection()) {
        QSKIP("this platform has no selection to paste with the middle button");
    }
    TestWindow window(LocaleOf(paste.region));
    auto* into = window.form->findChild<QLineEdit*>(box);
    TestWindow::ClearByKeyboard(into);
    QTest::keyClicks(into, Q(paste.before));
    // The paste keys and the menu replace the selection; the middle button and a drop bring
    // their text to where they point, which the rows' boxes that take a text leave empty.
    SelectAll(into);
    Paste(into, way, Q(paste.pasted));
    QCOMPARE(into->text(), Q(paste.after));
    // Which number a text was taken for is said where the text recalculates.
    if (paste.Refused() || (!paste.notice.empty() && box == BoxOf(paste.field))) {
        QCOMPARE(window.NoticeLines(), QStringList{Q(paste.notice)});
    } else {
        QVERIFY(!window.notice()->text().startsWith(QLatin1String("Not pasted")) ||
                !window.notice()->isVisible());
    }
}

void TextEntryTest::theNoticeShowsEveryLine_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kNoticeRows); ++i) {
        QTest::newRow(Describe(kNoticeRows[i]).constData()) << static_cast<int>(i);
    }
}

void TextEntryTest::theNoticeShowsEveryLine() {
    QFETCH(int, row);
    const NoticeRow& notice = kNoticeRows[row];
    TestWindow window;
    if (notice.mode == VatMode::Exclusive) {
        QTest::mouseClick(window.exclusive(), Qt::LeftButton);
    }
    SelectAll(window.rate());
    Paste(window.rate(), PasteRoute::CtrlV, Q(notice.rate));
    if (notice.amount.empty()) {
        QTest::keyClick(window.amount(), '5');  // typed, and taken away again
        QTest::keyClick(window.amount(), Qt::Key_Backspace);
    } else {
        Paste(window.amount(), PasteRoute::CtrlV, Q(notice.amount));
    }
    QCOMPARE(window.rate()->text(), Q(notice.rate));
    QCOMPARE(window.amount()->text(), Q(notice.amount));
    QStringList lines;
    for (const std::string_view line : notice.lines) {
        if (!line.empty()) {
            lines << Q(line);
        }
    }
    QCOMPARE(window.NoticeLines(), lines);
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::TextEntryTest)
#include "text_entry_test.moc"
