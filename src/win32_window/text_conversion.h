#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tolvi::win32 {

// Windows speaks UTF-16, the core UTF-8.
std::wstring Wide(std::string_view utf8);
// A text with a lone surrogate comes out with a byte that is never UTF-8 (0xFF) in its place,
// so that whoever reads it as UTF-8 knows it was not text.
std::string Utf8(std::wstring_view utf16);

// A window's text, and setting it only when it changes: then a box keeps its caret and its
// selection when a recalculation leaves it as it was.
std::wstring WindowText(HWND window);
void SetWindowTextIfChanged(HWND window, const std::wstring& text);

}  // namespace tolvi::win32
