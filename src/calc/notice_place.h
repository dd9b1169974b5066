#pragma once

#include <span>

namespace tolvi {

// A rectangle in a window's client area, in pixels.
struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where a window shows its notice: the tallest band across the window's whole width that no
// control reaches into (of bands of equal height, the one nearest the top of the field the
// notice speaks of), keeping on both sides the margin the controls keep from the left edge.
struct NoticeBand {
    Area band;
    int margin = 0;
    // The widest the notice may be.
    int Room() const { return band.width - 2 * margin; }
};

// `controls` are the places of the window's visible controls, the notice's own aside.
NoticeBand FindNoticeBand(int windowWidth, int windowHeight, std::span<const Area> controls,
                          int fieldTop);

// The notice's place in `band` for a text `width` pixels wide with its padding: under the
// field's left edge where it has room, further left where it has not, never wider than the room.
Area PlaceNotice(const NoticeBand& band, int width, int fieldLeft);

}  // namespace tolvi
