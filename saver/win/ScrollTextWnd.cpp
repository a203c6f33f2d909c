#include "saver/win/ScrollTextWnd.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "framework/base/Random.h"
#include "saver/core/SentenceGenerator.h"

std::string g_strFontList;
int g_nFonts = 0;

namespace {

constexpr size_t kFaceNameChars = LF_FACESIZE - 1;

int CALLBACK EnumFontProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM) {
    if (!(fontType & TRUETYPE_FONTTYPE))
        return 1;
    try {
        g_strFontList += font->lfFaceName;
        g_strFontList += ',';
        ++g_nFonts;
    } catch (const std::exception&) {
        return 0;  // out of memory: the faces so far will do
    }
    return 1;
}

void EnumerateTrueTypeFaces() {
    g_nFonts = 0;
    CClientDC screen(nullptr);
    LOGFONTA wanted = {};
    wanted.lfCharSet = ANSI_CHARSET;
    EnumFontFamiliesExA(screen.GetSafeHdc(), &wanted, reinterpret_cast<FONTENUMPROCA>(&EnumFontProc),
                        0, 0);
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

CScrollTextWnd::CScrollTextWnd(COLORREF bkgndCol, const SaverRunFlags& flags,
                               CProfileSection& settings, int areaHeight, CStoreContext& store)
    : m_runFlags(flags), m_settings(settings) {
    m_rcArea.bottom = areaHeight;  // Create sets the whole area
    SaverSettings values;
    values.Load(settings);
    m_flags = values.m_flags;
    m_bHorizontal = !values.Has(FlagVertical);
    m_bkgndCol = bkgndCol;
    const LineColours colours = FirstLineColours(values.m_textCol, m_bkgndCol, m_flags);
    m_textCol = colours.text;
    m_shadowCol = colours.shadow;
    if (values.Has(FlagRandomFont))
        EnumerateTrueTypeFaces();
    else
        CreateTextFont();
    m_bShadow = values.Has(FlagShadow);
    m_fStep = ScrollStep(values.m_scrollSpeed, Scale(), m_bHorizontal);
    m_strClass = RegisterWndClass(0, nullptr, m_bkgndCol, nullptr);
    m_pools.LoadPhrasePools(store);
}

CScrollTextWnd::~CScrollTextWnd() { FreePhrasePools(); }

DisplayScale CScrollTextWnd::Scale() const {
    return {m_runFlags.preview, Height(m_rcArea), GetSystemMetrics(SM_CYSCREEN), m_dpi};
}

bool CScrollTextWnd::Create(const RECT& rect, HWND parent, UINT id) {
    m_rcArea = rect;
    return CreateEx(0, m_strClass, "Preview", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id);
}

void CScrollTextWnd::FreePhrasePools() { m_pools.FreePhrasePools(); }

void CScrollTextWnd::NewSentence() { m_strText = ::NewSentence(m_pools, m_bHorizontal); }

void CScrollTextWnd::CreateTextFont() {
    m_font.DeleteObject();
    m_logFont = {};
    SaverSettings values;  // size and face are read anew for every line
    values.Load(m_settings);
    m_logFont.lfWeight = (m_flags & FlagBold) ? FW_BOLD : FW_NORMAL;
    m_logFont.lfItalic = (m_flags & FlagItalic) ? TRUE : FALSE;
    m_logFont.lfHeight = FontHeightTenths(values.m_strFontSize, Scale());
    const std::string face = (m_flags & FlagRandomFont) ? RandomFaceName() : values.FaceName();
    std::strncpy(m_logFont.lfFaceName, face.c_str(), kFaceNameChars);
    m_logFont.lfCharSet = ANSI_CHARSET;
    m_font.CreatePointFontIndirect(m_logFont);
}

std::string CScrollTextWnd::RandomFaceName() const {
    const int k = RandomInt(g_nFonts);
    return g_nFonts > 0 ? NameInList(g_strFontList, k) : std::string();
}

void CScrollTextWnd::TakeNewLineColours() {
    const LineColours colours = NewLineColours({m_textCol, m_shadowCol}, m_bkgndCol, m_flags);
    m_textCol = colours.text;
    m_shadowCol = colours.shadow;
}

const MessageTable* CScrollTextWnd::GetMessageTable() const {
    static const auto table = MessageTableOf<CScrollTextWnd>(CInputPassingWnd::GetMessageTable(), {
        OnMessage(WM_CREATE, &CScrollTextWnd::OnCreate),
        OnMessage(WM_CLOSE, &CScrollTextWnd::OnClose),
        OnTimerMessage(&CScrollTextWnd::OnTimer),
        OnPaintMessage(&CScrollTextWnd::OnPaint),
    });
    return &table;
}

LRESULT CScrollTextWnd::OnCreate() {
    const LRESULT result = Default();
    SetTimer(m_hWnd, kTimerId, kTimerInterval, nullptr);
    return result;
}

LRESULT CScrollTextWnd::OnClose() {
    KillTimer(m_hWnd, kTimerId);
    return Default();
}

void CScrollTextWnd::OnTimer(UINT_PTR timerId) {
    if (timerId == kTimerId)
        OnTick();
}

void CScrollTextWnd::OnTick() {
    RECT r;
    GetWindowRect(m_hWnd, &r);
    MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&r), 2);
    const TickMove move = AdvanceLine({r.left, r.top, Width(r), Height(r)}, static_cast<int>(m_fStep),
                                      Width(m_rcArea), Height(m_rcArea), m_bHorizontal);
    if (move.newLine) {
        CreateTextFont();
        TakeNewLineColours();
        NewSentence();
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    SetWindowPos(m_hWnd, nullptr, move.x, move.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(m_hWnd);
}

CScrollTextWnd::LineLayout CScrollTextWnd::MeasureLine(HDC hDC) const {
    const int shadow = ShadowOffset(m_logFont.lfHeight, m_dpi);
    LineLayout layout{};
    if (!m_bHorizontal) {
        RECT measured = {0, 0, Width(m_rcArea), Height(m_rcArea)};
        DrawTextA(hDC, m_strText.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        layout.drawRect = {0, 0, Width(m_rcArea), Height(measured)};
        layout.windowSize = {Width(m_rcArea), Height(measured) + shadow};
    } else {
        RECT measured = {0, 0, 0, 0};
        DrawTextA(hDC, m_strText.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
        layout.drawRect = {0, 0, Width(measured), Height(measured)};
        layout.windowSize = {Width(measured) + shadow, Height(measured) + shadow};
    }
    // An empty line measures 0 and, before the first font exists, has no
    // shadow: a window of no area is never painted again and would never
    // grow to fit the next line.
    layout.windowSize.cx = std::max<LONG>(layout.windowSize.cx, 1);
    layout.windowSize.cy = std::max<LONG>(layout.windowSize.cy, 1);
    return layout;
}

void CScrollTextWnd::Render(HDC hDC, const RECT& drawRect) const {
    if (m_bShadow) {
        const int shadow = ShadowOffset(m_logFont.lfHeight, m_dpi);
        RECT shadowRect = drawRect;
        OffsetRect(&shadowRect, shadow, shadow);
        SetTextColor(hDC, m_shadowCol);
        DrawTextA(hDC, m_strText.c_str(), -1, &shadowRect, DT_WORDBREAK | DT_CENTER);
    }
    RECT textRect = drawRect;
    SetTextColor(hDC, m_textCol);
    DrawTextA(hDC, m_strText.c_str(), -1, &textRect,
              m_bHorizontal ? DT_NOCLIP | DT_SINGLELINE : DT_NOCLIP | DT_WORDBREAK | DT_CENTER);
}

void CScrollTextWnd::OnPaint(HDC hDC) {
    SetBkMode(hDC, TRANSPARENT);
    CSelectGuard font(hDC, m_font.GetSafeHandle());
    const LineLayout layout = MeasureLine(hDC);
    SetWindowPos(m_hWnd, nullptr, 0, 0, layout.windowSize.cx, layout.windowSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Render(hDC, layout.drawRect);
}

