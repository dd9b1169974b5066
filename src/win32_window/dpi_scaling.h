#pragma once

#include <windows.h>

#include <map>
#include <span>

namespace tolvi::win32 {

// A place in twips: left, top, width, height from the client area's top-left corner.
struct Twips {
    int left, top, width, height;
};

// Twips to pixels at `dpi` dots per inch, 1440 twips to the inch, to the nearest pixel. Edges are
// rounded, not lengths, so that boxes that meet in twips meet in pixels.
int TwipsToPixels(int twips, UINT dpi);
RECT TwipsToPixels(const Twips& place, UINT dpi);

struct ControlPlace {
    int id;
    Twips place;
};

// The dialog font, the desktop's default "MS Shell Dlg 2", in sizes for one resolution. The
// window's controls use the 8-point size; the notice and the result labels smaller ones too.
class DialogFonts {
  public:
    static constexpr int kDialogTenthsOfPoint = 80;

    DialogFonts() = default;
    DialogFonts(const DialogFonts&) = delete;
    DialogFonts& operator=(const DialogFonts&) = delete;
    ~DialogFonts();

    void SetDpi(UINT dpi);
    // Takes `font`, which someone else owns, as the dialog size when it is that size.
    void Borrow(HFONT font);
    UINT Dpi() const { return dpi_; }
    HFONT Font(int tenthsOfPoint = kDialogTenthsOfPoint);

    // The largest size from the dialog size down, half a point at a time to 5 points, in which
    // `text` fits `width` by `height` pixels; the smallest when none does.
    HFONT Fitting(HWND control, const wchar_t* text, int width, int height);

  private:
    void Clear();
    LOGFONTW Description(int tenthsOfPoint) const;

    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT borrowed_ = nullptr;
    std::map<int, HFONT> fonts_;
};

// Gives a dialog the client area `size` (twips) at `dpi`, centred on `centreOn` (screen
// coordinates) when given and keeping its top-left corner otherwise, puts each of `controls` in
// its place and gives every control of the dialog the dialog font.
void LayOutDialog(HWND dialog, SIZE twipsSize, std::span<const ControlPlace> controls, UINT dpi,
                  HFONT font, const RECT* centreOn = nullptr);

// Keeps the dialog manager from scaling a dialog on its own when its monitor's resolution
// changes: the window lays itself out from twips.
void TakeOverDpiChanges(HWND dialog);

RECT WorkAreaOf(HWND window);

}  // namespace tolvi::win32
