#include "win32_window/about_window.h"

#include <array>
#include <string>

#include "app_identity.h"
#include "win32_window/dpi_scaling.h"
#include "win32_window/text_conversion.h"
#include "win32_window/window_images.h"
#include "win32_window/window_layout.h"

namespace tolvi::win32 {

namespace {

constexpr SIZE kClientArea{TWIPS_frmAbout};
constexpr std::array<ControlPlace, 4> kPlaces{{
    {IDC_cmdOK, {TWIPS_cmdOK}},
    {IDC_picIcon, {TWIPS_picIcon}},
    {IDC_Text_about, {TWIPS_Text_about}},
    {IDC_Label1_about, {TWIPS_Label1_about}},
}};

struct AboutWindow {
    DialogFonts fonts;
};

void LayOut(HWND dialog, AboutWindow& about, UINT dpi, const RECT* centreOn = nullptr) {
    about.fonts.SetDpi(dpi);
    LayOutDialog(dialog, kClientArea, kPlaces, dpi, about.fonts.Font(), centreOn);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* about = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            about = reinterpret_cast<AboutWindow*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            TakeOverDpiChanges(dialog);
            SetWindowTextW(dialog, L" About ");
            SetDlgItemTextW(dialog, IDC_Text_about, AboutText());
            SetDlgItemTextW(dialog, IDC_Label1_about, Wide(identity::kLegalNotice).c_str());
            // The icon's name, for a screen reader.
            SetDlgItemTextW(dialog, IDC_picIcon, Wide(identity::kAppTitle).c_str());
            RECT owner{};
            GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
            LayOut(dialog, *about, GetDpiForWindow(dialog), &owner);
            SetFocus(GetDlgItem(dialog, IDC_cmdOK));
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID == IDC_picIcon) {
                DrawAppIcon(item.hDC, item.rcItem);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_Text_about)) {
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_DPICHANGED: {
            const auto& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(dialog, nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut(dialog, *about, LOWORD(wParam));
            return TRUE;
        }
        default:
            break;
    }
    return FALSE;
}

}  // namespace

const wchar_t* AboutText() {
    static const std::wstring text = [] {
        std::wstring lines;
        for (const char* line : identity::kAboutLines) {
            lines += (lines.empty() ? L"" : L"\r\n") + Wide(line);
        }
        return lines;
    }();
    return text.c_str();
}

void ShowAboutWindow(HINSTANCE instance, HWND owner) {
    AboutWindow about;
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_frmAbout), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&about));
}

}  // namespace tolvi::win32
