#include "win32_window/window_images.h"

#include <cstdint>
#include <vector>

#include "embedded_images.h"

namespace tolvi::win32 {

namespace {

constexpr COLORREF kStripColour = RGB(0x0f, 0x3d, 0x44);

// Pixels as a bottom-up device-independent bitmap wants them: blue, green, red, rows padded to
// four bytes.
struct Bitmap {
    BITMAPINFO info{};
    std::vector<std::uint8_t> bits;
};

Bitmap ToBitmap(const std::uint8_t* rgb, int width, int height) {
    Bitmap bitmap;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    bitmap.bits.assign(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = rgb + static_cast<std::size_t>(y) * width * 3;
        std::uint8_t* to = bitmap.bits.data() + static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    BITMAPINFOHEADER& header = bitmap.info.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return bitmap;
}

const Bitmap& Logo() {
    static const Bitmap logo =
        ToBitmap(images::kLogoPixels, images::kLogoWidth, images::kLogoHeight);
    return logo;
}

const Bitmap& Icon() {
    static const Bitmap icon =
        ToBitmap(images::kIconPixels, images::kIconWidth, images::kIconHeight);
    return icon;
}

void Draw(HDC dc, const Bitmap& bitmap, const RECT& to) {
    const int width = bitmap.info.bmiHeader.biWidth;
    const int height = bitmap.info.bmiHeader.biHeight;
    const bool scaled = to.right - to.left != width || to.bottom - to.top != height;
    const int oldMode = SetStretchBltMode(dc, scaled ? HALFTONE : COLORONCOLOR);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchDIBits(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, 0, 0, width, height,
                  bitmap.bits.data(), &bitmap.info, DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

}  // namespace

void DrawLogo(HDC dc, const RECT& box, UINT dpi) {
    HBRUSH strip = CreateSolidBrush(kStripColour);
    FillRect(dc, &box, strip);
    DeleteObject(strip);
    const RECT logo{box.left, box.top, box.left + MulDiv(images::kLogoWidth, dpi, 96),
                    box.top + MulDiv(images::kLogoHeight, dpi, 96)};
    Draw(dc, Logo(), logo);
}

void DrawAppIcon(HDC dc, const RECT& box) {
    Draw(dc, Icon(), box);
}

HICON MakeIcon(HINSTANCE instance, int size) {
    if (HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0)) {
        return static_cast<HICON>(icon);
    }
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
    const HGDIOBJ old = SelectObject(dc, colour);
    DrawAppIcon(dc, RECT{0, 0, size, size});
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    // Every pixel opaque: the mask is all zeros.
    std::vector<std::uint8_t> zeros(static_cast<std::size_t>((size + 15) / 16 * 2) * size, 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, zeros.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

}  // namespace tolvi::win32
