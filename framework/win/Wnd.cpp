#include "framework/win/Wnd.h"

#include <cstdio>
#include <exception>

#include "framework/win/WinApp.h"

CWnd::~CWnd() {
    if (m_hWnd) {
        HWND hWnd = m_hWnd;
        Detach();
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return hWnd ? reinterpret_cast<CWnd*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA)) : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const std::string& className, const char* title, DWORD style,
                    const RECT& rect, HWND parent, UINT id) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND hWnd = CreateWindowExA(exStyle, className.c_str(), title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, this);
    return hWnd != nullptr;
}

void CWnd::DestroyWindow() {
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

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
    return DefWindowProcA(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

MessageHandler CWnd::FindHandler(UINT message) const {
    for (const MessageTable* table = GetMessageTable(); table; table = table->base)
        for (size_t i = 0; i < table->count; ++i)
            if (table->entries[i].message == message)
                return table->entries[i].handler;
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
    if (MessageHandler handler = FindHandler(message))
        return (this->*handler)(wParam, lParam);
    return Default();
}

void CWnd::Detach() {
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = nullptr;
    if (message == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (wnd) {
            wnd->m_hWnd = hWnd;
            SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
        }
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

void ReportError(const char* text) {
    CWinApp* app = AfxGetApp();
    MessageBoxA(nullptr, text, app ? app->m_strAppName.c_str() : "Sorrowline",
                MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
