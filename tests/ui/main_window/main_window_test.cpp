// The main window through real key and mouse events.
#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QtDBus>

#include "calc/display_form.h"
#include "calc/field_length.h"
#include "calc/field_reading.h"
#include "calc/key_rule.h"
#include "calc/text_entry.h"
#include "tests/support/main_window.h"
#include "tests/support/modal_driver.h"
#include "tests/support/paste_routes.h"
#include "tests/support/worked_recalculations.h"
#include "widgets/screen_centring.h"
#include "widgets/shrink_to_fit_label.h"

namespace tolvi::test {

// A key as an X11 keyboard sends it, with the text its control character carries.
struct SentKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
};

}  // namespace tolvi::test

Q_DECLARE_METATYPE(tolvi::test::SentKey)

namespace tolvi::test {

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { window_ = std::make_unique<TestWindow>(); }
    void cleanup() { window_.reset(); }

    void startsInItsInitialStateWithNothingRecalculated();
    void showsEveryControlWithItsFirstCaption_data();
    void showsEveryControlWithItsFirstCaption();
    void isAFixedWindowWithoutMenuBar();
    void oneKeystrokeRecalculatesEveryField();
    void typedRecalculationsMatchTheWorkedTable_data();
    void typedRecalculationsMatchTheWorkedTable();
    void switchingTheModeRederivesEveryField();
    void editingTheRateRecalculates();
    void theKeyRuleSwallowsEveryOtherCharacter_data();
    void theKeyRuleSwallowsEveryOtherCharacter();
    void editingKeysKeepWorking();
    void editingShortcutsAreCommands_data();
    void editingShortcutsAreCommands();
    void pastingBypassesTheKeyRuleAndRecalculates();
    void inputMethodTextPassesTheKeyRule();
    void anErrorIsNamedNearTheAmountUntilALaterRecalculation();
    void resultBoxesTakeTypingUntilTheNextRecalculation();
    void aRecalculationLeavesTheBoxesItDoesNotChangeAlone();
    void anEarlyErrorLeavesEveryResultBoxItsText_data();
    void anEarlyErrorLeavesEveryResultBoxItsText();
    void tabVisitsTheControlsInOrder();
    void labelsNameTheirFieldsForScreenReaders();
    void screenReadersAreAlertedToEveryNotice();
    void assistiveToolsBringTextByThePasteRule();
    void theHelpButtonPopsUpTheMenuOnItself();
    void dismissingThePopUpRunsNoCommand();
    void enterOnTheFocusedHelpButtonPopsUpTheMenu_data();
    void enterOnTheFocusedHelpButtonPopsUpTheMenu();
    void aPasteLongerThanTheLimitIsRefusedWhole_data();
    void aPasteLongerThanTheLimitIsRefusedWhole();
    void aPasteTooLongForAResultBoxIsRefusedWhole_data();
    void aPasteTooLongForAResultBoxIsRefusedWhole();
    void typingAtTheLimitNeverCutsATypedText();
    void aMouseDragInAFullBoxLeavesItsText();
    void theLongestResultsAreShownWhole();
    void theNoticeCoversNoControlAndItsTextFits_data();
    void theNoticeCoversNoControlAndItsTextFits();
    void contextMenusOfferOnlyKeysTheBoxTakes_data();
    void contextMenusOfferOnlyKeysTheBoxTakes();
    void theFrameIsCentredOnTheScreen();
    void aPastedAmountReachesTheTotalAsItStands_data();
    void aPastedAmountReachesTheTotalAsItStands();
    void theStripBelowTheLogoContinuesItsBackground();
    void theNoticeIsAToolTipStrip();
    void tabShowsTheFocusOnTheControlItReaches_data();
    void tabShowsTheFocusOnTheControlItReaches();

  private:
    TestWindow& w() { return *window_; }
    std::unique_ptr<TestWindow> window_;
};

void MainWindowTest::startsInItsInitialStateWithNothingRecalculated() {
    QCOMPARE(w().amount()->text(), QString());
    QCOMPARE(w().rate()->text(), QStringLiteral("0"));
    QVERIFY(w().inclusive()->isChecked());
    QVERIFY(!w().exclusive()->isChecked());
    QCOMPARE(w().Results(), (QStringList{"0.00", "", "", "", "0.00"}));
    QCOMPARE(QApplication::focusWidget(), w().amount());
    QVERIFY(w().total()->isReadOnly());
    QVERIFY(!w().roundedVat()->isReadOnly());
    QVERIFY(!w().price()->isReadOnly());
    QVERIFY(!w().notice()->isVisible());
}

void MainWindowTest::showsEveryControlWithItsFirstCaption_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const struct {
        const char* name;
        const char* caption;
    } rows[] = {
        {"Picture1", ""},
        {"Label1", "Amount :"},
        {"Text_amount", ""},
        {"Option_vat_inc", "VAT Inclusive"},
        {"Label2", "VAT % :"},
        {"Text_vat", "0"},
        {"Option_vat_exc", "VAT Exclusive"},
        {"Label3", "VAT :"},
        {"Text_vat_round", ""},
        {"Text_vat_result", "0.00"},
        {"Label5", "Price :"},
        {"Text_Price", ""},
        {"Label_price", "0.00"},
        {"Label4", "Total :"},
        {"Text_total", ""},
        {"Command1", "Help"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << QString::fromUtf8(row.caption);
    }
}

void MainWindowTest::showsEveryControlWithItsFirstCaption() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QWidget* control = w().form->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QVERIFY(control->isVisible());
    QVERIFY(control->isEnabled());
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        QCOMPARE(box->text(), caption);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QCOMPARE(button->text(), caption);
    }
}

void MainWindowTest::isAFixedWindowWithoutMenuBar() {
    tolvi::MainWindow& form = *w().form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Tolvi"));
    QCOMPARE(form.size(), QSize(299, 154));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(form.findChild<QMenuBar*>() == nullptr);
    auto* menu = form.findChild<QMenu*>(QStringLiteral("Help"));
    QVERIFY(menu != nullptr);
    QVERIFY(!menu->isVisible());
    QStringList captions;
    QStringList names;
    for (QAction* action : menu->actions()) {
        captions << action->text();
        names << action->objectName();
        QVERIFY(action->isEnabled());
        QVERIFY(!action->isChecked());
        QVERIFY(action->shortcut().isEmpty());
    }
    QCOMPARE(captions, (QStringList{"About", "VAT Calculator Online", "Home Page"}));
    QCOMPARE(names, (QStringList{"About", "VAT_calc_online", "Home_Page"}));
    QVERIFY(!w().help()->isDefault());
}

