#pragma once

#include <windows.h>

namespace tolvi::win32 {

// Shows the About window `frmAbout` over `owner`, modal, loaded afresh; returns when it has
// been closed (OK, Enter, Escape or its close button), or when its owner has been destroyed.
void ShowAboutWindow(HINSTANCE instance, HWND owner);

// The four lines of the About text, joined by carriage return and line feed.
const wchar_t* AboutText();

}  // namespace tolvi::win32
