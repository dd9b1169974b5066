#include "ui/main/form1.h"

#include <QCloseEvent>
#include <QMenu>
#include <initializer_list>

#include "calc/field_length.h"
#include "calc/key_rule.h"
#include "calc/recalculation.h"
#include "calc/str_r8.h"
#include "calc/val.h"
#include "platform/error_notice.h"
#include "platform/event_handler.h"
#include "platform/fit_font.h"
#include "platform/forms_runtime.h"
#include "shell/maker_site.h"
#include "shell/open_website.h"
#include "ui/about/frm_about.h"
#include "ui_form1.h"

// The icon and the logo live in this library's resources, which a static link would drop.
static void InitResources() {
    Q_INIT_RESOURCE(tolvi);
}

namespace tolvi {

Form1::Form1(NumberFormat format, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::Form1>()),
      format_(std::move(format)),
      fields_(*ui_) {
    InitResources();
    // The window as its description gives it; no handler is bound yet, so no event is raised.
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    for (QLineEdit* box :
         std::initializer_list<QLineEdit*>{ui_->Text_vat_round, ui_->Text_Price, ui_->Text_total}) {
        platform::UseButtonFaceBackground(*box);
    }
    // Far beyond any real amount or rate, and short enough for a text box to draw at once.
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->setMaxLength(kMaxFieldLength);
    }
    QPalette strip = ui_->Picture1->palette();
    strip.setColor(QPalette::Window, QColor(0x0f, 0x3d, 0x44));
    ui_->Picture1->setPalette(strip);
    platform::FitFontToLayout(*this);
    BuildHelpMenu();
    notice_ = new platform::ErrorNotice(*ui_->Text_amount);
    ui_->Text_amount->setFocus();

    BindEvents();
    Form_Load();
}

Form1::~Form1() {
    platform::SetErrorReporter(nullptr);
}

void Form1::BuildHelpMenu() {
    Help_ = new QMenu(QStringLiteral("Help"), this);
    Help_->setObjectName(QStringLiteral("Help"));
    const struct {
        const char* name;
        const char* caption;
    } items[] = {{"About", "About"},
                 {"VAT_calc_online", "VAT Calculator Online"},
                 {"Home_Page", "Home Page"}};
    for (const auto& item : items) {
        QAction* action = Help_->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
    }
}

void Form1::BindEvents() {
    using platform::BindEvent;
    BindEvent(ui_->Text_amount, &QLineEdit::textChanged, this, [this] { Text_amount_Change(); });
    BindEvent(ui_->Text_vat, &QLineEdit::textChanged, this, [this] { Text_vat_Change(); });
    ui_->Text_amount->SetKeyPressHandler([this](std::uint16_t& k) { Text_amount_KeyPress(k); });
    ui_->Text_vat->SetKeyPressHandler([this](std::uint16_t& k) { Text_vat_KeyPress(k); });
    // A mode button's Click is its becoming the selected one.
    connect(ui_->Option_vat_inc, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            platform::RunEventHandler([this] { Option_vat_inc_Click(); });
        }
    });
    connect(ui_->Option_vat_exc, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            platform::RunEventHandler([this] { Option_vat_exc_Click(); });
        }
    });
    ui_->Text_vat_result->SetChangeHandler([this] { Text_vat_result_Change(); });
    BindEvent(ui_->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    const auto action = [this](const char* name) {
        return Help_->findChild<QAction*>(QString::fromLatin1(name));
    };
    BindEvent(action("About"), &QAction::triggered, this, [this] { About_Click(); });
    BindEvent(action("VAT_calc_online"), &QAction::triggered, this,
              [this] { VAT_calc_online_Click(); });
    BindEvent(action("Home_Page"), &QAction::triggered, this, [this] { Home_Page_Click(); });

    // An error that ends a recalculation, or a paste refused for its length, is named near
    // the amount field until a later recalculation completes.
    platform::SetErrorReporter([notice = notice_](const std::exception& error) {
        notice->ShowError(QString::fromUtf8(error.what()));
    });
    // The rounded VAT and price boxes take what the user types or pastes, unfiltered; a paste
    // too long for them is refused whole as well.
    for (platform::KeyPressLineEdit* box :
         {ui_->Text_amount, ui_->Text_vat, ui_->Text_vat_round, ui_->Text_Price}) {
        box->SetPasteRefusedHandler([notice = notice_] {
            notice->ShowError(QString::fromStdString(FieldTooLongNotice()));
        });
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    std::int16_t cancel = 0;
    platform::RunEventHandler([&] { Form_Unload(cancel); });
    if (cancel != 0) {
        event->ignore();
    } else {
        event->accept();
    }
}

void Form1::Form_Load() {}

void Form1::Form_Unload(std::int16_t& /*cancel*/) {
    platform::EndApplication();
}

void Form1::Text_amount_Change() {
    tolvi::Text_amount_Change(fields_, format_);
    notice_->hide();
}

void Form1::Text_amount_KeyPress(std::uint16_t& keyAscii) {
    keyAscii = ApplyKeyRule(keyAscii);
}

void Form1::Text_vat_Change() {
    Text_amount_Change();
}

void Form1::Text_vat_KeyPress(std::uint16_t& keyAscii) {
    keyAscii = ApplyKeyRule(keyAscii);
}

void Form1::Option_vat_inc_Click() {
    Text_amount_Change();
}

void Form1::Option_vat_exc_Click() {
    Text_amount_Change();
}

void Form1::Text_vat_result_Change() {
    tolvi::Text_vat_result_Change(fields_, format_);
}

void Form1::Command1_Click() {
    const float left = platform::PixelsToTwips(ui_->Command1->x());
    const float top = platform::PixelsToTwips(ui_->Command1->y());
    const double x = left;
    const double y = Val(StrR4(top, format_));
    platform::PopupMenu(*this, *Help_, x, y);
}

void Form1::About_Click() {
    frmAbout about(this);  // loaded afresh: its load step runs now
    platform::ShowModal(about);
}

void Form1::Home_Page_Click() {
    QString address = shell::HomePageAddress();
    shell::OpenWebsite(address);
}

void Form1::VAT_calc_online_Click() {
    QString address = shell::VatCalculatorAddress();
    shell::OpenWebsite(address);
}

}  // namespace tolvi
