#pragma once

class QWidget;

namespace tolvi::widgets {

// Places a window that is not shown yet so that its frame is centred on the work area of its
// screen. Where the window manager adds the frame only after the window is shown, the frame is
// centred again, once, as soon as it is known, unless the window has been moved meanwhile.
void CenterOnScreen(QWidget& window);

}  // namespace tolvi::widgets