void MainWindowTest::oneKeystrokeRecalculatesEveryField() {
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClicks(w().rate(), "17.5");
    QTest::keyClicks(w().amount(), "11");
    QTest::keyClick(w().amount(), Qt::Key_Left);
    QTest::keyClick(w().amount(), '7');
    QCOMPARE(w().amount()->text(), QStringLiteral("171"));
    QTest::keyClick(w().amount(), Qt::Key_Backspace);
    QTest::keyClick(w().amount(), Qt::Key_End);
    QTest::keyClick(w().amount(), '7');
    QCOMPARE(w().amount()->text(), QStringLiteral("117"));
    QCOMPARE(w().Results(),
             (QStringList{"17.4255319148936", "17.43", "117.00", "99.57", "99.5744680851064"}));
    // Every digit of the unrounded results is drawn, none cut off: the ink ends before the
    // label's right edge, and the label shows what a plain label in the fitting size shows.
    for (const char* name : {"Text_vat_result", "Label_price"}) {
        auto* label = w().Control<widgets::ShrinkToFitLabel>(name);
        const QImage drawn = label->grab().toImage();
        const QRgb background = label->palette().color(label->backgroundRole()).rgb();
        int inkRight = -1;
        for (int x = 0; x < drawn.width(); ++x) {
            for (int y = 0; y < drawn.height(); ++y) {
                if (drawn.pixel(x, y) != background) {
                    inkRight = x;
                }
            }
        }
        QVERIFY2(inkRight >= 0 && inkRight < drawn.width() - 1, name);
        QLabel plain(label->text(), w().form.get());
        plain.setGeometry(label->geometry());
        plain.setFont(label->FittingFont());
        QVERIFY2(drawn == plain.grab().toImage(), name);
    }
}

void MainWindowTest::typedRecalculationsMatchTheWorkedTable_data() {
    QTest::addColumn<bool>("exclusive");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QStringList>("results");
    const auto q = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    for (const WorkedRecalculation& row : kWorkedRecalculations) {
        QTest::addRow("%s \"%s\" at %s", ModeName(row.mode).data(), std::string(row.amount).c_str(),
                      std::string(row.rate).c_str())
            << (row.mode == VatMode::Exclusive) << q(row.amount) << q(row.rate)
            << QStringList{q(row.unroundedVat), q(row.roundedVat), q(row.total), q(row.price),
                           q(row.unformattedPrice)};
    }
}

void MainWindowTest::typedRecalculationsMatchTheWorkedTable() {
    QFETCH(bool, exclusive);
    QFETCH(QString, amount);
    QFETCH(QString, rate);
    QFETCH(QStringList, results);
    if (exclusive) {
        QTest::mouseClick(w().exclusive(), Qt::LeftButton);
        QVERIFY(w().exclusive()->isChecked());
    }
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClicks(w().rate(), rate);
    // What the keyboard cannot bring (commas, exponent letters) is pasted.
    const bool typeable = std::all_of(amount.begin(), amount.end(),
                                      [](QChar c) { return ApplyKeyRule(c.unicode()) != 0; });
    if (typeable) {
        QTest::keyClicks(w().amount(), amount);
    } else {
        QGuiApplication::clipboard()->setText(amount);
        QTest::keyClick(w().amount(), Qt::Key_Insert, Qt::ShiftModifier);
    }
    QCOMPARE(w().amount()->text(), amount);
    QCOMPARE(w().Results(), results);
    // Only an amount read in part ("1.2.3") has a notice: how it was read.
    const bool readInPart =
        ExtentOfReading(amount.toStdString(), Field::Amount) == ReadingExtent::Part;
    QCOMPARE(w().notice()->isVisible(), readInPart);
}

void MainWindowTest::switchingTheModeRederivesEveryField() {
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClicks(w().rate(), "17.5");
    QTest::keyClicks(w().amount(), "105");
    QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    QCOMPARE(w().Results(), (QStringList{"18.375", "18.38", "123.38", "105.00", "105"}));
    QTest::mouseClick(w().inclusive(), Qt::LeftButton);
    QCOMPARE(w().Results(),
             (QStringList{"15.6382978723404", "15.64", "105.00", "89.36", "89.3617021276596"}));
    // Clicking the selected button again changes nothing.
    w().price()->setText(QStringLiteral("typed"));
    QTest::mouseClick(w().inclusive(), Qt::LeftButton);
    QCOMPARE(w().price()->text(), QStringLiteral("typed"));
}

void MainWindowTest::editingTheRateRecalculates() {
    QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    QTest::keyClicks(w().amount(), "200");
    QCOMPARE(w().total()->text(), QStringLiteral("200.00"));
    QTest::keyClick(w().rate(), Qt::Key_End);
    QTest::keyClick(w().rate(), '5');  // "05"
    QCOMPARE(w().Results(), (QStringList{"10", "10.00", "210.00", "200.00", "200"}));
    QTest::keyClick(w().rate(), Qt::Key_Backspace);
    QCOMPARE(w().unroundedVat()->text(), QStringLiteral("0"));
    QGuiApplication::clipboard()->setText(QStringLiteral("20"));
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClick(w().rate(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w().rate()->text(), QStringLiteral("20"));
    QCOMPARE(w().total()->text(), QStringLiteral("240.00"));
}

void MainWindowTest::theKeyRuleSwallowsEveryOtherCharacter_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");  // as an X11 keyboard sends it
    const struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
    } keys[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, "a"},
        {"capital", Qt::Key_E, Qt::ShiftModifier, "E"},
        {"comma", Qt::Key_Comma, Qt::NoModifier, ","},  // in the amount, under English settings
        {"minus", Qt::Key_Minus, Qt::NoModifier, "-"},
        {"plus", Qt::Key_Plus, Qt::ShiftModifier, "+"},
        {"space", Qt::Key_Space, Qt::NoModifier, " "},
        {"Enter", Qt::Key_Return, Qt::NoModifier, "\r"},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, "\r"},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b"},
        {"Ctrl+B", Qt::Key_B, Qt::ControlModifier, "\x02"},
        {"Ctrl+K", Qt::Key_K, Qt::ControlModifier, "\x0b"},  // deletes to the end elsewhere
        {"Ctrl+U", Qt::Key_U, Qt::ControlModifier, "\x15"},
        {"Ctrl+Backspace", Qt::Key_Backspace, Qt::ControlModifier, "\b"},
    };
    for (const char* field : {"Text_amount", "Text_vat"}) {
        for (const auto& k : keys) {
            if (k.key == Qt::Key_Comma && field == std::string_view("Text_vat")) {
                continue;  // the rate's decimal point
            }
            QTest::addRow("%s %s", field, k.name)
                << QString::fromLatin1(field) << k.key << static_cast<int>(k.modifiers)
                << QString::fromLatin1(k.text);
        }
    }
}

