#include "widgets/application.h"

#include <QApplication>
#include <QWidget>

namespace tolvi::widgets {

namespace {
bool ending = false;
}  // namespace

void EndApplication() {
    ending = true;
    // Hiding a window that runs a modal loop ends that loop; exit() ends every other loop.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(0);
}

bool ApplicationEnding() {
    return ending;
}

void UseButtonFaceBackground(QWidget& box) {
    QPalette palette = box.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Button));
    }
    box.setPalette(palette);
}

}  // namespace tolvi::widgets
