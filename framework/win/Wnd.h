#pragma once
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

class CWnd;

// Matches any control identifier or notification code.
constexpr UINT kAnyCode = 0xFFFFFFFFu;

// A handler of any window class and signature, kept as the bytes of a
// pointer to a member of CWnd; only the invoker made with it knows its real
// signature. (Pointers to members of one class all have the same size.)
struct AnyHandler {
    alignas(void (CWnd::*)()) unsigned char bytes[sizeof(void (CWnd::*)())];
};
using MessageInvoker = LRESULT (*)(CWnd& wnd, AnyHandler handler, WPARAM wParam, LPARAM lParam);

// One line of a window's table from message to handler, made by the
// functions below (OnCommand, OnNotify, OnMessage...). A handler that
// returns nothing answers 0; one that needs the system's own handling as
// well calls Default().
struct MessageEntry {
    UINT message;
    UINT id;    // WM_COMMAND, WM_NOTIFY: the control or command; else kAnyCode
    UINT code;  // WM_COMMAND, WM_NOTIFY: the notification code; else kAnyCode
    AnyHandler handler;
    MessageInvoker invoke;
};

// A window's entries, then its base class's table.
struct MessageTable {
    const MessageTable* base;
    const MessageEntry* entries;
    size_t count;
};

// A table that holds its own entries:
//   static const auto table = MessageTableOf<CMyDlg>(CTiledDialog::GetMessageTable(), {...});
class COwnedMessageTable : public MessageTable {
public:
    COwnedMessageTable(const MessageTable* baseTable, std::initializer_list<MessageEntry> list)
        : MessageTable{baseTable, nullptr, 0}, m_entries(list) {
        entries = m_entries.data();
        count = m_entries.size();
    }
    COwnedMessageTable(const COwnedMessageTable&) = delete;
    COwnedMessageTable& operator=(const COwnedMessageTable&) = delete;

private:
    std::vector<MessageEntry> m_entries;
};

template <class Window>
COwnedMessageTable MessageTableOf(const MessageTable* base, std::initializer_list<MessageEntry> entries) {
    static_assert(std::is_base_of<CWnd, Window>::value, "a table belongs to a window class");
    return {base, entries};
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
    const MessageEntry* FindEntry(UINT message, WPARAM wParam, LPARAM lParam) const;
    void Link(HWND hWnd);
    void Detach();

    Message m_current;
    WNDPROC m_pfnSuper = nullptr;  // a subclassed window's own procedure
    bool m_bOwnsWindow = false;
};

// Shows an error that reached the framework; the program's name as title.
void ReportError(const char* text);

// How entries keep and call their handlers.
namespace message_detail {

template <class Window, class R, class... Args>
AnyHandler Erase(R (Window::*handler)(Args...)) {
    static_assert(std::is_base_of<CWnd, Window>::value, "a handler belongs to a window class");
    const auto member = static_cast<R (CWnd::*)(Args...)>(handler);
    static_assert(sizeof member == sizeof(AnyHandler), "pointers to members of CWnd differ in size");
    AnyHandler erased;
    std::memcpy(erased.bytes, &member, sizeof member);
    return erased;
}

template <class R, class... Args>
LRESULT Call(CWnd& wnd, AnyHandler handler, Args... args) {
    R (CWnd::*member)(Args...);
    std::memcpy(&member, handler.bytes, sizeof member);
    if constexpr (std::is_void<R>::value) {
        (wnd.*member)(args...);
        return 0;
    } else {
        return static_cast<LRESULT>((wnd.*member)(args...));
    }
}

template <class R>
LRESULT CallRaw(CWnd& wnd, AnyHandler handler, WPARAM wParam, LPARAM lParam) {
    return Call<R, WPARAM, LPARAM>(wnd, handler, wParam, lParam);
}

template <class R>
LRESULT CallCommand(CWnd& wnd, AnyHandler handler, WPARAM, LPARAM) {
    return Call<R>(wnd, handler);
}

template <class R>
LRESULT CallCommandWithId(CWnd& wnd, AnyHandler handler, WPARAM wParam, LPARAM) {
    return Call<R, UINT>(wnd, handler, LOWORD(wParam));
}

template <class R, class Notification>
LRESULT CallNotify(CWnd& wnd, AnyHandler handler, WPARAM, LPARAM lParam) {
    return Call<R, const Notification&>(wnd, handler, *reinterpret_cast<const Notification*>(lParam));
}

template <class R>
LRESULT CallTimer(CWnd& wnd, AnyHandler handler, WPARAM wParam, LPARAM) {
    return Call<R, UINT_PTR>(wnd, handler, static_cast<UINT_PTR>(wParam));
}

// Client coordinates are signed: left of or above the window they are negative.
template <class R>
LRESULT CallMouse(CWnd& wnd, AnyHandler handler, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return Call<R, UINT, POINT>(wnd, handler, static_cast<UINT>(wParam), point);
}

LRESULT CallPaint(CWnd& wnd, AnyHandler handler, WPARAM, LPARAM);

}  // namespace message_detail

