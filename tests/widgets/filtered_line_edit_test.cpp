// The key filter of a text box, driven by the key events an X11 keyboard really sends: Ctrl+Z
// carries "\x1a", Backspace and Ctrl+Backspace "\b", Delete "\x7f", Shift+Insert nothing.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <string_view>

#include "widgets/filtered_line_edit.h"

namespace tolvi::test {

namespace {

constexpr int kPass = -1;      // from: the filter lets every code through
constexpr int kNoFilter = -2;  // from: the box has no filter

// A window holding one box whose filter records every code it is handed and replaces the code
// `from` by `to` (0 swallows it); every other code passes unchanged.
class OneBoxWindow : public QWidget {
  public:
    explicit OneBoxWindow(int from, int to) : box(this) {
        if (from != kNoFilter) {
            box.SetKeyFilter([this, from, to](std::uint16_t code) {
                received << code;
                return code == from ? static_cast<std::uint16_t>(to) : code;
            });
        }
        // "12 34|5", with the "5" typed, so that there is something to undo.
        box.setText(QStringLiteral("12 34"));
        box.insert(QStringLiteral("5"));
        box.setCursorPosition(5);
        box.setFocus();
    }

    widgets::FilteredLineEdit box;
    QList<int> received;
    QList<int> passedOn;  // keys the box left to its window, modifier keys among them

  protected:
    void keyPressEvent(QKeyEvent* event) override { passedOn << event->key(); }
};

}  // namespace

class FilteredLineEditTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { QGuiApplication::clipboard()->setText(QStringLiteral("9")); }

    void keysReachTheFilterAsCharacterCodes_data();
    void keysReachTheFilterAsCharacterCodes();
    void composedTextPassesTheFilter_data();
    void composedTextPassesTheFilter();
    void aFullBoxTakesWhatKeepsItsLength_data();
    void aFullBoxTakesWhatKeepsItsLength();
};

