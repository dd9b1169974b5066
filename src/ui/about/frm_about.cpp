#include "ui/about/frm_about.h"

#include <QKeyEvent>

#include "app_identity.h"
#include "calc/str_r8.h"
#include "platform/event_handler.h"
#include "platform/fit_font.h"
#include "platform/forms_runtime.h"
#include "ui_frm_about.h"

namespace tolvi {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::frmAbout>()) {
    ui_->setupUi(this);
    // A fixed tool window: a thin title bar with the title and a close button only.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    platform::UseButtonFaceBackground(*ui_->Text_about);
    ui_->cmdOK->setFocus();
    platform::BindEvent(ui_->cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    Form_Load();
    platform::FitFontToLayout(*this);
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral(" About "));
    QString version = QStringLiteral("Version ") + Q(StrI2(identity::kVersionMajor)) +
                      QLatin1Char('.') + Q(StrI2(identity::kVersionMinor)) + QLatin1Char('.') +
                      Q(StrI2(identity::kVersionRevision));
    platform::MultiLineTextBox& box = *ui_->Text_about;
    box.SetText(QLatin1String(identity::kAppTitle) + kLineBreak);
    box.SetText(box.Text() + version + kLineBreak);
    box.SetText(box.Text() + QLatin1String(identity::kMakerWebHost) + kLineBreak);
    box.SetText(box.Text() + QLatin1String(identity::kSupportEmail));
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // OK is the window's cancel button as well as its default button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui_->cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tolvi
