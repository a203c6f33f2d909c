#pragma once
#include <vector>

// A rectangle in pixels, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

// One monitor of the desktop, in virtual-screen coordinates: the primary one
// has its top left corner at 0,0, the others may lie at negative coordinates.
struct MonitorInfo {
    PixelRect rect;
    bool primary = false;
};

// Where the full-screen saver goes: one window over the rectangle that holds
// every monitor (so the gaps between monitors of different sizes are covered
// too), and the areas a sentence scrolls in, each a monitor's own rectangle in
// the window's client coordinates, the primary monitor's first.
struct SaverLayout {
    PixelRect cover;
    std::vector<PixelRect> sentenceAreas;
};

// The layout over these monitors: a sentence on the primary monitor alone,
// or on every monitor. Without any monitor the cover is empty.
SaverLayout LayOutSaver(const std::vector<MonitorInfo>& monitors, bool sentenceOnEveryMonitor);

// The sentence areas of a saver window placed at window (screen coordinates),
// in its client coordinates: the chosen monitors' parts inside the window.
// A window over no chosen monitor has its whole client area as the one area.
std::vector<PixelRect> SentenceAreas(const std::vector<MonitorInfo>& monitors, const PixelRect& window,
                                     bool sentenceOnEveryMonitor);
