#include "win32_window/main_window.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app_identity.h"
#include "calc/field_length.h"
#include "calc/notice.h"
#include "calc/notice_place.h"
#include "calc/recalculation.h"
#include "calc/text_boxes.h"
#include "win32_window/about_window.h"
#include "win32_window/text_conversion.h"
#include "win32_window/web_page.h"
#include "win32_window/window_images.h"
#include "win32_window/window_layout.h"

namespace tolvi::win32 {

namespace {

constexpr SIZE kClientArea{TWIPS_Form1};
constexpr std::array<ControlPlace, 16> kPlaces{{
    {IDC_Picture1, {TWIPS_Picture1}},
    {IDC_Label1, {TWIPS_Label1}},
    {IDC_Text_amount, {TWIPS_Text_amount}},
    {IDC_Option_vat_inc, {TWIPS_Option_vat_inc}},
    {IDC_Label2, {TWIPS_Label2}},
    {IDC_Text_vat, {TWIPS_Text_vat}},
    {IDC_Option_vat_exc, {TWIPS_Option_vat_exc}},
    {IDC_Label3, {TWIPS_Label3}},
    {IDC_Text_vat_round, {TWIPS_Text_vat_round}},
    {IDC_Text_vat_result, {TWIPS_Text_vat_result}},
    {IDC_Label5, {TWIPS_Label5}},
    {IDC_Text_Price, {TWIPS_Text_Price}},
    {IDC_Label_price, {TWIPS_Label_price}},
    {IDC_Label4, {TWIPS_Label4}},
    {IDC_Text_total, {TWIPS_Text_total}},
    {IDC_Command1, {TWIPS_Command1}},
}};

// Between the notice's text and its left and right edges.
constexpr int kNoticePaddingTwips = 45;

std::string Utf8Text(HWND window) {
    return Utf8(WindowText(window));
}

// A control's place in its window's client area.
Area PlaceOf(HWND control) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

// The places of the window's controls that are shown (or will be, with the window), but one.
std::vector<Area> ShownControls(HWND window, HWND but) {
    std::vector<Area> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != but && (GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0) {
            controls.push_back(PlaceOf(child));
        }
    }
    return controls;
}

std::wstring Regional(LCTYPE setting, const wchar_t* fallback) {
    wchar_t text[16]{};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, setting, text, 16) <= 1) {
        return fallback;
    }
    return text;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

bool MainWindow::Show(int showCommand) {
    dialog_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_Form1), nullptr, DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (dialog_ == nullptr) {
        return false;
    }
    ShowWindow(dialog_, showCommand);
    SetFocus(Item(IDC_Text_amount));
    UpdateWindow(dialog_);
    return true;
}

int MainWindow::Run() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialog_ == nullptr || !IsDialogMessageW(dialog_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

INT_PTR CALLBACK MainWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        window = reinterpret_cast<MainWindow*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        window->dialog_ = dialog;
    }
    return window != nullptr ? window->Handle(message, wParam, lParam) : FALSE;
}

void MainWindow::Initialise() {
    TakeOverDpiChanges(dialog_);
    ReadRegionalSettings();
    // The window as its resource gives it; no handler runs until it is loaded.
    CheckRadioButton(dialog_, IDC_Option_vat_inc, IDC_Option_vat_exc, IDC_Option_vat_inc);
    // The read-only total takes no text; the core says how the others take it.
    const std::array<std::pair<int, std::string_view>, 5> boxes{
        {{IDC_Text_amount, "Text_amount"},
         {IDC_Text_vat, "Text_vat"},
         {IDC_Text_vat_round, "Text_vat_round"},
         {IDC_Text_Price, "Text_Price"},
         {IDC_Text_total, "Text_total"}}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EntryBox& box = boxes_[i];
        box.window = Item(boxes[i].first);
        if (const TextBoxRule* rule = TextBoxRuleOf(boxes[i].second)) {
            box.field = rule->field;
            box.typingRule = rule->typingRule;
        }
        box.regional = &regional_;
        box.refused = [this](const std::string& notice) { ShowNotice(Wide(notice)); };
        AttachEntryBox(box);
    }
    for (const int id :
         {IDC_Text_amount, IDC_Text_vat, IDC_Text_vat_round, IDC_Text_Price, IDC_Text_total}) {
        SendMessageW(Item(id), EM_LIMITTEXT, kMaxFieldLength, 0);
    }
    // Names for a screen reader; the logo draws no text.
    SetDlgItemTextW(dialog_, IDC_Picture1, Wide(identity::kAppTitle).c_str());
    const RECT workArea = WorkAreaOf(dialog_);
    const UINT dpi = GetDpiForWindow(dialog_);
    // The dialog manager has made the dialog font for this resolution already: every control
    // has it, and it need not be made again.
    fonts_.SetDpi(dpi);
    fonts_.Borrow(reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)));
    LayOut(dpi, &workArea);
    loaded_ = true;
}

