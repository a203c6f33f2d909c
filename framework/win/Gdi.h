#pragma once
#include <windows.h>

// Small owners and guards for GDI resources, one job each. Destructors
// release and never throw.

// BeginPaint .. EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(BeginPaint(hWnd, &m_ps)) {}
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC GetSafeHdc() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

// The screen's device context, or a window's (GetDC .. ReleaseDC).
class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
    ~CClientDC() {
        if (m_hDC)
            ReleaseDC(m_hWnd, m_hDC);
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    HDC GetSafeHdc() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// The device context of a whole window, title bar and frame included
// (GetWindowDC .. ReleaseDC).
class CWindowDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetWindowDC(hWnd)) {}
    ~CWindowDC() {
        if (m_hDC)
            ReleaseDC(m_hWnd, m_hDC);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC GetSafeHdc() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// Selects an object into a DC and puts the previous one back.
class CSelectGuard {
public:
    CSelectGuard(HDC hDC, HGDIOBJ object)
        : m_hDC(hDC), m_previous(object ? SelectObject(hDC, object) : nullptr) {}
    ~CSelectGuard() {
        if (m_previous)
            SelectObject(m_hDC, m_previous);
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_previous;
};

// An owned GDI object (font, bitmap, brush), deleted with its owner.
template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    void Attach(Handle handle) {
        DeleteObject();
        m_handle = handle;
    }
    void DeleteObject() {
        if (m_handle)
            ::DeleteObject(m_handle);
        m_handle = nullptr;
    }
    Handle GetSafeHandle() const { return m_handle; }

private:
    Handle m_handle = nullptr;
};

class CFont : public CGdiObject<HFONT> {
public:
    // A font from a description whose height is in tenths of a point, for the
    // screen (or the given DC).
    bool CreatePointFontIndirect(const LOGFONTA& logFont, HDC hDC = nullptr);
};

using CBitmap = CGdiObject<HBITMAP>;

// A memory DC that owns its device (CreateCompatibleDC .. DeleteDC).
class CMemoryDC {
public:
    CMemoryDC() = default;
    ~CMemoryDC() { DeleteDC(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    bool CreateCompatibleDC(HDC hDC) {
        DeleteDC();
        m_hDC = ::CreateCompatibleDC(hDC);
        return m_hDC != nullptr;
    }
    void DeleteDC() {
        if (m_hDC)
            ::DeleteDC(m_hDC);
        m_hDC = nullptr;
    }
    HDC GetSafeHdc() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
};

// The screen's dots per inch (96 at 100 %), as fonts in points are measured.
int ScreenDpi();

// Icon iconId drawn for the screen: size is its side at 96 DPI (16 small,
// 32 large), taken at the screen's DPI from the sizes the icon carries, so
// that none is stretched. The caller destroys it (DestroyIcon).
HICON LoadIconForScreen(HINSTANCE instance, UINT iconId, int size);
