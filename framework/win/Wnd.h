#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

class CWnd;

// A window's table from message to handler. A handler returns the message's
// result; it calls Default() where the system's own handling should run too.
using MessageHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);

// Matches any control identifier or notification code.
constexpr UINT kAnyCode = 0xFFFFFFFFu;

struct MessageEntry {
    UINT message;
    UINT id;    // WM_COMMAND, WM_NOTIFY: the control or command; else kAnyCode
    UINT code;  // WM_COMMAND, WM_NOTIFY: the notification code; else kAnyCode
    MessageHandler handler;
};

struct MessageTable {
    const MessageTable* base;
    const MessageEntry* entries;
    size_t count;
};

template <class Window>
MessageEntry OnMessage(UINT message, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
    return {message, kAnyCode, kAnyCode, static_cast<MessageHandler>(handler)};
}

// A click on a button or a chosen menu item (WM_COMMAND, code 0).
template <class Window>
MessageEntry OnCommand(UINT id, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
    return {WM_COMMAND, id, 0, static_cast<MessageHandler>(handler)};
}

// A control's notification through WM_COMMAND, such as EN_CHANGE.
template <class Window>
MessageEntry OnControl(UINT code, UINT id, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
    return {WM_COMMAND, id, code, static_cast<MessageHandler>(handler)};
}

// A common control's notification through WM_NOTIFY, such as NM_DBLCLK.
template <class Window>
MessageEntry OnNotify(UINT code, UINT id, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
    return {WM_NOTIFY, id, code, static_cast<MessageHandler>(handler)};
}

// The base of every window of the program. The object and its HWND are
// linked in one place, a window property set when the window is created (the
// object rides in the create parameters) or subclassed, and removed at
// WM_NCDESTROY. No C++ exception leaves the window procedure: it is shown in
// a message box.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    bool CreateEx(DWORD exStyle, const std::string& className, const char* title, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    void DestroyWindow();

    // Puts this object in front of an existing window's procedure (a
    // control of a dialog template, say); the window's own procedure
    // becomes the default handling. Undone when the window is destroyed.
    void SubclassWindow(HWND hWnd);
    // Wraps a window without taking over its messages or its life: a
    // control that needs no handlers of its own.
    void Attach(HWND hWnd) { m_hWnd = hWnd; }

    // The object behind a window of this program, or null.
    static CWnd* FromHandle(HWND hWnd);

    // Registers (once per set of attributes) a window class whose procedure is
    // the framework's, and returns its name. The class keeps the brush.
    static std::string RegisterWndClass(UINT style, HCURSOR cursor, COLORREF background, HICON icon);

    // Thin calls on the window, for the program's convenience.
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    void EnableWindow(bool enable) { ::EnableWindow(m_hWnd, enable); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    void ShowWindow(int command) { ::ShowWindow(m_hWnd, command); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

    // A control's reply to its parent's WM_CTLCOLOR* question: a brush, or
    // null to leave the parent's answer standing.
    virtual HBRUSH CtlColor(HDC hDC);

protected:
    // The system's handling of the message being dispatched.
    LRESULT Default();
    // The message being dispatched, for a handler that serves several.
    UINT CurrentMessage() const { return m_current.message; }
    virtual const MessageTable* GetMessageTable() const { return nullptr; }
    // After the window is gone; the object still exists.
    virtual void PostNcDestroy() {}
    // The window was made for this object and goes when the object goes.
    void OwnWindow() { m_bOwnsWindow = true; }

    HWND m_hWnd = nullptr;

private:
    struct Message {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    MessageHandler FindHandler(UINT message, WPARAM wParam, LPARAM lParam) const;
    void Link(HWND hWnd);
    void Detach();

    Message m_current;
    WNDPROC m_pfnSuper = nullptr;  // a subclassed window's own procedure
    bool m_bOwnsWindow = false;
};

// Shows an error that reached the framework; the program's name as title.
void ReportError(const char* text);
