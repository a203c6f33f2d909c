#include "tests/windows/DialogTestSupport.h"

#include <iterator>
#include <vector>

#include <commctrl.h>

#include "dialogs/HelpPopup.h"
#include "framework/win/WinApp.h"
#include "store/PhraseRec.h"
#include "store/Schema.h"

namespace {

constexpr char kCompany[] = "Tallix";

std::function<void()>& PendingModalAction() {
    static std::function<void()> action;
    return action;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::function<void()> action = std::move(PendingModalAction());
    PendingModalAction() = nullptr;
    if (action)
        action();
}

struct MenuWatch {
    std::function<void(HWND)> action;
    HWND skip = nullptr;
    int looksLeft = 0;
    UINT_PTR timer = 0;
};
constexpr int kMenuLookMs = 20;

MenuWatch& TheMenuWatch() {
    static MenuWatch watch;
    return watch;
}

void CALLBACK LookForMenu(HWND, UINT, UINT_PTR, DWORD) {
    MenuWatch& watch = TheMenuWatch();
    HWND menu = FindMenuWindow();
    const bool shown = menu && menu != watch.skip;
    if (!shown && --watch.looksLeft > 0)
        return;
    KillTimer(nullptr, watch.timer);
    watch.timer = 0;
    std::function<void(HWND)> action = std::move(watch.action);
    watch.action = nullptr;
    if (shown && action)
        action(menu);  // may watch for the next menu
}

}  // namespace

void RunWhenMenuShows(std::function<void(HWND menu)> action, int patienceMs, HWND skip) {
    MenuWatch& watch = TheMenuWatch();
    if (watch.timer)
        KillTimer(nullptr, watch.timer);
    watch.action = std::move(action);
    watch.skip = skip;
    watch.looksLeft = patienceMs / kMenuLookMs + 1;
    watch.timer = SetTimer(nullptr, 0, kMenuLookMs, &LookForMenu);
}

bool MenuWatchPending() {
    return TheMenuWatch().timer != 0;
}

namespace {

void DeleteDialogTestSettings() {
    const std::string path = std::string("Software\\") + kCompany + "\\" + ProgramBaseName();
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

void SendKeyChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(KeyInput(key, 0));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        inputs.push_back(KeyInput(*key, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void RunInModalLoop(std::function<void()> action) {
    PendingModalAction() = std::move(action);
    SetTimer(nullptr, 0, 50, &RunPendingAction);
}

void DialogTest::SetUp() {
    DeleteDialogTestSettings();
    m_db.OpenEx(CStoreContext::kDefaultConnect);
    PrepareTables();
    m_app = std::make_unique<CDialogTestApp>();
    m_app->SetRegistryKey(kCompany);
    m_app->OpenDatabase();
    ASSERT_TRUE(m_app->IsDatabaseAvailable()) << m_app->DatabaseError();
    m_app->BuildDialogTile();
    SetMessageBoxAnswerer(&m_boxes);
}

void DialogTest::TearDown() {
    SetMessageBoxAnswerer(nullptr);
    thePhraseSet.Close();
    thePhraseSet.m_strFilter.clear();
    thePhraseSet.m_strSort.clear();
    PumpMessages();
    m_app.reset();
    DeleteDialogTestSettings();
}

void DialogTest::PrepareTables() {
    Exec("DROP TABLE IF EXISTS [Phrase]");
    Exec("DROP TABLE IF EXISTS [Configuration]");
    CreateMissingTables(m_db);
}

void DialogTest::Exec(const std::string& sql) { m_db.ExecuteSQL(sql); }

void DialogTest::InsertPhrase(int phraseType, const std::string& object, const std::string& date,
                              const std::string& addedBy) {
    const std::string forms[4] = {object, "", "", ""};
    InsertVerb(phraseType, forms, date, addedBy);
}

void DialogTest::InsertVerb(int phraseType, const std::string (&forms)[4], const std::string& date,
                            const std::string& addedBy) {
    Exec("INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, AddedBy, DateAdded, PhraseType) "
         "VALUES ('" + forms[0] + "', '" + forms[1] + "', '" + forms[2] + "', '" + forms[3] + "', '" +
         addedBy + "', '" + date + "', " + std::to_string(phraseType) + ")");
}

void TypeText(HWND edit, const std::string& text) {
    const LRESULT end = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void ClearTyped(HWND edit) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    SendMessageA(edit, WM_KEYUP, VK_DELETE, 1);
}

std::string WindowText(HWND hWnd) {
    char text[512] = "";
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

CClientCapture::CClientCapture(HWND hWnd, bool wholeWindow) {
    RECT area;
    if (wholeWindow) {
        GetWindowRect(hWnd, &area);
        OffsetRect(&area, -area.left, -area.top);
    } else {
        GetClientRect(hWnd, &area);
        UpdateWindow(hWnd);
    }
    HDC window = wholeWindow ? GetWindowDC(hWnd) : GetDC(hWnd);
    m_dc = CreateCompatibleDC(window);
    m_bitmap = CreateCompatibleBitmap(window, area.right, area.bottom);
    m_old = SelectObject(m_dc, m_bitmap);
    BitBlt(m_dc, 0, 0, area.right, area.bottom, window, 0, 0, SRCCOPY);
    ReleaseDC(hWnd, window);
}

CClientCapture::~CClientCapture() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

std::string ShownHelp() { return CHelpPopup::Current() ? CHelpPopup::Current()->Text() : "(none)"; }

std::string AskHelp(HWND dialog, int id) {
    HELPINFO info = {sizeof info, HELPINFO_WINDOW, id, GetDlgItem(dialog, id), 0, {0, 0}};
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return ShownHelp();
}

std::string TitleOfWindowOpenedBy(const std::function<void()>& action, int field, std::string* fieldText) {
    std::string title;
    RunInModalLoop([&] {
        HWND opened = GetActiveWindow();
        title = WindowText(opened);
        if (fieldText)
            *fieldText = WindowText(GetDlgItem(opened, field));
        PostMessageA(opened, WM_COMMAND, IDCANCEL, 0);
    });
    action();
    return title;
}

void ManagerTestBase::TearDown() {
    CHelpPopup::CloseCurrent();
    m_manager.reset();
    DialogTest::TearDown();
}

CPhraseManagerDlg& ManagerTestBase::Open() {
    m_manager = std::make_unique<CPhraseManagerDlg>(m_app->Store());
    EXPECT_TRUE(m_manager->Create());
    return *m_manager;
}

std::string ManagerTestBase::Cell(int row, int column) {
    char text[300] = "";
    ListView_GetItemText(List(), row, column, text, sizeof text);
    return text;
}

std::vector<std::string> ManagerTestBase::Phrases() {
    std::vector<std::string> texts;
    for (int row = 0; row < ListView_GetItemCount(List()); ++row)
        texts.push_back(Cell(row, 3));
    return texts;
}

void ManagerTestBase::SelectRows(std::initializer_list<int> rows) {
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    for (int row : rows)
        ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_manager->UpdateButtons();
}