void MainWindow::LayOut(UINT dpi, const RECT* centreOn) {
    fonts_.SetDpi(dpi);
    LayOutDialog(dialog_, kClientArea, kPlaces, dpi, fonts_.Font(), centreOn);
    FitResultLabel(IDC_Text_vat_result);
    FitResultLabel(IDC_Label_price);
    if (IsWindowVisible(Item(IDC_Notice))) {
        ShowNotice(WindowText(Item(IDC_Notice)));
    }
    DestroyIcons();
    bigIcon_ = MakeIcon(instance_, GetSystemMetricsForDpi(SM_CXICON, dpi));
    smallIcon_ = MakeIcon(instance_, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void MainWindow::ReadRegionalSettings() {
    regional_.decimalSeparator = Utf8(Regional(LOCALE_SDECIMAL, L"."));
    regional_.groupSeparator = Utf8(Regional(LOCALE_STHOUSAND, L","));
}

INT_PTR MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialise();
            return FALSE;  // the focus is set once the window is shown
        case WM_COMMAND:
            if (!ending_) {
                Command(LOWORD(wParam), HIWORD(wParam));
            }
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return Colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_DRAWITEM:
            return DrawLogoBox(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_DPICHANGED:
            DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_SETTINGCHANGE:
            SettingChanged(reinterpret_cast<const wchar_t*>(lParam));
            return FALSE;
        case WM_CLOSE:  // closing is never refused, and ends the application with every window
        case WM_ENDSESSION:
            if (message == WM_CLOSE || wParam) {
                End();
            }
            return TRUE;
        case WM_DESTROY:
            Destroyed();
            return TRUE;
        default:
            return FALSE;
    }
}

void MainWindow::Command(int id, int code) {
    if ((id == IDC_Text_amount || id == IDC_Text_vat) && code == EN_CHANGE) {
        Recalculate();
    } else if ((id == IDC_Option_vat_inc || id == IDC_Option_vat_exc) && code == BN_CLICKED) {
        const VatMode mode = id == IDC_Option_vat_inc ? VatMode::Inclusive : VatMode::Exclusive;
        // A click on the button already selected changes nothing.
        if (IsDlgButtonChecked(dialog_, id) == BST_CHECKED && mode_ != mode) {
            Recalculate();
        }
    } else if (id == IDC_Command1 && code == BN_CLICKED) {
        PopUpHelpMenu();
    } else if (id == IDM_About || id == IDM_VAT_calc_online || id == IDM_Home_Page) {
        RunCommand(id);
    }
    // Enter and Escape (IDOK, IDCANCEL) do nothing in this window.
}

INT_PTR MainWindow::Colour(HWND control, HDC dc) const {
    // The notice in a tooltip's colours, the result boxes on the button face.
    int text = COLOR_WINDOWTEXT;
    int background = COLOR_BTNFACE;
    if (control == Item(IDC_Notice)) {
        text = COLOR_INFOTEXT;
        background = COLOR_INFOBK;
    } else if (control != Item(IDC_Text_vat_round) && control != Item(IDC_Text_Price) &&
               control != Item(IDC_Text_total)) {
        return FALSE;
    }
    SetTextColor(dc, GetSysColor(text));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(background));
}

BOOL MainWindow::DrawLogoBox(const DRAWITEMSTRUCT& item) const {
    if (item.CtlID != IDC_Picture1) {
        return FALSE;
    }
    DrawLogo(item.hDC, item.rcItem, fonts_.Dpi());
    return TRUE;
}

void MainWindow::DpiChanged(UINT dpi, const RECT& suggested) {
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
}

void MainWindow::SettingChanged(const wchar_t* area) {
    if (area != nullptr && lstrcmpiW(area, L"intl") == 0) {
        ReadRegionalSettings();
    }
}

void MainWindow::Destroyed() {
    DestroyIcons();
    PostQuitMessage(0);
}

