#pragma once

// One of the application's windows by its name, loaded afresh as the program loads it.

#include <QWidget>
#include <memory>

#include "ui/about_window/about_window.h"
#include "ui/main_window/main_window.h"

namespace tolvi::test {

// "Form1", the main window, or "frmAbout", the About window.
inline std::unique_ptr<QWidget> LoadWindow(const QString& name) {
    if (name == QLatin1String("Form1")) {
        return std::make_unique<tolvi::MainWindow>();
    }
    return std::make_unique<AboutWindow>(nullptr);
}

}  // namespace tolvi::test
