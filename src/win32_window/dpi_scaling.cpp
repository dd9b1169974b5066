#include "win32_window/dpi_scaling.h"

namespace tolvi::win32 {

int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT TwipsToPixels(const Twips& place, UINT dpi) {
    return {TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
            TwipsToPixels(place.left + place.width, dpi),
            TwipsToPixels(place.top + place.height, dpi)};
}

DialogFonts::~DialogFonts() {
    Clear();
}

void DialogFonts::Clear() {
    for (const auto& [size, font] : fonts_) {
        if (font != borrowed_) {
            DeleteObject(font);
        }
    }
    fonts_.clear();
    borrowed_ = nullptr;
}

void DialogFonts::SetDpi(UINT dpi) {
    if (dpi != dpi_) {
        Clear();
        dpi_ = dpi;
    }
}

LOGFONTW DialogFonts::Description(int tenthsOfPoint) const {
    // The desktop's smoothing, as the dialog manager's font has it.
    LOGFONTW description{};
    description.lfHeight = -MulDiv(tenthsOfPoint, static_cast<int>(dpi_), 720);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(description.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return description;
}

void DialogFonts::Borrow(HFONT font) {
    LOGFONTW theirs{};
    const LOGFONTW ours = Description(kDialogTenthsOfPoint);
    if (font != nullptr && fonts_.count(kDialogTenthsOfPoint) == 0 &&
        GetObjectW(font, sizeof theirs, &theirs) == sizeof theirs &&
        theirs.lfHeight == ours.lfHeight && theirs.lfWeight == ours.lfWeight &&
        theirs.lfItalic == 0 && lstrcmpiW(theirs.lfFaceName, ours.lfFaceName) == 0) {
        fonts_[kDialogTenthsOfPoint] = borrowed_ = font;
    }
}

HFONT DialogFonts::Font(int tenthsOfPoint) {
    HFONT& font = fonts_[tenthsOfPoint];
    if (font == nullptr) {
        const LOGFONTW description = Description(tenthsOfPoint);
        font = CreateFontIndirectW(&description);
    }
    return font;
}

HFONT DialogFonts::Fitting(HWND control, const wchar_t* text, int width, int height) {
    constexpr int kSmallest = 50;
    HDC dc = GetDC(control);
    HFONT chosen = nullptr;
    const HGDIOBJ old = GetCurrentObject(dc, OBJ_FONT);
    for (int size = kDialogTenthsOfPoint; size >= kSmallest; size -= 5) {
        chosen = Font(size);
        SelectObject(dc, chosen);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        if (extent.cx <= width && metrics.tmHeight <= height) {
            break;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return chosen;
}

void LayOutDialog(HWND dialog, SIZE twipsSize, std::span<const ControlPlace> controls, UINT dpi,
                  HFONT font, const RECT* centreOn) {
    RECT frame{0, 0, TwipsToPixels(twipsSize.cx, dpi), TwipsToPixels(twipsSize.cy, dpi)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)),
                             dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // One move of the window and one of all its controls: each is a round trip to the display.
    if (centreOn != nullptr) {
        SetWindowPos(dialog, nullptr,
                     centreOn->left + (centreOn->right - centreOn->left - width) / 2,
                     centreOn->top + (centreOn->bottom - centreOn->top - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(dialog, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) != font) {
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    HDWP moves = BeginDeferWindowPos(static_cast<int>(controls.size()));
    for (const ControlPlace& control : controls) {
        const RECT place = TwipsToPixels(control.place, dpi);
        if (moves != nullptr) {
            moves = DeferWindowPos(moves, GetDlgItem(dialog, control.id), nullptr, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (moves != nullptr) {
        EndDeferWindowPos(moves);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

void TakeOverDpiChanges(HWND dialog) {
    // Windows 10 1703 and later; elsewhere (and under wine) the dialog manager never scales.
    using Setter = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static const auto set = reinterpret_cast<Setter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    if (set != nullptr) {
        const auto all = static_cast<DIALOG_DPI_CHANGE_BEHAVIORS>(
            DDC_DISABLE_ALL | DDC_DISABLE_RESIZE | DDC_DISABLE_CONTROL_RELAYOUT);
        set(dialog, all, all);
    }
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcWork;
}

}  // namespace tolvi::win32
