#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

class CWnd;

// A window's table from message to handler. A handler returns the message's
// result; it calls Default() where the system's own handling should run too.
using MessageHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);

struct MessageEntry {
    UINT message;
    MessageHandler handler;
};

struct MessageTable {
    const MessageTable* base;
    const MessageEntry* entries;
    size_t count;
};

template <class Window>
MessageEntry OnMessage(UINT message, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
    return {message, static_cast<MessageHandler>(handler)};
}

// The base of every window of the program. The object and its HWND are
// linked in one place: the object rides in the create parameters and is kept
// in the window's user data from WM_NCCREATE to WM_NCDESTROY. No C++
// exception leaves the window procedure: it is shown in a message box.
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

    // The object behind a window of this program, or null.
    static CWnd* FromHandle(HWND hWnd);

    // Registers (once per set of attributes) a window class whose procedure is
    // the framework's, and returns its name. The class keeps the brush.
    static std::string RegisterWndClass(UINT style, HCURSOR cursor, COLORREF background, HICON icon);

protected:
    // The system's handling of the message being dispatched.
    LRESULT Default();
    virtual const MessageTable* GetMessageTable() const { return nullptr; }
    // After the window is gone; the object still exists.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;

private:
    struct Message {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    MessageHandler FindHandler(UINT message) const;
    void Detach();

    Message m_current;
};

// Shows an error that reached the framework; the program's name as title.
void ReportError(const char* text);