// Any message, its parameters as they come: LRESULT OnX(WPARAM, LPARAM).
template <class Window>
MessageEntry OnMessage(UINT message, LRESULT (Window::*handler)(WPARAM, LPARAM)) {
    return {message, kAnyCode, kAnyCode, message_detail::Erase(handler),
            &message_detail::CallRaw<LRESULT>};
}

// Any message whose parameters the handler does not need: void or LRESULT OnX().
template <class Window, class R>
MessageEntry OnMessage(UINT message, R (Window::*handler)()) {
    return {message, kAnyCode, kAnyCode, message_detail::Erase(handler),
            &message_detail::CallCommand<R>};
}

// A click on a button or a chosen menu item (WM_COMMAND, code 0):
// void OnX(), or void OnX(UINT id) for a handler that serves several.
template <class Window>
MessageEntry OnCommand(UINT id, void (Window::*handler)()) {
    return {WM_COMMAND, id, 0, message_detail::Erase(handler), &message_detail::CallCommand<void>};
}
template <class Window>
MessageEntry OnCommand(UINT id, void (Window::*handler)(UINT)) {
    return {WM_COMMAND, id, 0, message_detail::Erase(handler),
            &message_detail::CallCommandWithId<void>};
}

// A control's notification through WM_COMMAND, such as EN_CHANGE: void
// OnX(), or void OnX(UINT id).
template <class Window>
MessageEntry OnControl(UINT code, UINT id, void (Window::*handler)()) {
    return {WM_COMMAND, id, code, message_detail::Erase(handler), &message_detail::CallCommand<void>};
}
template <class Window>
MessageEntry OnControl(UINT code, UINT id, void (Window::*handler)(UINT)) {
    return {WM_COMMAND, id, code, message_detail::Erase(handler),
            &message_detail::CallCommandWithId<void>};
}

// A common control's notification through WM_NOTIFY, handed over as the
// structure that comes with it: OnNotify<NMLISTVIEW>(IDC_LIST,
// LVN_COLUMNCLICK, &T::OnColumnClick) with void or LRESULT
// OnColumnClick(const NMLISTVIEW&).
template <class Notification, class Window, class R>
MessageEntry OnNotify(UINT id, UINT code, R (Window::*handler)(const Notification&)) {
    return {WM_NOTIFY, id, code, message_detail::Erase(handler),
            &message_detail::CallNotify<R, Notification>};
}

// WM_TIMER: void OnTimer(UINT_PTR timerId).
template <class Window, class R>
MessageEntry OnTimerMessage(R (Window::*handler)(UINT_PTR)) {
    return {WM_TIMER, kAnyCode, kAnyCode, message_detail::Erase(handler),
            &message_detail::CallTimer<R>};
}

// A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN...): void or LRESULT
// OnX(UINT keys, POINT client), keys the MK_ flags.
template <class Window, class R>
MessageEntry OnMouseMessage(UINT message, R (Window::*handler)(UINT, POINT)) {
    return {message, kAnyCode, kAnyCode, message_detail::Erase(handler),
            &message_detail::CallMouse<R>};
}

// WM_PAINT between BeginPaint and EndPaint: void OnPaint(HDC hDC).
template <class Window>
MessageEntry OnPaintMessage(void (Window::*handler)(HDC)) {
    return {WM_PAINT, kAnyCode, kAnyCode, message_detail::Erase(handler), &message_detail::CallPaint};
}

