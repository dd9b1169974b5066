// The Tolvi VAT Calculator window program.
#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "app_identity.h"
#include "platform/regional_number_format.h"
#include "platform/screen_centring.h"
#include "ui/main/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tolvi::identity::kAppTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(tolvi::identity::kVersionText));
    QApplication::setOrganizationName(QString::fromLatin1(tolvi::identity::kCompanyName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tolvi::identity::kDesktopFileName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tolvi/icon.png")));

    tolvi::Form1 form(tolvi::platform::CalculatorNumberFormat(QLocale::system()));
    tolvi::platform::CenterOnScreen(form);
    form.show();
    return QApplication::exec();
}
