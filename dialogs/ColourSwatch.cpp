#include "dialogs/ColourSwatch.h"

void CColourSwatch::SetColour(COLORREF colour) {
    m_brush.Attach(CreateSolidBrush(colour));
    if (m_hWnd) {
        InvalidateRect(m_hWnd, nullptr, TRUE);
        UpdateWindow(m_hWnd);
    }
}

HBRUSH CColourSwatch::CtlColor(HDC) { return m_brush.GetSafeHandle(); }
