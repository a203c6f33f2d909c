#pragma once
#include <windows.h>

#include <string>

#include "saver/core/SaverSettings.h"
#include "framework/profile/ProfileSection.h"
#include "framework/win/Gdi.h"
#include "saver/win/InputPassingWnd.h"
#include "saver/core/DisplayRules.h"
#include "saver/core/PhrasePools.h"
#include "saver/core/SaverRunFlags.h"

// The child of a sentence area of the saver window that shows the line:
// exactly as large as its text, it moves itself up (or left) by a fixed step
// on every tick, and once it has left the area it comes back at the far edge
// with a new sentence, a new font and, if so set, a new colour.
class CScrollTextWnd : public CInputPassingWnd {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerInterval = 55;

    // Reads the settings, prepares the font, computes the step and loads the
    // phrase pools from the store. areaHeight is the height of the area it will cover.
    CScrollTextWnd(COLORREF bkgndCol, const SaverRunFlags& flags, CProfileSection& settings,
                   int areaHeight, CStoreContext& store);
    ~CScrollTextWnd() override;

    virtual bool Create(const RECT& rect, HWND parent, UINT id);
    virtual void FreePhrasePools();
    virtual void NewSentence();

    // Draws the line with its shadow into drawRect of a DC whose font and
    // background mode are set; every painting of the line goes through here.
    void Render(HDC hDC, const RECT& drawRect) const;

    float Step() const { return m_fStep; }
    const LOGFONTA& LogFont() const { return m_logFont; }
    HFONT Font() const { return m_font.GetSafeHandle(); }
    COLORREF TextColour() const { return m_textCol; }
    COLORREF ShadowColour() const { return m_shadowCol; }
    bool IsHorizontal() const { return m_bHorizontal; }
    const std::string& Text() const { return m_strText; }
    const CPhrasePools& Pools() const { return m_pools; }

protected:
    const MessageTable* GetMessageTable() const override;

    void CreateTextFont();
    // A new random text colour (and shadow) for the next line, if so set.
    void TakeNewLineColours();

private:
    struct LineLayout {
        RECT drawRect;
        SIZE windowSize;
    };

    LRESULT OnCreate();
    LRESULT OnClose();
    void OnTimer(UINT_PTR timerId);
    void OnPaint(HDC hDC);

    void OnTick();
    LineLayout MeasureLine(HDC hDC) const;
    DisplayScale Scale() const;
    std::string RandomFaceName() const;

    SaverRunFlags m_runFlags;
    CProfileSection& m_settings;
    std::string m_strClass;
    uint32_t m_flags = 0;
    bool m_bHorizontal = false;
    bool m_bShadow = false;
    COLORREF m_bkgndCol = 0;
    COLORREF m_textCol = 0;
    COLORREF m_shadowCol = 0;
    float m_fStep = 1;
    LOGFONTA m_logFont = {};
    int m_dpi = ScreenDpi();  // fonts are measured at it; the shadow and the step grow with it
    CFont m_font;
    RECT m_rcArea = {0, 0, 0, 0};
    std::string m_strText;
    CPhrasePools m_pools;
};

// Face names of the installed TrueType fonts, each followed by ",", as the
// latest enumerations delivered them, and how many the latest one added.
extern std::string g_strFontList;
extern int g_nFonts;
