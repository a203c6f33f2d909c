#include "manager/OwnCaptionBar.h"

#include <cstring>

#include "manager/core/OwnCaption.h"

namespace {

constexpr char kCaptionName[] = "Sorrowline";
constexpr char kCaptionFace[] = "Courier New";

bool SystemUsesOwnCaption() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && UsesOwnCaption(version.dwMajorVersion, version.dwMinorVersion);
}

// Where the own title bar goes in the window, from the system's measures.
struct CaptionPlace {
    int frameX;     // SM_CXDLGFRAME
    int frameY;     // SM_CYDLGFRAME
    int height;     // SM_CYCAPTION - SM_CYBORDER
    RECT caption;   // the bar up to the three caption buttons
    int copyWidth;  // what Paint copies
};

CaptionPlace MeasureCaption(HWND hWnd) {
    RECT window;
    GetWindowRect(hWnd, &window);
    const int width = window.right - window.left;
    const int buttons = 3 * GetSystemMetrics(SM_CXSIZE);
    CaptionPlace place;
    place.frameX = GetSystemMetrics(SM_CXDLGFRAME);
    place.frameY = GetSystemMetrics(SM_CYDLGFRAME);
    place.height = GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER);
    place.caption = {place.frameX, place.frameY, width - buttons - place.frameX,
                     place.height + 1 + place.frameY};
    place.copyWidth = width - buttons - 2 * place.frameX + 1;
    return place;
}

void FillSolid(HDC hDC, const RECT& rect, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(hDC, &rect, brush.GetSafeHandle());
}

}  // namespace

COwnCaptionBar::COwnCaptionBar() : m_bInUse(SystemUsesOwnCaption()) {}

void COwnCaptionBar::Build(HWND hWnd, HICON smallIcon) {
    if (!hWnd)
        return;
    CWindowDC window(hWnd);
    if (!window.GetSafeHdc())
        return;
    m_dcActive.DeleteDC();
    m_dcInactive.DeleteDC();
    m_pActiveBitmap.reset();
    m_pInactiveBitmap.reset();
    m_pFont.reset();

    LOGFONTA name = {};
    name.lfHeight = static_cast<LONG>(0.9 * MeasureCaption(hWnd).height);
    name.lfWeight = FW_BOLD;
    std::strcpy(name.lfFaceName, kCaptionFace);
    m_pFont = std::make_unique<CFont>();
    m_pFont->Attach(CreateFontIndirectA(&name));

    // A palette display gets a flat bar.
    const bool flat = GetDeviceCaps(window.GetSafeHdc(), NUMCOLORS) != -1;
    BuildState(hWnd, window.GetSafeHdc(), true, flat, smallIcon);
    BuildState(hWnd, window.GetSafeHdc(), false, flat, smallIcon);
}

void COwnCaptionBar::BuildState(HWND hWnd, HDC window, bool active, bool flat, HICON smallIcon) {
    const CaptionPlace place = MeasureCaption(hWnd);
    const CaptionColours look =
        active ? CaptionLook(flat, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT))
               : CaptionLook(flat, GetSysColor(COLOR_INACTIVECAPTION), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    CMemoryDC& dc = active ? m_dcActive : m_dcInactive;
    std::unique_ptr<CBitmap>& bitmap = active ? m_pActiveBitmap : m_pInactiveBitmap;
    dc.CreateCompatibleDC(window);
    bitmap = std::make_unique<CBitmap>(CreateCompatibleBitmap(window, place.caption.right, place.caption.bottom));
    HDC hDC = dc.GetSafeHdc();
    SelectObject(hDC, bitmap->GetSafeHandle());

    FillSolid(hDC, place.caption, look.caption);
    const int width = place.caption.right - place.caption.left;
    for (const CaptionBand& band : CaptionBands(place.caption.left, width, look.caption, look.end))
        FillSolid(hDC, {band.left, place.frameY, band.right, place.frameY + place.height}, band.colour);

    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, look.text);
    const int iconWidth = GetSystemMetrics(SM_CXSMICON);
    DrawIconEx(hDC, place.frameX + 2, place.frameY, smallIcon, iconWidth, GetSystemMetrics(SM_CYSMICON), 0,
               nullptr, DI_NORMAL);
    CSelectGuard font(hDC, m_pFont->GetSafeHandle());
    SetTextAlign(hDC, TA_LEFT | TA_TOP);
    TextOutA(hDC, place.frameX + 2 + iconWidth, place.frameY, kCaptionName,
             static_cast<int>(std::strlen(kCaptionName)));
}

void COwnCaptionBar::Paint(HWND hWnd) const {
    if (!hWnd || !m_bInUse)
        return;
    HDC source = DC(m_bActive);
    const CaptionPlace place = MeasureCaption(hWnd);
    if (!source || place.copyWidth <= 0)
        return;  // not built yet, or no room left of the buttons
    CWindowDC window(hWnd);
    BitBlt(window.GetSafeHdc(), place.frameX, place.frameY, place.copyWidth, place.height, source, place.frameX,
           place.frameY, SRCCOPY);
}
