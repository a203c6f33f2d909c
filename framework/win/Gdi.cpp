#include "framework/win/Gdi.h"

#include <cstdlib>

#include "framework/base/DpiScale.h"

bool CFont::CreatePointFontIndirect(const LOGFONTA& logFont, HDC hDC) {
    CClientDC screen(nullptr);
    HDC dc = hDC ? hDC : screen.GetSafeHdc();
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT size = {0, static_cast<LONG>(static_cast<long long>(GetDeviceCaps(dc, LOGPIXELSY)) *
                                      logFont.lfHeight / 720)};
    POINT origin = {0, 0};
    DPtoLP(dc, &size, 1);
    DPtoLP(dc, &origin, 1);
    LOGFONTA pixels = logFont;
    pixels.lfHeight = -std::abs(size.y - origin.y);
    Attach(CreateFontIndirectA(&pixels));
    return GetSafeHandle() != nullptr;
}

int ScreenDpi() {
    CClientDC screen(nullptr);
    return GetDeviceCaps(screen.GetSafeHdc(), LOGPIXELSY);
}

HICON LoadIconForScreen(HINSTANCE instance, UINT iconId, int size) {
    const int side = ScaleToDpi(size, ScreenDpi());
    return static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
}
