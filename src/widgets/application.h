#pragma once

class QWidget;

namespace tolvi::widgets {

// Ends the application at once: every window closes, every modal phase ends, and the event
// loop returns so that the process exits. From then on ApplicationEnding() is true, and the
// windows run no handler of theirs any more.
void EndApplication();
bool ApplicationEnding();

// Lets the desktop's request to close `window` (its frame's close button, a window list) reach
// the window's closeEvent also while a modal window blocks it, where the toolkit would drop it.
void TakeCloseRequestsWhileBlocked(QWidget& window);

// Draws a text box on the desktop's button-face colour instead of the window colour.
void UseButtonFaceBackground(QWidget& box);

}  // namespace tolvi::widgets
