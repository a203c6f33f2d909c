#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/profile/ProfileSection.h"
#include "framework/win/Wnd.h"
#include "saver/core/SaverCloseRule.h"
#include "saver/core/SaverRunFlags.h"

class CScrollTextWnd;
class CStoreContext;

// The outer saver window: the background colour over the whole screen (or
// over the preview window's client area), no cursor, and the one place that
// asks whether input ends the saver. Its only child scrolls the text.
class CSaverWnd : public CWnd {
public:
    // Reads the settings and chooses the background colour. The phrases
    // come from the store.
    CSaverWnd(const SaverRunFlags& flags, CProfileSection& settings, CStoreContext& store);
    ~CSaverWnd() override;

    // Full screen: a top-most borderless popup. Preview: a child of parent.
    virtual bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id);

    COLORREF BackgroundColour() const { return m_bkgndCol; }
    CScrollTextWnd* TextWindow() const { return m_pTextWnd.get(); }

protected:
    const MessageTable* GetMessageTable() const override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT keys, POINT point);
    void OnButtonDown(UINT keys, POINT point);
    void OnKeyDown();
    void OnSysKeyDown();
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose();
    void OnPaint(HDC hDC);

    bool IsFullScreen() const { return !m_flags.preview; }
    // Posts a close request when the input ends this saver.
    void CloseIf(const SaverInput& input);

    SaverRunFlags m_flags;
    CProfileSection& m_settings;
    CStoreContext& m_store;
    std::string m_strClass;
    COLORREF m_bkgndCol = 0;
    CSaverCloseRule m_closeRule;
    bool m_bCursorHidden = false;
    std::unique_ptr<CScrollTextWnd> m_pTextWnd;
};
