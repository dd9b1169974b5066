#pragma once

class QWidget;

namespace tolvi::platform {

// The windows' positions and sizes are fixed, drawn for an 8-point dialog font; desktop fonts
// are often larger. Keeps the desktop's font for the window but lowers its size, half a point
// at a time, until every caption and text fits its control.
void FitFontToLayout(QWidget& window);

}  // namespace tolvi::platform
