#pragma once
#include <windows.h>

#include <memory>

#include "framework/win/Gdi.h"

// The title bar a window paints itself on system versions 4.0 and lower: a
// gradient behind the icon and the program's name, prepared once per state
// (active, inactive) in the current system colours and copied over the
// system's bar, leaving the caption buttons as the system drew them.
class COwnCaptionBar {
public:
    // Whether this system gets the own bar; decided once, from its version.
    COwnCaptionBar();

    bool InUse() const { return m_bInUse; }
    // Prepares both states for the window's size in the current system
    // colours; without a window DC the bars built before stay.
    void Build(HWND hWnd, HICON smallIcon);
    // Copies the current state's bar over the window's title bar, if in use.
    void Paint(HWND hWnd) const;
    void SetActive(bool active) { m_bActive = active; }
    // The prepared bar of one state; null before it is built.
    HDC DC(bool active) const { return (active ? m_dcActive : m_dcInactive).GetSafeHdc(); }

private:
    void BuildState(HWND hWnd, HDC window, bool active, bool flat, HICON smallIcon);

    bool m_bInUse = false;
    bool m_bActive = true;
    // The bitmaps before the DCs that hold them: the DCs go first.
    std::unique_ptr<CBitmap> m_pInactiveBitmap;
    std::unique_ptr<CBitmap> m_pActiveBitmap;
    CMemoryDC m_dcInactive;
    CMemoryDC m_dcActive;
    std::unique_ptr<CFont> m_pFont;
};
