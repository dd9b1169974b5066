#pragma once

// One of the application's windows by its name, loaded afresh as the program loads it.

#include <QWidget>
#include <memory>

#include "calc/number_format.h"
#include "ui/about/frm_about.h"
#include "ui/main/form1.h"

namespace tolvi::test {

// "Form1", the main window, or "frmAbout", the About window.
inline std::unique_ptr<QWidget> LoadWindow(const QString& name) {
    if (name == QLatin1String("Form1")) {
        return std::make_unique<Form1>(NumberFormat{});
    }
    return std::make_unique<frmAbout>(nullptr);
}

}  // namespace tolvi::test