void MainWindowTest::theKeyRuleSwallowsEveryOtherCharacter() {
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    auto* box = w().form->findChild<QLineEdit*>(field);
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    QTest::keyClicks(box, "12.5");
    QTest::keyClick(box, Qt::Key_Left);  // the cursor inside the text
    const QString before = box->text();
    const QStringList results = w().Results();
    w().price()->setText(QStringLiteral("marker"));  // a recalculation would rewrite it
    QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(key), text,
                        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(box->text(), before);
    QCOMPARE(w().price()->text(), QStringLiteral("marker"));
    QCOMPARE(box->cursorPosition(), before.size() - 1);
}

void MainWindowTest::editingKeysKeepWorking() {
    QLineEdit* amount = w().amount();
    QTest::keyClick(amount, Qt::Key_Backspace);  // in an empty field
    QCOMPARE(amount->text(), QString());
    QTest::keyClicks(amount, "1234");
    QTest::keyClick(amount, Qt::Key_Home);
    QTest::keyClick(amount, Qt::Key_Delete);
    QCOMPARE(amount->text(), QStringLiteral("234"));
    QTest::keyClick(amount, Qt::Key_Right);
    QTest::keyClick(amount, Qt::Key_Backspace);
    QCOMPARE(amount->text(), QStringLiteral("34"));
    QTest::keyClick(amount, Qt::Key_End);
    QTest::keyClick(amount, Qt::Key_Left);
    QTest::keyClicks(amount, "..0");  // a second point and leading zeros pass
    QCOMPARE(amount->text(), QStringLiteral("3..04"));
    QCOMPARE(w().total()->text(), QStringLiteral("3..04"));  // inclusive: not a number
    QVERIFY(w().notice()->isVisible());
}

void MainWindowTest::editingShortcutsAreCommands_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<SentKey>>("keys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("held");  // by the clipboard before the keys; null: no text
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const SentKey selectAll{Qt::Key_A, ctrl, "\x01"};
    const SentKey seven{Qt::Key_7, Qt::NoModifier, "7"};
    const SentKey one{Qt::Key_1, Qt::NoModifier, "1"};
    const SentKey end{Qt::Key_End, Qt::NoModifier, ""};
    const SentKey undo{Qt::Key_Z, ctrl, "\x1a"};
    const struct {
        const char* name;
        QList<SentKey> keys;
        const char* result;
        const char* clipboard;
        const char* held = "99";
    } rows[] = {
        // The box holds "12.5" with the cursor at its end; the clipboard "99".
        {"Ctrl+A, then a digit replaces", {selectAll, seven}, "7", "99"},
        {"Ctrl+A, then a new amount replaces",
         {selectAll,
          one,
          {Qt::Key_2, Qt::NoModifier, "2"},
          {Qt::Key_Period, Qt::NoModifier, "."},
          {Qt::Key_5, Qt::NoModifier, "5"}},
         "12.5",
         "99"},
        {"Ctrl+C", {selectAll, {Qt::Key_C, ctrl, "\x03"}, end, one}, "12.51", "12.5"},
        {"Ctrl+Insert", {selectAll, {Qt::Key_Insert, ctrl, ""}, end, one}, "12.51", "12.5"},
        {"Ctrl+X", {selectAll, {Qt::Key_X, ctrl, "\x18"}}, "", "12.5"},
        {"Shift+Delete", {selectAll, {Qt::Key_Delete, shift, ""}}, "", "12.5"},
        {"Ctrl+V", {{Qt::Key_V, ctrl, "\x16"}}, "12.599", "99"},
        {"Shift+Insert", {{Qt::Key_Insert, shift, ""}}, "12.599", "99"},
        {"Ctrl+V of no text", {selectAll, {Qt::Key_V, ctrl, "\x16"}}, "12.5", "", nullptr},
        {"Ctrl+Z", {selectAll, seven, undo}, "12.5", "99"},
        {"Ctrl+Shift+Z", {selectAll, seven, undo, {Qt::Key_Z, ctrl | shift, "\x1a"}}, "7", "99"},
        {"Ctrl+Y", {selectAll, seven, undo, {Qt::Key_Y, ctrl, "\x19"}}, "7", "99"},
    };
    for (const char* field : {"Text_amount", "Text_vat"}) {
        for (const auto& row : rows) {
            QTest::addRow("%s, %s", field, row.name)
                << QString::fromLatin1(field) << row.keys << QString::fromLatin1(row.result)
                << QString::fromLatin1(row.clipboard) << QString::fromLatin1(row.held);
        }
    }
}

void MainWindowTest::editingShortcutsAreCommands() {
    QFETCH(QString, field);
    QFETCH(QList<SentKey>, keys);
    QFETCH(QString, result);
    QFETCH(QString, held);
    auto* box = w().form->findChild<QLineEdit*>(field);
    TestWindow::ClearByKeyboard(box);
    QTest::keyClicks(box, "12.5");
    held.isNull() ? QGuiApplication::clipboard()->clear()
                  : QGuiApplication::clipboard()->setText(held);
    for (const SentKey& k : keys) {
        QTest::sendKeyEvent(QTest::Click, box, k.key, QString::fromLatin1(k.text), k.modifiers);
    }
    QCOMPARE(box->text(), result);
    QTEST(QGuiApplication::clipboard()->text(), "clipboard");
    // The results follow the text the command left: at a rate of 0 the total is the amount.
    if (box == w().amount()) {
        QCOMPARE(w().total()->text(), result.isEmpty() ? QString() : w().price()->text());
    }
}

void MainWindowTest::pastingBypassesTheKeyRuleAndRecalculates() {
    QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClicks(w().rate(), "20");
    QGuiApplication::clipboard()->setText(QStringLiteral("1,000"));

    // Through the field's own context menu.
    ModalDriver paste(Modal::PopupMenu,
                      [](QWidget& menu) { ClickMenuItem(menu, QStringLiteral("Paste")); });
    const QPoint inside = w().amount()->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Mouse, inside, w().amount()->mapToGlobal(inside));
    QApplication::sendEvent(w().amount(), &request);  // the menu pops up without blocking
    QTRY_VERIFY(paste.Succeeded());
    QCOMPARE(w().amount()->text(), QStringLiteral("1,000"));
    QCOMPARE(w().Results(), (QStringList{"200", "200.00", "1,200.00", "1,000.00", "1000"}));

    // Through Shift+Insert.
    QGuiApplication::clipboard()->setText(QStringLiteral("-5"));
    TestWindow::ClearByKeyboard(w().amount());
    QTest::keyClick(w().amount(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w().amount()->text(), QStringLiteral("-5"));
    QCOMPARE(w().Results(), (QStringList{"-1", "-1.00", "-6.00", "-5.00", "-5"}));
}

