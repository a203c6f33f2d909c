#include "tests/windows/WinTestSupport.h"

void DeleteTestSettings() {
    const std::string path = std::string("Software\\") + kTestCompany + "\\" + kTestApplication;
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

CRegistrySection TestSection() { return CRegistrySection(kTestCompany, kTestApplication, kConfigSection); }

void StoreSettings(const SaverSettings& settings) {
    CRegistrySection section = TestSection();
    settings.Store(section);
}

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

void MoveCursorTo(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x - GetSystemMetrics(SM_XVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    input.mi.dy = MulDiv(y - GetSystemMetrics(SM_YVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
    // On a busy machine the display may still report the old place for a
    // while: the windows under the cursor hear of the move until it has
    // stood at the new place for two looks running.
    for (int look = 0, stillThere = 0; look < 60 && stillThere < 2; ++look) {
        PumpMessages();
        POINT at;
        GetCursorPos(&at);
        stillThere = at.x == x && at.y == y ? stillThere + 1 : 0;
    }
}

CHostWindow::CHostWindow(int clientWidth, int clientHeight) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SorrowlineTestHost";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassA(&wc);  // fails harmlessly once registered
    RECT rect = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW, FALSE);
    m_hWnd = CreateWindowExA(0, wc.lpszClassName, "Preview host", WS_OVERLAPPEDWINDOW, 0, 0,
                             rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

CHostWindow::~CHostWindow() {
    if (IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

void SaverWindowHolder::DestroySaver() {
    m_saver.reset();
    m_host.reset();
    PumpMessages();
    DeleteTestSettings();
}

CSaverWnd& SaverWindowHolder::CreateSaver(const SaverRunFlags& flags, const RECT& area, CStoreContext* store) {
    m_section = std::make_unique<CRegistrySection>(TestSection());
    m_saver = std::make_unique<CSaverWnd>(flags, *m_section, store ? *store : m_noStore);
    if (flags.preview) {
        m_host = std::make_unique<CHostWindow>(area.right - area.left, area.bottom - area.top);
        RECT client;
        GetClientRect(m_host->Handle(), &client);
        EXPECT_TRUE(m_saver->Create(0, 0, client, m_host->Handle(), 0));
    } else {
        EXPECT_TRUE(m_saver->Create(0, 0, area, nullptr, 101));
    }
    return *m_saver;
}

void Tick(const CScrollTextWnd& text) {
    SendMessageA(text.GetSafeHwnd(), WM_TIMER, CScrollTextWnd::kTimerId, 0);
}

bool TickToNewLine(const CScrollTextWnd& text) {
    for (int i = 0; i < 2000; ++i) {
        const RECT before = PlaceInParent(text);
        Tick(text);
        const RECT after = PlaceInParent(text);
        if (after.top > before.top || after.left > before.left)
            return true;
    }
    return false;
}

RECT PlaceInParent(const CScrollTextWnd& text) {
    RECT r;
    GetWindowRect(text.GetSafeHwnd(), &r);
    MapWindowPoints(nullptr, GetParent(text.GetSafeHwnd()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int CRecordingBoxes::Answer(HWND owner, const std::string& text, const std::string& title, UINT type) {
    m_shown.push_back({owner, text, title, type});
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL: return IDYES;
        default: return IDOK;
    }
}

HWND FindMenuWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND hWnd, LPARAM result) -> BOOL {
            char name[16] = "";
            GetClassNameA(hWnd, name, sizeof name);
            if (std::string(name) == "#32768" && IsWindowVisible(hWnd)) {
                *reinterpret_cast<HWND*>(result) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

RECT ScreenRectOf(HWND window) {
    RECT place = {};
    GetWindowRect(window, &place);
    return place;
}

RECT RectWithin(HWND window, HWND other) {
    RECT place = ScreenRectOf(window);
    MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}
