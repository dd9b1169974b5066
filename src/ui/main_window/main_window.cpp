#include "ui/main_window/main_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <initializer_list>
#include <utility>

#include "app_identity.h"
#include "calc/field_length.h"
#include "calc/recalculation.h"
#include "calc/text_boxes.h"
#include "calc/text_entry.h"
#include "ui/about_window/about_window.h"
#include "ui/window_images.h"
#include "ui_main_window.h"
#include "widgets/application.h"
#include "widgets/error_notice.h"
#include "widgets/fit_font.h"
#include "widgets/regional_number_format.h"
#include "widgets/web_page.h"

namespace tolvi {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Writes a text into a box only when it changes, so that a box the recalculation did not
// change keeps its cursor, its selection and its undo history.
void SetText(QLineEdit& box, const std::string& text) {
    const QString changed = Q(text);
    if (box.text() != changed) {
        box.setText(changed);
    }
}

}  // namespace

MainWindow::MainWindow(const QLocale& regional, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::MainWindow>()),
      regional_(widgets::RegionalSeparators(regional)) {
    // The window as its description gives it; no handler is bound yet, so no event is raised.
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    for (QLineEdit* box :
         std::initializer_list<QLineEdit*>{ui_->Text_vat_round, ui_->Text_Price, ui_->Text_total}) {
        widgets::UseButtonFaceBackground(*box);
    }
    // Far beyond any real amount or rate, and short enough for a text box to draw at once.
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setMaxLength(kMaxFieldLength);
    }
    ui_->Picture1->setPixmap(LogoPixmap());
    QPalette strip = ui_->Picture1->palette();
    strip.setColor(QPalette::Window, QColor(0x0f, 0x3d, 0x44));
    ui_->Picture1->setPalette(strip);
    widgets::FitFontToLayout(*this);
    BuildHelpMenu();
    notice_ = new widgets::ErrorNotice(*ui_->Text_amount);
    ui_->Text_amount->setFocus();
    BindEvents();
    widgets::TakeCloseRequestsWhileBlocked(*this);  // closing is never refused, About open or not
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildHelpMenu() {
    helpMenu_ = new QMenu(QStringLiteral("Help"), this);
    helpMenu_->setObjectName(QStringLiteral("Help"));
    const auto add = [this](const char* name, const char* caption, auto command) {
        QAction* action = helpMenu_->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [command] {
            if (!widgets::ApplicationEnding()) {
                command();
            }
        });
    };
    add("About", "About", [this] { ShowAbout(); });
    add("VAT_calc_online", "VAT Calculator Online",
        [] { widgets::OpenWebPage(QLatin1String(identity::kOnlineCalculatorAddress)); });
    add("Home_Page", "Home Page",
        [] { widgets::OpenWebPage(QLatin1String(identity::kHomePageAddress)); });
}

void MainWindow::BindEvents() {
    const auto recalculate = [this] {
        if (!widgets::ApplicationEnding()) {
            Recalculate();
        }
    };
    connect(ui_->Text_amount, &QLineEdit::textChanged, this, recalculate);
    connect(ui_->Text_vat, &QLineEdit::textChanged, this, recalculate);
    // A mode button's click is its becoming the selected one.
    for (QRadioButton* mode : {static_cast<QRadioButton*>(ui_->Option_vat_inc),
                               static_cast<QRadioButton*>(ui_->Option_vat_exc)}) {
        connect(mode, &QRadioButton::toggled, this, [recalculate](bool selected) {
            if (selected) {
                recalculate();
            }
        });
    }
    connect(ui_->Command1, &QPushButton::clicked, this, [this] {
        if (!widgets::ApplicationEnding()) {
            PopUpHelpMenu();
        }
    });
    // In every box that takes text, typed characters pass the typing rule where the box has
    // one, and every text from outside passes the rule for text from outside. A refused text
    // leaves the box as it was, and the notice says why.
    for (const TextBoxRule& rule : kTextBoxRules) {
        auto* box = findChild<widgets::FilteredLineEdit*>(
            QString::fromLatin1(rule.name.data(), static_cast<qsizetype>(rule.name.size())));
        const Field field = rule.field;
        if (rule.typingRule) {
            box->SetKeyFilter([this, field](std::uint16_t code) {
                return ApplyTypingRule(code, field, regional_);
            });
        }
        // The amount and the rate recalculate as a text enters them, and say how it was read;
        // an input method's commit enters them as a text from outside too.
        const bool recalculates = rule.typingRule;
        const auto ruleOf = [this, field, recalculates](auto* take) {
            return [this, field, recalculates, take](const QString& text, qsizetype boxLength,
                                                     qsizetype replaced) -> std::optional<QString> {
                const TextFromOutside taken =
                    take(text.toStdString(), field, regional_, static_cast<std::size_t>(boxLength),
                         static_cast<std::size_t>(replaced));
                if (taken.Refused()) {
                    notice_->ShowError(Q(PasteRefusedNotice(taken.refusal)));
                    return std::nullopt;
                }
                readAs_ = recalculates ? Q(taken.readAs) : QString();
                return Q(taken.text);
            };
        };
        box->SetOutsideTextRule(ruleOf(&TakeTextFromOutside));
        if (rule.typingRule) {
            box->SetCommitRule(ruleOf(&TakeCommittedText));
        }
        // An input method's commit too long for the box.
        box->SetPasteRefusedHandler(
            [notice = notice_] { notice->ShowError(Q(FieldTooLongNotice())); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window is never refused, and ends the application with every window.
    event->accept();
    widgets::EndApplication();
}

void MainWindow::Recalculate() {
    const VatMode mode = ui_->Option_vat_inc->isChecked()   ? VatMode::Inclusive
                         : ui_->Option_vat_exc->isChecked() ? VatMode::Exclusive
                                                            : VatMode::Neither;
    ResultTexts current{
        ui_->Text_vat_result->text().toStdString(), ui_->Text_vat_round->text().toStdString(),
        ui_->Text_total->text().toStdString(), ui_->Text_Price->text().toStdString(),
        ui_->Label_price->text().toStdString()};
    const std::string amount = ui_->Text_amount->text().toStdString();
    const std::string rate = ui_->Text_vat->text().toStdString();
    const Recalculation done = tolvi::Recalculate(amount, rate, mode, std::move(current));
    const ResultTexts& results = done.results;
    ui_->Text_vat_result->setText(Q(results.unroundedVat));
    SetText(*ui_->Text_vat_round, results.roundedVat);
    SetText(*ui_->Text_total, results.total);
    SetText(*ui_->Text_Price, results.price);
    ui_->Label_price->setText(Q(results.unformattedPrice));
    QStringList lines;
    for (const std::string& line : done.notice) {
        lines << Q(line);
    }
    if (!readAs_.isEmpty()) {
        lines << std::exchange(readAs_, QString());
    }
    if (lines.isEmpty()) {
        notice_->hide();
    } else {
        notice_->ShowLines(lines);
    }
}

void MainWindow::PopUpHelpMenu() {
    // Modal: when it returns, the chosen item's command has run.
    helpMenu_->exec(mapToGlobal(ui_->Command1->pos()));
}

void MainWindow::ShowAbout() {
    AboutWindow about(this);  // loaded afresh at every showing
    about.setWindowModality(Qt::ApplicationModal);
    about.exec();
}

}  // namespace tolvi