void FilteredLineEditTest::keysReachTheFilterAsCharacterCodes_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("passedOn");

    using namespace std::string_view_literals;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    const Qt::KeyboardModifiers meta = Qt::MetaModifier;  // the Super key
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const int noKey = Qt::Key_unknown;  // a key event that carries several characters
    const QList<int> oneA2 = {'1', 'a', '2'};
    const struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::string_view text;
        int from;
        int to;
        QList<int> codes;
        const char* result;
        int cursor;
        bool passedOn;
    } rows[] = {
        // clang-format off
        // Keys that count as characters: the code comes from the key, not from its text.
        {"Backspace", Qt::Key_Backspace, none, "\b", kPass, 0, {8}, "12 35", 4, false},
        {"Backspace swallowed", Qt::Key_Backspace, none, "\b", 8, 0, {8}, "12 345", 5, false},
        {"Ctrl+Backspace is 127", Qt::Key_Backspace, ctrl, "\b", kPass, 0, {127}, "12 5", 3, false},
        {"Ctrl+K swallowed", Qt::Key_K, ctrl, "\x0b", 11, 0, {11}, "12 345", 5, false},
        {"Ctrl+K made a 7", Qt::Key_K, ctrl, "\x0b", 11, '7', {11}, "12 3475", 6, false},
        // The editing keys are commands: the filter never sees them, even one that would
        // swallow their codes.
        {"Ctrl+Z undoes", Qt::Key_Z, ctrl, "\x1a", 26, 0, {}, "12 34", 5, false},
        {"Ctrl+Shift+Z, nothing to redo", Qt::Key_Z, ctrl | shift, "\x1a", 26, '7', {}, "12 345", 5, false},
        {"Ctrl+A selects", Qt::Key_A, ctrl, "\x01", 1, 0, {}, "12 345", 6, false},
        {"Ctrl+V pastes", Qt::Key_V, ctrl, "\x16", 22, 0, {}, "12 3495", 6, false},
        {"Ctrl+X, nothing selected", Qt::Key_X, ctrl, "\x18", 24, '7', {}, "12 345", 5, false},
        {"Return", Qt::Key_Return, none, "\r", kPass, 0, {13}, "12 345", 5, true},
        {"keypad Enter", Qt::Key_Enter, keypad, "\r", kPass, 0, {13}, "12 345", 5, true},
        {"Escape", Qt::Key_Escape, none, "\x1b", kPass, 0, {27}, "12 345", 5, true},
        // Control texts of keys that are no Ctrl+letter never reach the filter.
        {"Ctrl+Alt+Z (AltGr)", Qt::Key_Z, ctrl | alt, "\x1a", 26, '7', {}, "12 345", 5, true},
        {"Ctrl+Super+Z", Qt::Key_Z, ctrl | meta, "\x1a", 26, '7', {}, "12 345", 5, true},
        {"Ctrl+@ below A", Qt::Key_At, ctrl | shift, "\0"sv, kPass, 0, {}, "12 345", 5, true},
        {"Ctrl+[ above Z", Qt::Key_BracketLeft, ctrl, "\x1b", 27, '7', {}, "12 345", 5, true},
        {"Delete", Qt::Key_Delete, none, "\x7f", 127, 0, {}, "12 34", 5, false},
        {"Shift+Insert pastes", Qt::Key_Insert, shift, "", kPass, 0, {}, "12 3495", 6, false},
        {"Tab", Qt::Key_Tab, none, "\t", 9, '7', {}, "12 345", 5, true},
        // Printable text: each character passes the filter.
        {"a", Qt::Key_A, none, "a", kPass, 0, {'a'}, "12 34a5", 6, false},
        {"a swallowed", Qt::Key_A, none, "a", 'a', 0, {'a'}, "12 345", 5, false},
        {"a made a b", Qt::Key_A, none, "a", 'a', 'b', {'a'}, "12 34b5", 6, false},
        {"a, no filter", Qt::Key_A, none, "a", kNoFilter, 0, {}, "12 34a5", 6, false},
        {"Alt+a", Qt::Key_A, alt, "a", kPass, 0, {'a'}, "12 34a5", 6, false},
        // The keypad's decimal key is the point, whatever the layout makes of it.
        {"keypad decimal comma", Qt::Key_Comma, keypad, ",", kPass, 0, {'.'}, "12 34.5", 6, false},
        {"keypad decimal point", Qt::Key_Period, keypad, ".", kPass, 0, {'.'}, "12 34.5", 6, false},
        {"keypad decimal swallowed", Qt::Key_Comma, keypad, ",", '.', 0, {'.'}, "12 345", 5, false},
        {"comma", Qt::Key_Comma, none, ",", kPass, 0, {','}, "12 34,5", 6, false},
        {"keypad 5", Qt::Key_5, keypad, "5", kPass, 0, {'5'}, "12 3455", 6, false},
        {"1a2", noKey, none, "1a2", kPass, 0, oneA2, "12 341a25", 8, false},
        {"1a2, a swallowed", noKey, none, "1a2", 'a', 0, oneA2, "12 34125", 7, false},
        {"1a2, a made a 7", noKey, none, "1a2", 'a', '7', oneA2, "12 341725", 8, false},
        // clang-format on
    };
    for (const auto& row : rows) {
        const QString text =
            QString::fromLatin1(row.text.data(), static_cast<qsizetype>(row.text.size()));
        QTest::newRow(row.name) << row.key << static_cast<int>(row.modifiers) << text << row.from
                                << row.to << row.codes << QString::fromLatin1(row.result)
                                << row.cursor << row.passedOn;
    }
}

void FilteredLineEditTest::keysReachTheFilterAsCharacterCodes() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    OneBoxWindow window(from, to);
    window.show();
    QTest::sendKeyEvent(QTest::Click, &window.box, static_cast<Qt::Key>(key), text,
                        Qt::KeyboardModifiers(modifiers));
    QTEST(window.received, "codes");
    QTEST(window.box.text(), "result");
    QTEST(window.box.cursorPosition(), "cursor");
    QTEST(window.passedOn.contains(key), "passedOn");
    QCOMPARE(window.box.hasSelectedText(), key == Qt::Key_A && modifiers == Qt::ControlModifier);
}

