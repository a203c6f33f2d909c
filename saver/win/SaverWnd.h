#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/profile/ProfileSection.h"
#include "framework/win/Wnd.h"
#include "saver/core/MonitorLayout.h"
#include "saver/core/SaverCloseRule.h"
#include "saver/core/SaverRunFlags.h"

class CScrollTextWnd;
class CSentenceAreaWnd;
class CStoreContext;

// The outer saver window: the background colour over every monitor (or over
// the preview window's client area), no cursor, and the one place that asks
// whether input ends the saver. A child per sentence area scrolls a line:
// the primary monitor's, or every monitor's when so set.
class CSaverWnd : public CWnd {
public:
    // Reads the settings and chooses the background colour. The phrases
    // come from the store.
    CSaverWnd(const SaverRunFlags& flags, CProfileSection& settings, CStoreContext& store);
    ~CSaverWnd() override;

    // Full screen: a top-most borderless popup. Preview: a child of parent.
    virtual bool Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id);
    // Full screen over every monitor of the desktop, gaps between them included.
    bool CreateFullScreen(UINT id);

    COLORREF BackgroundColour() const { return m_bkgndCol; }
    // The primary monitor's text window (the preview's only one).
    CScrollTextWnd* TextWindow() const { return TextWindow(0); }
    // The text window of sentence area i, the primary monitor's first; null past the last.
    CScrollTextWnd* TextWindow(size_t i) const;
    size_t SentenceAreaCount() const { return m_areas.size(); }

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
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose();
    void OnPaint(HDC hDC);

    // One sentence area child over each rectangle (client coordinates),
    // in place of the ones there were.
    void MakeSentenceAreas(const std::vector<PixelRect>& areas);
    // The areas of this window where it stands now, over the monitors as they are now.
    std::vector<PixelRect> CurrentSentenceAreas() const;

    bool IsFullScreen() const { return !m_flags.preview; }
    // Mouse movement counts from where the cursor stands now.
    void CountMovesFromTheCursor();
    // Posts a close request when the input ends this saver.
    void CloseIf(const SaverInput& input);

    SaverRunFlags m_flags;
    CProfileSection& m_settings;
    CStoreContext& m_store;
    std::string m_strClass;
    COLORREF m_bkgndCol = 0;
    CSaverCloseRule m_closeRule;
    bool m_bAllMonitors = false;
    bool m_bCursorHidden = false;
    std::vector<std::unique_ptr<CSentenceAreaWnd>> m_areas;
};
