#pragma once
#include <windows.h>

#include <vector>

#include "saver/core/MonitorLayout.h"

// The monitors of the desktop as the system reports them now. Never empty:
// a system that reports none gets the primary screen's metrics.
std::vector<MonitorInfo> ReadMonitors();

inline RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
