#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace tolvi::widgets {

// The frame the window manager will draw around a top-level window that is not shown yet, as
// far as the window system can tell it beforehand: X11 window managers that answer
// _NET_REQUEST_FRAME_EXTENTS do, within a quarter of a second. Nothing elsewhere.
std::optional<QMargins> FrameExtentsBeforeShowing(QWidget& window);

}  // namespace tolvi::widgets