void FilteredLineEditTest::composedTextPassesTheFilter_data() {
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("replaceFrom");
    QTest::addColumn<int>("replaceLength");
    QTest::addColumn<QString>("preedit");  // text still being composed, shown but not yet typed
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("cursor");
    const QString none;
    // The box holds "12 34|5".
    QTest::newRow("7") << "7" << 0 << 0 << none << kPass << 0 << QList<int>{'7'} << "12 3475" << 6;
    QTest::newRow("7a8, a swallowed")
        << "7a8" << 0 << 0 << none << int('a') << 0 << QList<int>{'7', 'a', '8'} << "12 34785" << 7;
    QTest::newRow("7 over the 4") << "7" << -1 << 1 << none << kPass << 0 << QList<int>{'7'}
                                  << "12 375" << 5;
    QTest::newRow("7a over the 4, a swallowed")
        << "7a" << -1 << 1 << none << int('a') << 0 << QList<int>{'7', 'a'} << "12 375" << 5;
    QTest::newRow("a8 over the 5, a swallowed")
        << "a8" << 0 << 1 << none << int('a') << 0 << QList<int>{'a', '8'} << "12 348" << 6;
    QTest::newRow("a over the 34, a made a 9")
        << "a" << -2 << 2 << none << int('a') << int('9') << QList<int>{'a'} << "12 95" << 4;
    QTest::newRow("\u00e9 from a dead key")
        << "\u00e9" << 0 << 0 << none << kPass << 0 << QList<int>{0xe9} << "12 34\u00e95" << 6;
    QTest::newRow("7, xy composing")
        << "7" << 0 << 0 << "xy" << kPass << 0 << QList<int>{'7'} << "12 3475" << 6;
    QTest::newRow("7a, xy composing, a swallowed")
        << "7a" << 0 << 0 << "xy" << int('a') << 0 << QList<int>{'7', 'a'} << "12 3475" << 6;
}

void FilteredLineEditTest::composedTextPassesTheFilter() {
    QFETCH(QString, commit);
    QFETCH(int, replaceFrom);
    QFETCH(int, replaceLength);
    QFETCH(QString, preedit);
    QFETCH(int, from);
    QFETCH(int, to);
    OneBoxWindow window(from, to);
    window.show();
    QInputMethodEvent composed(preedit, {});
    composed.setCommitString(commit, replaceFrom, replaceLength);
    QApplication::sendEvent(&window.box, &composed);
    QTEST(window.received, "codes");
    QTEST(window.box.text(), "result");
    QTEST(window.box.cursorPosition(), "cursor");
    // Text still being composed is drawn at the cursor and moves the text cursor along.
    const auto cursorX = [&] {
        return window.box.inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
    };
    const int whileComposing = cursorX();
    QInputMethodEvent cancelled;
    QApplication::sendEvent(&window.box, &cancelled);
    QCOMPARE(whileComposing != cursorX(), !preedit.isEmpty());
}

// A box at its maximum length refuses only what would lengthen it: deleting, and an input
// method's commit that replaces as many characters as it brings, still work.
void FilteredLineEditTest::aFullBoxTakesWhatKeepsItsLength_data() {
    QTest::addColumn<int>("key");  // 0: an input method commits `commit` instead
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("replaceFrom");
    QTest::addColumn<int>("replaceLength");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("refused");  // as a paste that does not fit
    // The box holds "12 34|5" and takes no more.
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "" << 0 << 0 << "12 35" << false;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << "" << 0 << 0 << "12 34" << false;
    QTest::newRow("a typed 7") << int(Qt::Key_7) << "" << 0 << 0 << "12 345" << false;
    QTest::newRow("7 over the 4") << 0 << "7" << -1 << 1 << "12 375" << false;
    QTest::newRow("78 over the 4") << 0 << "78" << -1 << 1 << "12 345" << true;
    QTest::newRow("7a over the 4, a swallowed") << 0 << "7a" << -1 << 1 << "12 375" << false;
    QTest::newRow("7 after the 4") << 0 << "7" << 0 << 0 << "12 345" << true;
}

void FilteredLineEditTest::aFullBoxTakesWhatKeepsItsLength() {
    QFETCH(int, key);
    QFETCH(QString, commit);
    QFETCH(int, replaceFrom);
    QFETCH(int, replaceLength);
    OneBoxWindow window('a', 0);
    window.box.setMaxLength(static_cast<int>(window.box.text().size()));
    window.box.setCursorPosition(5);
    bool refused = false;
    window.box.SetPasteRefusedHandler([&] { refused = true; });
    window.show();
    if (key != 0) {
        const QString text = key == Qt::Key_7        ? QStringLiteral("7")
                             : key == Qt::Key_Delete ? QStringLiteral("\x7f")
                                                     : QStringLiteral("\b");
        QTest::sendKeyEvent(QTest::Click, &window.box, static_cast<Qt::Key>(key), text,
                            Qt::NoModifier);
    } else {
        QInputMethodEvent composed;
        composed.setCommitString(commit, replaceFrom, replaceLength);
        QApplication::sendEvent(&window.box, &composed);
    }
    QTEST(window.box.text(), "result");
    QTEST(refused, "refused");
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::FilteredLineEditTest)
#include "filtered_line_edit_test.moc"
