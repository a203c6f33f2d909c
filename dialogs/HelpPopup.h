#pragma once
#include <windows.h>

#include <string>

#include "framework/win/Wnd.h"

// A context help topic in a small window beside the control it explains.
// The next click or key press, anywhere, closes it. One is open at a time.
class CHelpPopup : public CWnd {
public:
    // Opens the pop-up with text beside control, closing any other first.
    static void Show(const std::string& text, HWND control);
    // The open pop-up, or null.
    static CHelpPopup* Current();
    static void CloseCurrent();

    const std::string& Text() const { return m_strText; }

protected:
    const MessageTable* GetMessageTable() const override;
    void PostNcDestroy() override;

private:
    explicit CHelpPopup(std::string text) : m_strText(std::move(text)) {}
    bool Open(HWND control);
    SIZE MeasureText() const;

    void OnPaint(HDC hDC);
    void OnDismiss();
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);

    std::string m_strText;
};