void MainWindowTest::inputMethodTextPassesTheKeyRule() {
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("1a2\u00e9.5"));
    QApplication::sendEvent(w().amount(), &composed);
    QCOMPARE(w().amount()->text(), QStringLiteral("12.5"));
    QCOMPARE(w().total()->text(), QStringLiteral("12.50"));
    QInputMethodEvent rejected;
    rejected.setCommitString(QStringLiteral("\u00e9"));
    QApplication::sendEvent(w().amount(), &rejected);
    QCOMPARE(w().amount()->text(), QStringLiteral("12.5"));
}

void MainWindowTest::anErrorIsNamedNearTheAmountUntilALaterRecalculation() {
    // An amount cleared to type a new one is no mistake: no notice, the total stays empty.
    QTest::keyClick(w().amount(), '5');
    QTest::keyClick(w().amount(), Qt::Key_Backspace);
    QCOMPARE(w().amount()->text(), QString());
    QCOMPARE(w().Results(), (QStringList{"0", "0.00", "", "0.00", "0"}));
    QVERIFY(!w().notice()->isVisible());

    QTest::keyClick(w().amount(), '.');
    QCOMPARE(w().NoticeLines(),
             (QStringList{"Type mismatch: the amount is not a number", "Amount read as 0"}));
    QCOMPARE(w().notice()->text(),
             QStringLiteral("Type mismatch: the amount is not a number  \u00B7  Amount read as 0"));
    QCOMPARE(QApplication::focusWidget(), w().amount());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    // Typing goes on; a completed recalculation takes the notice away.
    QTest::keyClick(w().amount(), '8');
    QVERIFY(!w().notice()->isVisible());
    QCOMPARE(w().total()->text(), QStringLiteral("0.80"));

    // A rate of -100, pasted, divides by zero before any field changes.
    QGuiApplication::clipboard()->setText(QStringLiteral("-100"));
    TestWindow::ClearByKeyboard(w().rate());
    const QStringList before = w().Results();
    QTest::keyClick(w().rate(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w().NoticeLines(),
             QStringList{"Division by zero: a VAT % of -100 leaves nothing to divide by"});
    QCOMPARE(w().Results(), before);
}

void MainWindowTest::resultBoxesTakeTypingUntilTheNextRecalculation() {
    QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClicks(w().rate(), "17.5");
    QTest::keyClicks(w().amount(), "105");
    QTest::keyClicks(w().total(), "999");
    QCOMPARE(w().total()->text(), QStringLiteral("123.38"));
    TestWindow::ClearByKeyboard(w().roundedVat());
    QTest::keyClicks(w().roundedVat(), "abc");
    QCOMPARE(w().roundedVat()->text(), QStringLiteral("abc"));
    QCOMPARE(w().price()->text(), QStringLiteral("105.00"));
    // The next recalculation refreshes the rounded VAT before it reads it.
    QTest::keyClick(w().amount(), Qt::Key_End);
    QTest::keyClick(w().amount(), Qt::Key_Backspace);
    QTest::keyClick(w().amount(), '5');
    QCOMPARE(w().Results(), (QStringList{"18.375", "18.38", "123.38", "105.00", "105"}));
}

// A result box whose text a recalculation leaves as it was keeps its cursor, its selection and
// its undo history.
void MainWindowTest::aRecalculationLeavesTheBoxesItDoesNotChangeAlone() {
    QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    QTest::keyClicks(w().amount(), "100");
    QLineEdit* price = w().price();
    QCOMPARE(price->text(), QStringLiteral("100.00"));
    price->setCursorPosition(3);
    QTest::keyClick(price, '5');
    QTest::keyClick(price, Qt::Key_Backspace);  // the same text, with something to undo
    price->setSelection(1, 2);
    w().total()->setCursorPosition(2);
    w().roundedVat()->setCursorPosition(1);

    QTest::keyClick(w().rate(), '.');  // "0.": the same rate

    QCOMPARE(w().rate()->text(), QStringLiteral("0."));
    QCOMPARE(w().Results(), (QStringList{"0", "0.00", "100.00", "100.00", "100"}));
    QCOMPARE(price->selectionStart(), 1);
    QCOMPARE(price->selectedText(), QStringLiteral("00"));
    QVERIFY(price->isUndoAvailable());
    QCOMPARE(w().total()->cursorPosition(), 2);
    QCOMPARE(w().roundedVat()->cursorPosition(), 1);
}

// An error that ends a recalculation before it writes anything leaves each result box the text
// it had, though the total and the price differ.
void MainWindowTest::anEarlyErrorLeavesEveryResultBoxItsText_data() {
    QTest::addColumn<bool>("exclusive");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("field");  // pasted over the whole of it
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("inclusive 120 at 20, rate -100: division by zero")
        << false << "120"
        << "20"
        << "Text_vat"
        << "-100" << QStringList{"20", "20.00", "120.00", "100.00", "100"};
    QTest::newRow("exclusive 100 at 20, an amount too large to read: overflow")
        << true << "100"
        << "20"
        << "Text_amount" << QString(400, u'9')
        << QStringList{"20", "20.00", "120.00", "100.00", "100"};
}

void MainWindowTest::anEarlyErrorLeavesEveryResultBoxItsText() {
    QFETCH(bool, exclusive);
    QFETCH(QString, amount);
    QFETCH(QString, rate);
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QStringList, results);
    if (exclusive) {
        QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    }
    TestWindow::ClearByKeyboard(w().rate());
    QTest::keyClicks(w().rate(), rate);
    QTest::keyClicks(w().amount(), amount);
    QCOMPARE(w().Results(), results);
    auto* box = w().form->findChild<QLineEdit*>(field);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(box->text(), pasted);
    QVERIFY(w().notice()->isVisible());
    QCOMPARE(w().Results(), results);
}

