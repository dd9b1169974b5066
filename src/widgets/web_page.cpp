#include "widgets/web_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace tolvi::widgets {

void OpenWebPage(const QString& address) {
    try {
        QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    } catch (...) {
        // Opening a page is a request that works or quietly does nothing.
    }
    for (int pass = 0; pass < 10; ++pass) {
        try {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        } catch (...) {
        }
    }
}

}  // namespace tolvi::widgets
