#include "calc/notice_place.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace tolvi {

namespace {

int MiddleOf(const Area& band) {
    return (2 * band.top + band.height - 1) / 2;
}

}  // namespace

NoticeBand FindNoticeBand(int windowWidth, int windowHeight, std::span<const Area> controls,
                          int fieldTop) {
    std::vector<std::pair<int, int>> rows;  // [top, bottom) of each control
    rows.reserve(controls.size() + 1);
    NoticeBand found;
    for (const Area& control : controls) {
        rows.emplace_back(control.top, control.top + control.height);
        // The margin: the least left edge of the controls that do not span the window.
        if (control.left > 0 && (found.margin == 0 || control.left < found.margin)) {
            found.margin = control.left;
        }
    }
    rows.emplace_back(windowHeight, windowHeight);
    std::sort(rows.begin(), rows.end());
    const auto distance = [fieldTop](const Area& band) {
        return std::abs(MiddleOf(band) - fieldTop);
    };
    int covered = 0;  // everything above this line is taken
    for (const auto& [top, bottom] : rows) {
        const Area band{0, covered, windowWidth, top - covered};
        if (band.height > found.band.height ||
            (band.height == found.band.height && distance(band) < distance(found.band))) {
            found.band = band;
        }
        covered = std::max(covered, bottom);
    }
    return found;
}

Area PlaceNotice(const NoticeBand& band, int width, int fieldLeft) {
    const int fitted = std::min(width, band.Room());
    const int left = std::clamp(fieldLeft, band.margin, band.band.width - band.margin - fitted);
    return {left, band.band.top, fitted, band.band.height};
}

}  // namespace tolvi
