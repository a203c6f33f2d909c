#include "framework/win/Wnd.h"

#include <cstdio>
#include <exception>
#include <vector>

#include "framework/win/Gdi.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinApp.h"

namespace {

// The window property that carries the object of a window of ours.
constexpr char kObjectProperty[] = "Sorrowline.CWnd";

bool IsAnyOrEqual(UINT wanted, UINT actual) { return wanted == kAnyCode || wanted == actual; }

}  // namespace

CWnd::~CWnd() {
    if (!m_hWnd)
        return;
    HWND hWnd = m_hWnd;
    const bool owns = m_bOwnsWindow;
    if (m_pfnSuper || owns)
        Detach();
    m_hWnd = nullptr;
    if (owns)
        ::DestroyWindow(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty)) : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const std::string& className, const char* title, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_bOwnsWindow = true;
    HWND hWnd = CreateWindowExA(exStyle, className.c_str(), title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, this);
    return hWnd != nullptr;
}

void CWnd::DestroyWindow() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void CWnd::Link(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProperty, this);
}

void CWnd::SubclassWindow(HWND hWnd) {
    Link(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
}

std::string CWnd::GetWindowText() const {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

HBRUSH CWnd::CtlColor(HDC) { return nullptr; }

std::string CWnd::RegisterWndClass(UINT style, HCURSOR cursor, COLORREF background, HICON icon) {
    char name[96];
    std::snprintf(name, sizeof(name), "Sorrowline:%x:%p:%06lx:%p", style, static_cast<void*>(cursor),
                  static_cast<unsigned long>(background), static_cast<void*>(icon));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing))
        return name;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = &CWnd::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hIcon = icon;
    wc.hbrBackground = CreateSolidBrush(background);
    wc.lpszClassName = name;
    if (!RegisterClassA(&wc))
        DeleteObject(wc.hbrBackground);
    return name;
}

LRESULT CWnd::Default() {
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, m_current.message, m_current.wParam,
                               m_current.lParam);
    return DefWindowProcA(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

const MessageEntry* CWnd::FindEntry(UINT message, WPARAM wParam, LPARAM lParam) const {
    UINT id = kAnyCode, code = kAnyCode;
    if (message == WM_COMMAND) {
        id = LOWORD(wParam);
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        id = static_cast<UINT>(header->idFrom);
        code = header->code;
    }
    for (const MessageTable* table = GetMessageTable(); table; table = table->base)
        for (size_t i = 0; i < table->count; ++i) {
            const MessageEntry& entry = table->entries[i];
            if (entry.message == message && IsAnyOrEqual(entry.id, id) &&
                IsAnyOrEqual(entry.code, code))
                return &entry;
        }
    return nullptr;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // Handlers may send messages to themselves: the outer message is current
    // again afterwards, also when the inner handler throws.
    struct RestoreOuter {
        Message& current;
        const Message outer;
        ~RestoreOuter() { current = outer; }
    } restore{m_current, m_current};
    m_current = {message, wParam, lParam};
    if (const MessageEntry* entry = FindEntry(message, wParam, lParam))
        return entry->invoke(*this, entry->handler, wParam, lParam);
    return Default();
}

void CWnd::Detach() {
    if (!m_hWnd)
        return;
    RemovePropA(m_hWnd, kObjectProperty);
    if (m_pfnSuper) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = nullptr;
    if (message == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (wnd)
            wnd->Link(hWnd);
    } else {
        wnd = FromHandle(hWnd);
    }
    if (!wnd)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = wnd->Dispatch(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("An unexpected error occurred.");
    }
    if (message == WM_NCDESTROY) {
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT message_detail::CallPaint(CWnd& wnd, AnyHandler handler, WPARAM, LPARAM) {
    CPaintDC dc(wnd.GetSafeHwnd());
    return Call<void, HDC>(wnd, handler, dc.GetSafeHdc());
}

void ReportError(const char* text) {
    CWinApp* app = AfxGetApp();
    ShowMessageBox(nullptr, text, app ? app->m_strAppName : "Sorrowline", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
