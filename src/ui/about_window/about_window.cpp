#include "ui/about_window/about_window.h"

#include <QKeyEvent>
#include <QStringList>

#include "app_identity.h"
#include "ui/window_images.h"
#include "ui_about_window.h"
#include "widgets/application.h"
#include "widgets/fit_font.h"

namespace tolvi {

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::AboutWindow>()) {
    ui_->setupUi(this);
    // A fixed tool window: a thin title bar with the title and a close button only.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    ui_->picIcon->setPixmap(IconPixmap());
    setWindowTitle(QStringLiteral(" About "));
    widgets::UseButtonFaceBackground(*ui_->Text_about);
    QStringList lines;
    for (const char* line : identity::kAboutLines) {
        lines << QString::fromUtf8(line);
    }
    ui_->Text_about->setPlainText(lines.join(QLatin1Char('\n')));
    ui_->Label1->setText(QString::fromUtf8(identity::kLegalNotice));
    ui_->cmdOK->setFocus();
    connect(ui_->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    widgets::FitFontToLayout(*this);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    // OK is the window's cancel button as well as its default button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        ui_->cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tolvi
