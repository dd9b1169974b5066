// The Tolvi VAT Calculator window program.
#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "app_identity.h"
#include "ui/main_window/main_window.h"
#include "ui/window_images.h"
#include "widgets/screen_centring.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tolvi::identity::kAppTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(tolvi::identity::kVersionText));
    QApplication::setOrganizationName(QString::fromLatin1(tolvi::identity::kCompanyName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tolvi::identity::kDesktopFileName));
    QApplication::setWindowIcon(QIcon(tolvi::IconPixmap()));

    tolvi::MainWindow window(QLocale::system());
    tolvi::widgets::CenterOnScreen(window);
    window.show();
    return QApplication::exec();
}
