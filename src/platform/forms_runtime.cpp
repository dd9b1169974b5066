#include "platform/forms_runtime.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <cmath>

#include "platform/event_handler.h"

namespace tolvi::platform {

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

float PixelsToTwips(int pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

void PopupMenu(QWidget& form, QMenu& menu, double x, double y) {
    menu.exec(form.mapToGlobal(QPoint(TwipsToPixels(x), TwipsToPixels(y))));
}

void ShowModal(QDialog& window) {
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void EndApplication() {
    MarkApplicationEnding();
    // Hiding a window that runs a modal loop ends that loop; exit() ends every other loop.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

void UseButtonFaceBackground(QWidget& box) {
    QPalette palette = box.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Button));
    }
    box.setPalette(palette);
}

}  // namespace tolvi::platform
