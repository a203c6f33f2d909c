#pragma once
#include <windows.h>

#include <memory>

#include "framework/profile/ProfileSection.h"
#include "saver/win/InputPassingWnd.h"
#include "saver/core/SaverRunFlags.h"

class CScrollTextWnd;
class CStoreContext;

// One monitor's part of the saver window (or the whole preview): its
// background and the sentence that scrolls over it, clipped to it so that a
// line never spills onto the next monitor. Input on it, and input its text
// window passes on, goes on to the saver window, which alone decides.
class CSentenceAreaWnd : public CInputPassingWnd {
public:
    // The text window is made (settings read, phrases loaded) with the window.
    CSentenceAreaWnd(COLORREF bkgndCol, const SaverRunFlags& flags, CProfileSection& settings,
                     CStoreContext& store);
    ~CSentenceAreaWnd() override;

    // rect in the saver window's client coordinates.
    bool Create(const RECT& rect, HWND saver);
    CScrollTextWnd* TextWindow() const { return m_pTextWnd.get(); }

protected:
    const MessageTable* GetMessageTable() const override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose();
    void OnPaint(HDC hDC);

    COLORREF m_bkgndCol;
    SaverRunFlags m_flags;
    CProfileSection& m_settings;
    CStoreContext& m_store;
    std::string m_strClass;
    std::unique_ptr<CScrollTextWnd> m_pTextWnd;
};
