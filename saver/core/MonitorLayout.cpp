#include "saver/core/MonitorLayout.h"

#include <algorithm>

namespace {

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

PixelRect Offset(const PixelRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The primary monitor first, then the others in the system's order. A list
// that names no primary monitor takes its first one as the primary.
std::vector<MonitorInfo> PrimaryFirst(const std::vector<MonitorInfo>& monitors) {
    std::vector<MonitorInfo> ordered(monitors);
    auto primary = std::find_if(ordered.begin(), ordered.end(), [](const MonitorInfo& m) { return m.primary; });
    if (primary != ordered.end())
        std::rotate(ordered.begin(), primary, primary + 1);
    return ordered;
}

}  // namespace

SaverLayout LayOutSaver(const std::vector<MonitorInfo>& monitors, bool sentenceOnEveryMonitor) {
    SaverLayout layout;
    if (monitors.empty())
        return layout;
    layout.cover = monitors.front().rect;
    for (const MonitorInfo& monitor : monitors)
        layout.cover = Union(layout.cover, monitor.rect);
    layout.sentenceAreas = SentenceAreas(monitors, layout.cover, sentenceOnEveryMonitor);
    return layout;
}

std::vector<PixelRect> SentenceAreas(const std::vector<MonitorInfo>& monitors, const PixelRect& window,
                                     bool sentenceOnEveryMonitor) {
    std::vector<PixelRect> areas;
    for (const MonitorInfo& monitor : PrimaryFirst(monitors)) {
        const PixelRect inside = Intersection(monitor.rect, window);
        if (!inside.IsEmpty())
            areas.push_back(Offset(inside, -window.left, -window.top));
        if (!sentenceOnEveryMonitor)
            break;
    }
    if (areas.empty())
        areas.push_back({0, 0, window.Width(), window.Height()});
    return areas;
}
