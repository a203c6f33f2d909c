#include "saver/win/SentenceAreaWnd.h"

#include "saver/win/ScrollTextWnd.h"

namespace {

constexpr UINT kTextWindowId = 101;

}  // namespace

CSentenceAreaWnd::CSentenceAreaWnd(COLORREF bkgndCol, const SaverRunFlags& flags, CProfileSection& settings,
                                   CStoreContext& store)
    : m_bkgndCol(bkgndCol), m_flags(flags), m_settings(settings), m_store(store) {
    m_strClass = RegisterWndClass(0, nullptr, m_bkgndCol, nullptr);
}

CSentenceAreaWnd::~CSentenceAreaWnd() = default;

bool CSentenceAreaWnd::Create(const RECT& rect, HWND saver) {
    return CreateEx(0, m_strClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, saver, 0);
}

const MessageTable* CSentenceAreaWnd::GetMessageTable() const {
    static const auto table = MessageTableOf<CSentenceAreaWnd>(CInputPassingWnd::GetMessageTable(), {
        OnMessage(WM_CREATE, &CSentenceAreaWnd::OnCreate),
        OnMessage(WM_CLOSE, &CSentenceAreaWnd::OnClose),
        OnPaintMessage(&CSentenceAreaWnd::OnPaint),
    });
    return &table;
}

LRESULT CSentenceAreaWnd::OnCreate(WPARAM, LPARAM lParam) {
    if (Default() == -1)
        return -1;
    const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    m_pTextWnd = std::make_unique<CScrollTextWnd>(m_bkgndCol, m_flags, m_settings, cs->cy, m_store);
    // The text window's area is this window's whole client area.
    const RECT area = {0, 0, cs->cx, cs->cy};
    m_pTextWnd->Create(area, m_hWnd, kTextWindowId);
    return 0;
}

// The text window stops its timer before the windows go.
LRESULT CSentenceAreaWnd::OnClose() {
    if (m_pTextWnd && m_pTextWnd->GetSafeHwnd())
        ::SendMessageA(m_pTextWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return Default();
}

// The class brush paints the background; the text window draws itself.
void CSentenceAreaWnd::OnPaint(HDC) {}
