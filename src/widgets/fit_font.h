#pragma once

#include <QFont>
#include <functional>

class QWidget;

namespace tolvi::widgets {

// The largest size of `font`, from its own size down half a point at a time to no less than
// `smallestPointSize`, at which `fits` holds; the smallest of those sizes when none fits.
QFont ShrunkToFit(QFont font, double smallestPointSize,
                  const std::function<bool(const QFont&)>& fits);

// The windows' positions and sizes are fixed, drawn for an 8-point dialog font; desktop fonts
// are often larger. Keeps the desktop's font for the window but lowers its size, half a point
// at a time, until every caption and text fits its control.
void FitFontToLayout(QWidget& window);

}  // namespace tolvi::widgets
