// Which font size a window of fixed layout ends with: each control kind's rule on its own, on a
// made-up window whose one control is sized so that its caption just fits at a known size.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>

#include "widgets/fit_font.h"

namespace tolvi::test {

namespace {

enum class Kind { Label, PushButton, OptionButton, TextBox, MultiLineTextBox, Plain };
enum class Side { Width, Height, Neither };

std::unique_ptr<QWidget> MakeControl(Kind kind, const QString& caption, QWidget& window) {
    switch (kind) {
        case Kind::Label:
            return std::make_unique<QLabel>(caption, &window);
        case Kind::PushButton:
            return std::make_unique<QPushButton>(caption, &window);
        case Kind::OptionButton:
            return std::make_unique<QRadioButton>(caption, &window);
        case Kind::TextBox:
            return std::make_unique<QLineEdit>(caption, &window);
        case Kind::MultiLineTextBox: {
            auto box = std::make_unique<QPlainTextEdit>(caption, &window);
            box->setFrameShape(QFrame::Box);
            box->setLineWidth(6);  // a frame wider than half a point's growth of the caption
            return box;
        }
        case Kind::Plain:
            break;
    }
    return std::make_unique<QWidget>(&window);
}

// The width, or height, in which the control's caption just fits in the window's present font:
// the caption and 2 pixels on either side for a push button, the caption beside the indicator
// for an option button, the caption within the margins for a label or a multi-line box, the
// box's smallest height less 2 pixels of its frame for a text box.
int JustFitting(const QWidget& control, Side side) {
    const QFontMetrics metrics(control.font());
    if (const auto* radio = qobject_cast<const QRadioButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        const int besideIndicator =
            radio->width() -
            radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio).width();
        return side == Side::Width ? metrics.horizontalAdvance(radio->text()) + besideIndicator
                                   : metrics.height();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        return side == Side::Width ? metrics.horizontalAdvance(button->text()) + 4
                                   : metrics.height();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return side == Side::Width ? metrics.horizontalAdvance(label->text()) + 2 * label->margin()
                                   : metrics.height();
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        return box->minimumSizeHint().height() - 2;
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&control)) {
        const int margins =
            2 * static_cast<int>(box->document()->documentMargin()) + 2 * box->frameWidth();
        const QStringList lines = box->toPlainText().split(QLatin1Char('\n'));
        int widest = 0;
        for (const QString& line : lines) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        return side == Side::Width
                   ? widest + margins
                   : metrics.lineSpacing() * static_cast<int>(lines.size()) + margins;
    }
    return 1;
}

QFont Points(double points) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    return font;
}

}  // namespace

class FitFontTest : public QObject {
    Q_OBJECT

  private slots:
    void eachRuleAloneDecidesTheSize_data();
    void eachRuleAloneDecidesTheSize();
};

void FitFontTest::eachRuleAloneDecidesTheSize_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("side");  // sized to fit at `fitsAt` points; the other side is ample
    QTest::addColumn<double>("fitsAt");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<double>("expected");  // the window starts at 12 points
    const struct {
        const char* name;
        Kind kind;
        const char* caption;
        int margin;
        Side side;
        double fitsAt;
        bool hidden;
        double expected;
    } rows[] = {
        {"label, width", Kind::Label, "Amount :", 0, Side::Width, 9, false, 9},
        {"label with margins, width", Kind::Label, "Amount :", 3, Side::Width, 9, false, 9},
        {"label, height", Kind::Label, "Amount :", 0, Side::Height, 8.5, false, 8.5},
        {"empty label, 1 pixel", Kind::Label, "", 0, Side::Neither, 0, false, 12},
        {"push button, width", Kind::PushButton, "Help", 0, Side::Width, 9, false, 9},
        {"push button, height", Kind::PushButton, "Help", 0, Side::Height, 8.5, false, 8.5},
        {"option button, width", Kind::OptionButton, "VAT Inclusive", 0, Side::Width, 9, false, 9},
        {"option button, height", Kind::OptionButton, "VAT Inclusive", 0, Side::Height, 8.5, false,
         8.5},
        {"text box, height", Kind::TextBox, "117", 0, Side::Height, 8.5, false, 8.5},
        {"multi-line box, width", Kind::MultiLineTextBox, "Tolvi\nVAT Calculator", 0, Side::Width,
         9, false, 9},
        {"multi-line box, height", Kind::MultiLineTextBox, "Tolvi\nVAT\nCalculator", 0,
         Side::Height, 9, false, 9},
        {"other control, 1 pixel", Kind::Plain, "", 0, Side::Neither, 0, false, 12},
        // The floor: a caption that never fits leaves 6 points.
        {"label, 1 pixel", Kind::Label, "Amount :", 0, Side::Neither, 0, false, 6},
        {"hidden label, 1 pixel", Kind::Label, "Amount :", 0, Side::Neither, 0, true, 12},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << static_cast<int>(row.kind) << QString::fromLatin1(row.caption)
                                << row.margin << static_cast<int>(row.side) << row.fitsAt
                                << row.hidden << row.expected;
    }
}

void FitFontTest::eachRuleAloneDecidesTheSize() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(int, margin);
    QFETCH(int, side);
    QFETCH(double, fitsAt);
    QFETCH(bool, hidden);
    QWidget window;
    window.resize(600, 400);
    std::unique_ptr<QWidget> control = MakeControl(static_cast<Kind>(kind), caption, window);
    if (auto* label = qobject_cast<QLabel*>(control.get())) {
        label->setMargin(margin);
    }
    control->setGeometry(0, 0, 500, 300);
    QSize size(1, 1);
    if (side != static_cast<int>(Side::Neither)) {
        // The premise: half a point more needs more room.
        window.setFont(Points(fitsAt + 0.5));
        const int larger = JustFitting(*control, static_cast<Side>(side));
        window.setFont(Points(fitsAt));
        const int room = JustFitting(*control, static_cast<Side>(side));
        QVERIFY2(room < larger, "half a point more fits the same room");
        size = side == static_cast<int>(Side::Width) ? QSize(room, 300) : QSize(500, room);
    }
    control->resize(size);
    control->setHidden(hidden);
    window.setFont(Points(12));
    window.show();
    widgets::FitFontToLayout(window);
    QTEST(window.font().pointSizeF(), "expected");
    QCOMPARE(control->font(), window.font());
}

}  // namespace tolvi::test

QTEST_MAIN(tolvi::test::FitFontTest)
#include "fit_font_test.moc"