void MainWindowTest::tabVisitsTheControlsInOrder() {
    const QStringList expected = {"Text_vat",       "Option_vat_inc", "Option_vat_exc",
                                  "Text_vat_round", "Text_Price",     "Text_total",
                                  "Command1",       "Text_amount"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void MainWindowTest::labelsNameTheirFieldsForScreenReaders() {
    const struct {
        const char* field;
        const char* name;
    } pairs[] = {{"Text_amount", "Amount :"},
                 {"Text_vat", "VAT % :"},
                 {"Text_vat_round", "VAT :"},
                 {"Text_Price", "Price :"},
                 {"Text_total", "Total :"}};
    for (const auto& pair : pairs) {
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(
            w().form->findChild<QWidget*>(QString::fromLatin1(pair.field)));
        QVERIFY(field != nullptr);
        QCOMPARE(field->text(QAccessible::Name), QString::fromUtf8(pair.name));
    }
}

namespace {

// The objects of the alerts sent to screen readers, each with the description it had then.
QList<std::pair<QObject*, QString>> alerts;

void RecordAlert(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Alert) {
        alerts.append(
            {event->object(), event->accessibleInterface()->text(QAccessible::Description)});
    }
}

}  // namespace

// Only on a bus that says a screen reader runs (tests/ui/with_screen_reader_bus.sh) does Qt send
// accessibility events at all.
void MainWindowTest::screenReadersAreAlertedToEveryNotice() {
    if (!qEnvironmentVariableIsSet("TOLVI_SCREEN_READER_BUS")) {
        QSKIP("needs a session bus on which a screen reader runs");
    }
    QTRY_VERIFY(QAccessible::isActive());
    alerts.clear();
    QAccessible::installUpdateHandler(RecordAlert);
    QTest::keyClick(w().amount(), '.');  // "Type mismatch", and how "." was read
    QTest::keyClick(w().amount(), '8');  // recalculated: the notice goes
    QGuiApplication::clipboard()->setText(QString(kMaxFieldLength, u'9'));
    QTest::keyClick(w().amount(), Qt::Key_Insert, Qt::ShiftModifier);  // refused as too long
    QAccessible::installUpdateHandler(nullptr);
    QObject* notice = w().notice();
    const auto expected = QList<std::pair<QObject*, QString>>{
        {notice, QStringLiteral("Type mismatch: the amount is "
                                "not a number\nAmount read as 0")},
        {notice, QString::fromStdString(FieldTooLongNotice())}};
    QCOMPARE(alerts, expected);
    QCOMPARE(QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name),
             QStringLiteral("Calculation error"));
}

// An assistive tool's insert and paste, sent over the accessibility bus as a tool sends them.
void MainWindowTest::assistiveToolsBringTextByThePasteRule() {
    if (!qEnvironmentVariableIsSet("TOLVI_SCREEN_READER_BUS")) {
        QSKIP("needs a session bus on which a screen reader runs");
    }
    TestWindow window(QLocale(QStringLiteral("de_DE")));
    QTRY_VERIFY(QAccessible::isActive());
    const QDBusReply<QString> address =
        QDBusInterface(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                       QStringLiteral("org.a11y.Bus"))
            .call(QStringLiteral("GetAddress"));
    QDBusConnection tool = QDBusConnection::connectToBus(address.value(), QStringLiteral("tool"));
    const QString program = QDBusConnection(QStringLiteral("a11y")).baseService();
    QVERIFY2(tool.isConnected() && !program.isEmpty(), "no accessibility bus");
    const auto send = [&](const char* method, const QVariantList& arguments,
                          QLineEdit* box = nullptr) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            program,
            QStringLiteral("/org/a11y/atspi/accessible/%1")
                .arg(QAccessible::uniqueId(
                    QAccessible::queryAccessibleInterface(box ? box : window.amount()))),
            QStringLiteral("org.a11y.atspi.EditableText"), QString::fromLatin1(method));
        call.setArguments(arguments);
        QDBusPendingCallWatcher answer(tool.asyncCall(call));
        return QTest::qWaitFor([&] { return answer.isFinished(); }) && !answer.isError();
    };
    QVERIFY(send("InsertText", {0, QStringLiteral("1.234,56"), 8}));
    QCOMPARE(window.amount()->text(), QStringLiteral("1234.56"));  // read in the regional form
    QVERIFY(send("InsertText", {0, QStringLiteral("1\u200B00"), 4}));
    QCOMPARE(window.amount()->text(), QStringLiteral("1234.56"));
    QCOMPARE(window.NoticeLines(),
             QStringList{"Not pasted: it holds invisible or direction-changing characters"});
    QGuiApplication::clipboard()->setText(QString(kMaxFieldLength + 500, u'1'));
    QVERIFY(send("PasteText", {7}));
    QCOMPARE(window.amount()->text(), QStringLiteral("1234.56"));  // not cut to fit: refused
    QCOMPARE(window.NoticeLines(), QStringList{QString::fromStdString(FieldTooLongNotice())});
    QVERIFY(send("InsertText", {0, QStringLiteral("9"), 1}, window.total()));
    QCOMPARE(window.total()->text(), QStringLiteral("1,234.56"));  // read-only
}

void MainWindowTest::theHelpButtonPopsUpTheMenuOnItself() {
    QPoint menuAt;
    QStringList items;
    ModalDriver look(Modal::PopupMenu, [&](QWidget& menu) {
        menuAt = menu.pos();
        for (QAction* action : static_cast<QMenu&>(menu).actions()) {
            items << action->text();
        }
        menu.close();
    });
    QTest::mouseClick(w().help(), Qt::LeftButton);
    QVERIFY(look.Succeeded());
    QCOMPARE(menuAt, w().help()->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(items, (QStringList{"About", "VAT Calculator Online", "Home Page"}));
}

void MainWindowTest::dismissingThePopUpRunsNoCommand() {
    ModalDriver dismiss(Modal::PopupMenu,
                        [](QWidget& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
    QTest::mouseClick(w().help(), Qt::LeftButton);
    QVERIFY(dismiss.Succeeded());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void MainWindowTest::enterOnTheFocusedHelpButtonPopsUpTheMenu_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");  // the key is held down: its repeats come in
    QTest::addColumn<bool>("popsUp");
    const int none = Qt::NoModifier;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << false << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << true;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << false << true;
    QTest::newRow("Escape (no cancel button)") << int(Qt::Key_Escape) << none << false << false;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false
                                 << false;
    // A held key clicks once, on its first press: Enter held on from closing another window
    // does not pop the menu up.
    QTest::newRow("Return repeated") << int(Qt::Key_Return) << none << true << false;
    QTest::newRow("keypad Enter repeated")
        << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << false;
}

void MainWindowTest::enterOnTheFocusedHelpButtonPopsUpTheMenu() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(bool, popsUp);
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), w().help());
    QPoint menuAt;
    // Had a pop-up opened, the key press would not return before the driver had closed it.
    ModalDriver look(Modal::PopupMenu, [&](QWidget& menu) {
        menuAt = menu.pos();
        menu.close();
    });
    if (autoRepeat) {
        // As X11 sends a repeat: a press marked as repeated, with the text of Enter.
        QKeyEvent repeat(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers),
                         QStringLiteral("\r"), true);
        QApplication::sendEvent(w().help(), &repeat);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers),
                          QStringLiteral("\r"));
        QApplication::sendEvent(w().help(), &release);
    } else {
        QTest::keyClick(w().help(), static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    }
    QCOMPARE(look.Succeeded(), popsUp);
    if (popsUp) {
        QCOMPARE(menuAt, w().help()->mapToGlobal(QPoint(0, 0)));
    }
    QVERIFY(!w().help()->isDefault());
    QVERIFY(!w().help()->autoDefault());
}

