#pragma once

#include <QPixmap>

namespace tolvi {

// The application's icon (48 by 48 pixels) and the logo along the main window's top (299 by
// 23), drawn from pixels built into the program.
QPixmap IconPixmap();
QPixmap LogoPixmap();

}  // namespace tolvi
