#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "calc/number_format.h"
#include "calc/recalculation.h"
#include "win32_window/dpi_scaling.h"
#include "win32_window/entry_box.h"

namespace tolvi::win32 {

// The main window `Form1`: the amount, the rate and the mode, the results, and the Help button.
class MainWindow {
  public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window in its first state, centred on the screen, and shows it; false when it
    // could not be created.
    bool Show(int showCommand);
    // Handles the application's messages until the window has been closed; the exit status.
    int Run();

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The handlers of the window's messages.
    void Initialise();
    void Command(int id, int code);
    INT_PTR Colour(HWND control, HDC dc) const;
    BOOL DrawLogoBox(const DRAWITEMSTRUCT& item) const;
    void DpiChanged(UINT dpi, const RECT& suggested);
    void SettingChanged(const wchar_t* area);
    void Destroyed();

    // Lays the window out for `dpi`, centred on `centreOn` when given.
    void LayOut(UINT dpi, const RECT* centreOn = nullptr);
    void ReadRegionalSettings();
    void DestroyIcons();

    // One snapshot of the texts, one recalculation, one write of the results, then the notice.
    void Recalculate();
    void ShowNotice(const std::wstring& text);
    void FitResultLabel(int id);

    void PopUpHelpMenu();
    void RunCommand(int id);
    void End();

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    HINSTANCE instance_;
    HWND dialog_ = nullptr;
    HMENU helpMenu_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    DialogFonts fonts_;
    NumberFormat regional_;
    std::array<EntryBox, 5> boxes_;
    std::optional<VatMode> mode_;  // the mode of the last recalculation
    bool loaded_ = false;          // until then, setting the first texts runs nothing
    bool ending_ = false;          // once closing, no handler runs any more
};

}  // namespace tolvi::win32