void MainWindowTest::aPasteLongerThanTheLimitIsRefusedWhole_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("route");
    QTest::addColumn<bool>("overTheWholeText");  // the box's one character is selected
    QTest::addColumn<int>("pastedLength");
    QTest::addColumn<bool>("taken");
    const PasteRoute routes[] = {
        PasteRoute::CtrlV,        PasteRoute::ShiftInsert,       PasteRoute::ContextMenu,
        PasteRoute::MiddleButton, PasteRoute::ShiftMiddleButton, PasteRoute::Drop,
        PasteRoute::InputMethod};
    for (const char* field : {"Text_amount", "Text_vat"}) {
        for (const PasteRoute route : routes) {
            const int r = static_cast<int>(route);
            // The box holds one character.
            QTest::addRow("%s, %s, one past the limit", field, RouteName(route))
                << field << r << false << kMaxFieldLength << false;
            QTest::addRow("%s, %s, just at the limit", field, RouteName(route))
                << field << r << false << kMaxFieldLength - 1 << true;
        }
        for (const PasteRoute route :
             {PasteRoute::ShiftInsert, PasteRoute::ContextMenu, PasteRoute::InputMethod}) {
            QTest::addRow("%s, %s, at the limit over the whole text", field, RouteName(route))
                << field << static_cast<int>(route) << true << kMaxFieldLength << true;
        }
        QTest::addRow("%s, Shift+Insert, ten million characters", field)
            << field << static_cast<int>(PasteRoute::ShiftInsert) << false << 10'000'000 << false;
    }
}

void MainWindowTest::aPasteLongerThanTheLimitIsRefusedWhole() {
    QFETCH(QString, field);
    QFETCH(int, route);
    QFETCH(bool, overTheWholeText);
    QFETCH(int, pastedLength);
    QFETCH(bool, taken);
    if ((route == static_cast<int>(PasteRoute::MiddleButton) ||
         route == static_cast<int>(PasteRoute::ShiftMiddleButton)) &&
        !QGuiApplication::clipboard()->supportsSelection()) {
        QSKIP("this platform has no selection to paste with the middle button");
    }
    auto* box = w().form->findChild<QLineEdit*>(field);
    QCOMPARE(box->maxLength(), kMaxFieldLength);
    QTest::keyClicks(w().amount(), "5");  // 5 at a rate of 0: one character in each box
    const QString before = box->text();
    if (overTheWholeText) {
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    }
    // The same number, written longer: "5.000…" or "0.000…".
    const QString pasted = (overTheWholeText ? before : QString()) + QLatin1Char('.') +
                           QString(pastedLength - 1 - (overTheWholeText ? 1 : 0), u'0');
    QCOMPARE(pasted.size(), pastedLength);
    w().price()->setText(QStringLiteral("marker"));  // a recalculation would rewrite it

    Paste(box, static_cast<PasteRoute>(route), pasted);

    const QString expected = !taken ? before : overTheWholeText ? pasted : before + pasted;
    QCOMPARE(box->text().size(), expected.size());
    QVERIFY(box->text() == expected);
    if (taken) {
        QCOMPARE(w().Results(), (QStringList{"0", "0.00", "5.00", "5.00", "5"}));
        QVERIFY(!w().notice()->isVisible());
    } else {
        QCOMPARE(w().price()->text(), QStringLiteral("marker"));  // nothing recalculated
        QVERIFY(w().notice()->isVisible());
        QCOMPARE(w().notice()->text(), QString::fromStdString(FieldTooLongNotice()));
    }
}

void MainWindowTest::aPasteTooLongForAResultBoxIsRefusedWhole_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("route");
    QTest::addColumn<int>("pastedLength");
    for (const char* field : {"Text_vat_round", "Text_Price"}) {
        for (const PasteRoute route : {PasteRoute::CtrlV, PasteRoute::ShiftInsert,
                                       PasteRoute::ContextMenu, PasteRoute::Drop}) {
            // The box holds one typed character.
            QTest::addRow("%s, %s, one past the limit", field, RouteName(route))
                << field << static_cast<int>(route) << kMaxFieldLength;
            QTest::addRow("%s, %s, just at the limit", field, RouteName(route))
                << field << static_cast<int>(route) << kMaxFieldLength - 1;
        }
    }
}

void MainWindowTest::aPasteTooLongForAResultBoxIsRefusedWhole() {
    QFETCH(QString, field);
    QFETCH(int, route);
    QFETCH(int, pastedLength);
    auto* box = w().form->findChild<QLineEdit*>(field);
    QCOMPARE(box->maxLength(), kMaxFieldLength);
    QTest::keyClicks(box, "7");
    const QString pasted(pastedLength, u'1');
    Paste(box, static_cast<PasteRoute>(route), pasted);
    const bool taken = pastedLength < kMaxFieldLength;
    QVERIFY(box->text() == (taken ? QStringLiteral("7") + pasted : QStringLiteral("7")));
    QCOMPARE(w().notice()->isVisible(), !taken);
    if (!taken) {
        QCOMPARE(w().notice()->text(), QString::fromStdString(FieldTooLongNotice()));
    }
}

