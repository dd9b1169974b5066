#pragma once

class QDialog;
class QMenu;
class QWidget;

namespace tolvi::platform {

// Window coordinates are twips, 15 to the device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;
int TwipsToPixels(double twips);
float PixelsToTwips(int pixels);

// Pops up a menu modally with its top-left corner at (x, y), twips from the top-left corner
// of the form's client area. When it returns, the chosen item's handler has run.
void PopupMenu(QWidget& form, QMenu& menu, double x, double y);

// Shows a loaded window modally: the other windows take no input until it is closed.
void ShowModal(QDialog& window);

// One pass of event processing: dispatches what is queued, running its handlers, and returns.
void ProcessPendingEvents();

// Ends the application at once: every window closes, every modal phase ends, no further
// handler runs, and the event loop returns so that the process exits.
void EndApplication();

// Draws a text box on the desktop's button-face colour instead of the window colour.
void UseButtonFaceBackground(QWidget& box);

}  // namespace tolvi::platform
