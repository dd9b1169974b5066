#pragma once

#include <windows.h>

namespace tolvi::win32 {

// The logo along the main window's top, drawn at its top-left corner at the window's scale,
// with the strip below it and right of it in the logo's own dark colour.
void DrawLogo(HDC dc, const RECT& box, UINT dpi);
// The application icon, stretched to fill `box`.
void DrawAppIcon(HDC dc, const RECT& box);
// The application icon as a window icon of `size` by `size` pixels: the program's icon 1, drawn
// at every size Windows shows, or where the program carries none, drawn from the icon's pixels.
HICON MakeIcon(HINSTANCE instance, int size);

}  // namespace tolvi::win32