void MainWindowTest::typingAtTheLimitNeverCutsATypedText() {
    QLineEdit* amount = w().amount();
    QTest::keyClicks(amount, "5");
    QGuiApplication::clipboard()->setText(QLatin1Char('.') + QString(kMaxFieldLength - 3, u'0'));
    QTest::keyClick(amount, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(amount->text().size(), kMaxFieldLength - 1);

    // A key that brings two characters (a compose sequence, say) is refused whole, not cut.
    w().price()->setText(QStringLiteral("marker"));
    QTest::sendKeyEvent(QTest::Click, amount, Qt::Key_1, QStringLiteral("12"), Qt::NoModifier);
    QCOMPARE(amount->text().size(), kMaxFieldLength - 1);
    QCOMPARE(w().price()->text(), QStringLiteral("marker"));

    QTest::keyClick(amount, '7');  // the last character that fits
    QCOMPARE(amount->text().size(), kMaxFieldLength);
    QVERIFY(amount->text().endsWith(QLatin1String("07")));
    QCOMPARE(w().price()->text(), QStringLiteral("5.00"));

    w().price()->setText(QStringLiteral("marker"));
    QTest::keyClick(amount, '8');
    QCOMPARE(amount->text().size(), kMaxFieldLength);
    QVERIFY(amount->text().endsWith(QLatin1String("07")));
    QCOMPARE(w().price()->text(), QStringLiteral("marker"));
    QVERIFY(!w().notice()->isVisible());  // a refused key is no refused paste

    // Over a selection a typed key takes the selection's place.
    QTest::keyClick(amount, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(amount, '9');
    QCOMPARE(amount->text().size(), kMaxFieldLength);
    QVERIFY(amount->text().endsWith(QLatin1String("09")));
    QCOMPARE(w().price()->text(), QStringLiteral("5.00"));
}

// A real mouse drag, through the X server's test extension: the pointer presses on the selected
// end of a full box, moves left and lets go. The boxes start no drag (a drag of Qt's boxes
// copies, which would not fit): the text stays whole and nothing is refused.
void MainWindowTest::aMouseDragInAFullBoxLeavesItsText() {
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (QGuiApplication::platformName() != QLatin1String("xcb") || xdotool.isEmpty()) {
        QSKIP("a real mouse drag needs an X server and xdotool");
    }
    QLineEdit* amount = w().amount();
    const QString full = QStringLiteral("5.") + QString(kMaxFieldLength - 6, u'0') + "1234";
    QGuiApplication::clipboard()->setText(full);
    QTest::keyClick(amount, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(amount->text(), full);
    // Where the pointer goes on the screen: between two characters of the text as drawn.
    const auto between = [amount](int position) {
        amount->setCursorPosition(position);
        amount->repaint();  // scrolls the text to the cursor
        const QRect cursor = amount->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        return amount->mapToGlobal(cursor.center());
    };
    const QPoint end = between(kMaxFieldLength);         // shown at the box's right edge
    const QPoint dropAt = between(kMaxFieldLength - 4);  // before the "12"
    const QPoint grabAt = (between(kMaxFieldLength - 2) + end) / 2;  // on the "34"
    QTest::keyClick(amount, Qt::Key_End);
    QTest::keyClick(amount, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(amount, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(amount->selectedText(), QStringLiteral("34"));
    w().price()->setText(QStringLiteral("marker"));  // a recalculation would rewrite it

    const auto at = [](QPoint p) { return QStringLiteral("%1 %2").arg(p.x()).arg(p.y()); };
    // Press, move in two steps, let go; then out of the way of later tests' windows.
    const QString steps = QStringLiteral(
                              "mousemove %1 mousedown 1 sleep 0.1 mousemove %2 sleep 0.1 "
                              "mousemove %3 sleep 0.1 mouseup 1 mousemove 1023 767")
                              .arg(at(grabAt), at((grabAt + dropAt) / 2), at(dropAt));
    QProcess drag;
    drag.start(xdotool, steps.split(QLatin1Char(' ')));
    QVERIFY(QTest::qWaitFor([&] { return drag.state() == QProcess::NotRunning; }, 10000));
    QCOMPARE(drag.exitCode(), 0);
    QTRY_VERIFY(amount->selectedText() != QLatin1String("34"));  // the mouse has selected anew
    QCOMPARE(amount->text(), full);
    QVERIFY(!w().notice()->isVisible());
    QCOMPARE(w().price()->text(), QStringLiteral("marker"));
}

void MainWindowTest::theLongestResultsAreShownWhole() {
    QTest::mouseClick(w().exclusive(), Qt::LeftButton);
    QGuiApplication::clipboard()->setText(QStringLiteral("-1.79769313486231E308"));
    QTest::keyClick(w().amount(), Qt::Key_Insert, Qt::ShiftModifier);
    const QString longest = QString::fromStdString(FormatForDisplay("-1.79769313486231E+308", {}));
    QVERIFY(longest.size() > 400);
    QVERIFY(!w().notice()->isVisible());
    QCOMPARE(w().total()->text(), longest);
    QCOMPARE(w().price()->text(), longest);
}

void MainWindowTest::theNoticeCoversNoControlAndItsTextFits_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<double>("pointSize");  // of the window's font; 0 keeps the desktop's
    // Where the notice starts: under the amount box's left edge where its text has room, else
    // further left, so that it ends where the labels keep from the window's left edge.
    QTest::addColumn<bool>("underTheBox");
    const struct {
        const char* name;
        QString rate;
        QString amount;
        QString notice;
        bool underTheBox;
        bool underTheBoxInALargeFont;
    } errors[] = {
        {"Type mismatch, and how the amount was read", "0", ".",
         "Type mismatch: the amount is not a number  \u00B7  Amount read as 0", false, false},
        {"Division by zero", "-100", "5",
         "Division by zero: a VAT % of -100 leaves nothing to divide by", false, false},
        {"Invalid operation", "-100", "0",
         "Invalid operation: an amount of 0 at a VAT % of -100 has no VAT", false, false},
        {"Overflow", "0", "1e400", "Overflow: the amount is too large", true, false},
        {"how the rate was read", "19,5", "100", "VAT % read as 19", true, true},
        {"paste refused", "0", QString(kMaxFieldLength + 1, u'9'),
         QString::fromStdString(FieldTooLongNotice()), false, false},
    };
    for (const double pointSize : {0.0, 14.0}) {
        for (const auto& e : errors) {
            QTest::addRow("%s%s", e.name, pointSize > 0 ? ", large font" : "")
                << e.rate << e.amount << e.notice << pointSize
                << (pointSize > 0 ? e.underTheBoxInALargeFont : e.underTheBox);
        }
    }
}

void MainWindowTest::theNoticeCoversNoControlAndItsTextFits() {
    QFETCH(QString, rate);
    QFETCH(QString, amount);
    QFETCH(QString, notice);
    QFETCH(double, pointSize);
    QFETCH(bool, underTheBox);
    if (pointSize > 0) {
        QFont font = w().form->font();
        font.setPointSizeF(pointSize);
        w().form->setFont(font);
    }
    TestWindow::ClearByKeyboard(w().rate());
    QGuiApplication::clipboard()->setText(rate);
    QTest::keyClick(w().rate(), Qt::Key_Insert, Qt::ShiftModifier);
    QGuiApplication::clipboard()->setText(amount);
    QTest::keyClick(w().amount(), Qt::Key_Insert, Qt::ShiftModifier);

    QLabel* shown = w().notice();
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->text(), notice);
    const QRect place = shown->geometry();
    QVERIFY(w().form->rect().contains(place));
    for (QWidget* control : w().form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != shown && !control->isWindow() && control->isVisible()) {
            QVERIFY2(!place.intersects(control->geometry()), qPrintable(control->objectName()));
        }
    }
    const int labelsMargin = w().Control<QLabel>("Label1")->x();
    if (underTheBox) {
        QCOMPARE(place.left(), w().amount()->x());
    } else {
        QVERIFY(place.left() < w().amount()->x());
        QCOMPARE(place.left() + place.width(), w().form->width() - labelsMargin);
    }
    const QFontMetrics metrics(shown->font());
    QVERIFY(metrics.horizontalAdvance(notice) <= shown->contentsRect().width());
    QVERIFY(metrics.height() <= shown->contentsRect().height());
}

void MainWindowTest::contextMenusOfferOnlyKeysTheBoxTakes_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("captions");  // some of the menu's captions, as shown
    QTest::addColumn<bool>("keyHints");         // whether any caption offers a key
    const auto hint = [](QKeySequence::StandardKey key) {
        return QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
    };
    // The editing keys are commands in the input boxes too, which offer them all.
    const QStringList editing{
        "&Undo" + hint(QKeySequence::Undo),   "&Redo" + hint(QKeySequence::Redo),
        "Cu&t" + hint(QKeySequence::Cut),     "&Copy" + hint(QKeySequence::Copy),
        "&Paste" + hint(QKeySequence::Paste), "Select All" + hint(QKeySequence::SelectAll)};
    QTest::newRow("Text_amount") << "Text_amount" << editing << true;
    QTest::newRow("Text_vat") << "Text_vat" << editing << true;
    const QStringList hinted{"&Undo" + hint(QKeySequence::Undo), "&Copy" + hint(QKeySequence::Copy),
                             "&Paste" + hint(QKeySequence::Paste)};
    QTest::newRow("Text_vat_round") << "Text_vat_round" << hinted << true;
    QTest::newRow("Text_Price") << "Text_Price" << hinted << true;
    QTest::newRow("Text_total (read-only)")
        << "Text_total" << QStringList{"&Copy" + hint(QKeySequence::Copy)} << true;
}

void MainWindowTest::contextMenusOfferOnlyKeysTheBoxTakes() {
    QFETCH(QString, field);
    QFETCH(QStringList, captions);
    QFETCH(bool, keyHints);
    QGuiApplication::clipboard()->setText(QStringLiteral("1"));
    QStringList shown;
    QVERIFY(UseContextMenu(w().form->findChild<QLineEdit*>(field), [&](QWidget& menu) {
        for (QAction* action : menu.actions()) {
            if (!action->isSeparator()) {
                shown << action->text();
            }
        }
        menu.close();
    }));
    for (const QString& caption : captions) {
        QVERIFY2(shown.contains(caption), qPrintable(shown.join(QLatin1String(" | "))));
    }
    const bool anyHint = std::any_of(
        shown.begin(), shown.end(), [](const QString& c) { return c.contains(QLatin1Char('\t')); });
    QCOMPARE(anyHint, keyHints);
}

void MainWindowTest::theFrameIsCentredOnTheScreen() {
    tolvi::MainWindow form;
    widgets::CenterOnScreen(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // The offscreen platform frames a window with 2 pixels on every side; a frame known only
    // after the window is shown is the real window manager test's part.
    const QRect frame = form.frameGeometry();
    const QPoint offset = frame.center() - form.screen()->availableGeometry().center();
    QVERIFY2(
        std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1,
        qPrintable(QStringLiteral("frame centre off by %1, %2").arg(offset.x()).arg(offset.y())));
}

// A text only pasting brings stands in the total box as it was pasted, whatever its characters:
// in inclusive mode the total starts as the amount text.
void MainWindowTest::aPastedAmountReachesTheTotalAsItStands_data() {
    QTest::addColumn<QString>("pasted");
    QTest::newRow("euro sign") << QStringLiteral("12\u20ac");
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0661\u0662");
    QTest::newRow("Latin-1 one half") << QStringLiteral("1\u00bd");
}

void MainWindowTest::aPastedAmountReachesTheTotalAsItStands() {
    QFETCH(QString, pasted);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(w().amount(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w().amount()->text(), pasted);
    QCOMPARE(w().total()->text(), pasted);
}

// No light seam runs under the logo: the strip below it continues the logo's dark background.
void MainWindowTest::theStripBelowTheLogoContinuesItsBackground() {
    auto* picture = w().Control<QLabel>("Picture1");
    const QImage drawn = picture->grab().toImage();
    const QImage logo = picture->pixmap().toImage();
    QCOMPARE(drawn.size(), QSize(299, 25));
    QCOMPARE(logo.size(), QSize(299, 23));
    const QColor background = logo.pixelColor(logo.width() - 1, logo.height() - 1);
    for (int y = logo.height(); y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor strip = drawn.pixelColor(x, y);
            const int distance = std::abs(strip.red() - background.red()) +
                                 std::abs(strip.green() - background.green()) +
                                 std::abs(strip.blue() - background.blue());
            QVERIFY2(distance <= 6, qPrintable(QStringLiteral("%1 at %2,%3 below %4")
                                                   .arg(strip.name())
                                                   .arg(x)
                                                   .arg(y)
                                                   .arg(background.name())));
        }
    }
}

// The notice is drawn in the desktop's tool-tip colours.
void MainWindowTest::theNoticeIsAToolTipStrip() {
    const QPalette before = QApplication::palette();
    QPalette desktop = before;
    desktop.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xc0));
    desktop.setColor(QPalette::ToolTipText, QColor(0x20, 0x00, 0x40));
    QApplication::setPalette(desktop);
    window_ = std::make_unique<TestWindow>();  // a window of this desktop
    TestWindow::ClearByKeyboard(w().rate());
    QGuiApplication::clipboard()->setText(QStringLiteral("19,5"));
    QTest::keyClick(w().rate(), Qt::Key_Insert, Qt::ShiftModifier);  // "VAT % read as 19"
    QLabel& notice = *w().notice();
    QVERIFY(notice.isVisible());
    const QImage drawn = notice.grab().toImage();
    QApplication::setPalette(before);
    QCOMPARE(drawn.pixelColor(drawn.width() - 1, 0), desktop.color(QPalette::ToolTipBase));
    QCOMPARE(drawn.pixelColor(0, drawn.height() - 1), desktop.color(QPalette::ToolTipBase));
    bool inked = false;  // the message, in the tool-tip text colour
    for (int x = 0; x < drawn.width(); ++x) {
        for (int y = 0; y < drawn.height(); ++y) {
            inked = inked || drawn.pixelColor(x, y) == desktop.color(QPalette::ToolTipText);
        }
    }
    QVERIFY(inked);
}

// The control Tab brings the focus to shows it at once: the screen shows what it draws with
// the focus.
void MainWindowTest::tabShowsTheFocusOnTheControlItReaches_data() {
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("control");
    QTest::newRow("VAT Inclusive") << 2 << "Option_vat_inc";
    QTest::newRow("VAT Exclusive") << 3 << "Option_vat_exc";
}

void MainWindowTest::tabShowsTheFocusOnTheControlItReaches() {
    QFETCH(int, tabs);
    QFETCH(QString, control);
    for (int i = 0; i < tabs; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    auto* reached = w().form->findChild<QWidget*>(control);
    QCOMPARE(QApplication::focusWidget(), reached);
    const QRect area(reached->mapTo(w().form.get(), QPoint(0, 0)), reached->size());
    const auto onScreen = [&] {
        return w()
            .form->screen()
            ->grabWindow(w().form->winId())
            .toImage()
            .copy(area)
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage drawn = reached->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QTRY_COMPARE(onScreen(), drawn);
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::MainWindowTest)
#include "main_window_test.moc"
