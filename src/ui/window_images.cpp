#include "ui/window_images.h"

#include <QImage>

#include "embedded_images.h"

namespace tolvi {

namespace {

QPixmap FromPixels(const std::uint8_t* pixels, int width, int height) {
    const qsizetype bytesPerLine = qsizetype{3} * width;
    return QPixmap::fromImage(QImage(pixels, width, height, bytesPerLine, QImage::Format_RGB888));
}

}  // namespace

QPixmap IconPixmap() {
    return FromPixels(images::kIconPixels, images::kIconWidth, images::kIconHeight);
}

QPixmap LogoPixmap() {
    return FromPixels(images::kLogoPixels, images::kLogoWidth, images::kLogoHeight);
}

}  // namespace tolvi