void MainWindow::DestroyIcons() {
    for (HICON icon : {bigIcon_, smallIcon_}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    bigIcon_ = smallIcon_ = nullptr;
}

void MainWindow::Recalculate() {
    if (!loaded_ || ending_) {
        return;
    }
    const VatMode mode =
        IsDlgButtonChecked(dialog_, IDC_Option_vat_inc) == BST_CHECKED   ? VatMode::Inclusive
        : IsDlgButtonChecked(dialog_, IDC_Option_vat_exc) == BST_CHECKED ? VatMode::Exclusive
                                                                         : VatMode::Neither;
    mode_ = mode;
    const std::string amount = Utf8Text(Item(IDC_Text_amount));
    const std::string rate = Utf8Text(Item(IDC_Text_vat));
    ResultTexts current{Utf8Text(Item(IDC_Text_vat_result)), Utf8Text(Item(IDC_Text_vat_round)),
                        Utf8Text(Item(IDC_Text_total)), Utf8Text(Item(IDC_Text_Price)),
                        Utf8Text(Item(IDC_Label_price))};
    const Recalculation done = tolvi::Recalculate(amount, rate, mode, std::move(current));
    const ResultTexts& results = done.results;
    SetWindowTextIfChanged(Item(IDC_Text_vat_result), Wide(results.unroundedVat));
    SetWindowTextIfChanged(Item(IDC_Text_vat_round), Wide(results.roundedVat));
    SetWindowTextIfChanged(Item(IDC_Text_total), Wide(results.total));
    SetWindowTextIfChanged(Item(IDC_Text_Price), Wide(results.price));
    SetWindowTextIfChanged(Item(IDC_Label_price), Wide(results.unformattedPrice));
    FitResultLabel(IDC_Text_vat_result);
    FitResultLabel(IDC_Label_price);

    std::wstring notice;
    std::vector<std::string> lines = done.notice;
    for (EntryBox& box : boxes_) {
        if (!box.readAs.empty()) {
            lines.push_back(std::exchange(box.readAs, {}));
        }
    }
    for (const std::string& line : lines) {
        notice += (notice.empty() ? L"" : Wide(kNoticeLineSeparator)) + Wide(line);
    }
    ShowNotice(notice);
}

void MainWindow::FitResultLabel(int id) {
    HWND label = Item(id);
    RECT box{};
    GetClientRect(label, &box);
    HFONT font = fonts_.Fitting(label, WindowText(label).c_str(), box.right, box.bottom);
    if (reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)) != font) {
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void MainWindow::ShowNotice(const std::wstring& text) {
    HWND notice = Item(IDC_Notice);
    if (text.empty()) {
        ShowWindow(notice, SW_HIDE);
        SetWindowTextW(notice, L"");
        return;
    }
    if (notice == nullptr) {  // made for the first notice, not at start
        notice = CreateWindowExW(
            0, L"Static", L"", WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE, 0, 0, 0,
            0, dialog_, reinterpret_cast<HMENU>(IDC_Notice), instance_, nullptr);
    }
    // Where the window's one rule for notices puts it, near the amount; the font as small as it
    // must be for the text to fit.
    RECT client{};
    GetClientRect(dialog_, &client);
    const Area field = PlaceOf(Item(IDC_Text_amount));
    const NoticeBand band =
        FindNoticeBand(client.right, client.bottom, ShownControls(dialog_, notice), field.top);
    const int padding = TwipsToPixels(kNoticePaddingTwips, fonts_.Dpi());
    HFONT font = fonts_.Fitting(notice, text.c_str(), band.Room() - 2 * padding, band.band.height);
    HDC dc = GetDC(notice);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(notice, dc);
    const Area place = PlaceNotice(band, extent.cx + 2 * padding, field.left);
    SendMessageW(notice, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowTextW(notice, text.c_str());
    SetWindowPos(notice, HWND_TOP, place.left, place.top, place.width, place.height,
                 SWP_NOACTIVATE);
    ShowWindow(notice, SW_SHOWNA);
    InvalidateRect(notice, nullptr, TRUE);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, notice, OBJID_CLIENT, CHILDID_SELF);
}

void MainWindow::PopUpHelpMenu() {
    // At the button's top-left corner; modal: when it returns, the chosen command has run.
    if (helpMenu_ == nullptr) {  // loaded when first needed, not at start
        helpMenu_ = GetSubMenu(LoadMenuW(instance_, MAKEINTRESOURCEW(IDR_Help)), 0);
    }
    RECT button{};
    GetWindowRect(Item(IDC_Command1), &button);
    const int chosen = static_cast<int>(
        TrackPopupMenu(helpMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                       button.left, button.top, 0, dialog_, nullptr));
    if (chosen != 0) {
        RunCommand(chosen);
    }
}

void MainWindow::RunCommand(int id) {
    if (ending_) {
        return;
    }
    switch (id) {
        case IDM_About:
            ShowAboutWindow(instance_, dialog_);
            break;
        case IDM_VAT_calc_online:
            OpenWebsite(identity::kOnlineCalculatorAddress, dialog_);
            break;
        case IDM_Home_Page:
            OpenWebsite(identity::kHomePageAddress, dialog_);
            break;
        default:
            break;
    }
}

void MainWindow::End() {
    ending_ = true;
    DestroyWindow(dialog_);  // and the About window with it, should it be open
}

}  // namespace tolvi::win32
