#include "shell/open_website.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/forms_runtime.h"

namespace tolvi::shell {

void OpenWebsite(QString& address) {
    try {
        QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    } catch (...) {
        // Opening a page is a request that works or quietly does nothing.
    }
    for (int pass = 0; pass < 10; ++pass) {
        try {
            platform::ProcessPendingEvents();
        } catch (...) {
        }
    }
}

}  // namespace tolvi::shell
