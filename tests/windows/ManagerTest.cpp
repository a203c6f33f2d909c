// The phrase manager created for real over a data source with known phrases
// and driven with the messages a user's actions send.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/DialogHost.h"
#include "dialogs/HelpPopup.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "saver/win/SaverWnd.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

class ManagerTest : public DialogTest {
protected:
    void TearDown() override {
        CHelpPopup::CloseCurrent();
        m_manager.reset();
        DialogTest::TearDown();
    }

    // Five listed phrases of every kind and one of PhraseType 7, each of its
    // own date but two, so that kind and text decide among those.
    void InsertKnownPhrases() {
        InsertPhrase(0, "ant", "2026-03-01 10:00:00", "cy");
        InsertPhrase(4, "walks", "2026-03-01 10:00:00", "bo");
        InsertPhrase(2, "bee", "2026-03-02 11:30:07");
        InsertPhrase(4, "zigzags", "2026-03-03 09:15:00");
        InsertPhrase(5, "fast", "2026-03-04 17:45:59");
        InsertPhrase(7, "seven", "2026-03-05 08:00:00");
    }

    CPhraseManagerDlg& Open() {
        m_manager = std::make_unique<CPhraseManagerDlg>(m_app->Store());
        EXPECT_TRUE(m_manager->Create());
        return *m_manager;
    }

    HWND List() { return m_manager->List().GetSafeHwnd(); }

    std::string Cell(int row, int column) {
        char text[300] = "";
        ListView_GetItemText(List(), row, column, text, sizeof text);
        return text;
    }
    std::vector<std::string> Phrases() {
        std::vector<std::string> texts;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row)
            texts.push_back(Cell(row, 3));
        return texts;
    }

    void Press(int id) { SendMessageA(m_manager->GetDlgItem(id), BM_CLICK, 0, 0); }

    void ClickHeader(int column) {
        NMLISTVIEW click = {};
        click.hdr = {List(), IDC_PHRASE_LIST, LVN_COLUMNCLICK};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(m_manager->GetSafeHwnd(), WM_NOTIFY, IDC_PHRASE_LIST,
                     reinterpret_cast<LPARAM>(&click));
    }

    // A left click on a row, as the mouse sends it (keys: MK_CONTROL, MK_SHIFT).
    void ClickRow(int row, WPARAM keys = 0) {
        RECT bounds = {LVIR_LABEL, 0, 0, 0};
        SendMessageA(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        const LPARAM at = MAKELPARAM(bounds.left + 3, (bounds.top + bounds.bottom) / 2);
        PostMessageA(List(), WM_LBUTTONUP, keys, at);  // lets the drag detection end at once
        SendMessageA(List(), WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
        PumpMessages();
    }

    bool Enabled(int id) { return IsWindowEnabled(m_manager->GetDlgItem(id)) != FALSE; }

    std::unique_ptr<CPhraseManagerDlg> m_manager;
};

bool MenuItemEnabled(HMENU menu, UINT id) {
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

// The visible popup menu window while a menu is tracked.
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

}  // namespace

TEST_F(ManagerTest, ListsNewestFirstUnderEachFilterAndNeverPhraseTypeSeven) {
    InsertKnownPhrases();
    CPhraseManagerDlg& manager = Open();
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"fast", "zigzags", "bee", "ant", "walks"}));
    EXPECT_EQ(SendMessageA(manager.GetDlgItem(IDC_FILTER_ALL), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Cell(0, 0), "Adverb");
    EXPECT_EQ(Cell(2, 0), "Noun");
    EXPECT_EQ(Cell(2, 1), "02/03/2026");
    EXPECT_EQ(Cell(3, 2), "cy");

    Press(IDC_FILTER_NOUNS);
    EXPECT_EQ(manager.FilterCode(), 0);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"bee", "ant"}));
    Press(IDC_FILTER_VERBS);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"zigzags", "walks"}));
    EXPECT_EQ(SendMessageA(manager.GetDlgItem(IDC_FILTER_ALL), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Press(IDC_FILTER_ADVERBS);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"fast"}));
    Press(IDC_FILTER_ALL);
    EXPECT_EQ(Phrases().size(), 5u);
}

TEST_F(ManagerTest, HeaderClicksSortWithinTheFilter) {
    InsertKnownPhrases();
    CPhraseManagerDlg& manager = Open();
    ClickHeader(1);  // Date: oldest first
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"ant", "walks", "bee", "zigzags", "fast"}));
    ClickHeader(1);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"fast", "zigzags", "bee", "ant", "walks"}));

    Press(IDC_FILTER_VERBS);
    ClickHeader(3);  // Phrase: A to Z, still verbs only
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"walks", "zigzags"}));
    EXPECT_EQ(thePhraseSet.m_strSort, "OPhrase DESC,DateAdded,PhraseType DESC,AddedBy DESC");
    EXPECT_EQ(manager.FilterCode(), 4);
}

TEST_F(ManagerTest, EditAndDeleteFollowTheSelectionInButtonsAndMenu) {
    InsertKnownPhrases();
    CPhraseManagerDlg& manager = Open();
    EXPECT_FALSE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_FALSE(Enabled(IDM_DELETE_PHRASES));

    ClickRow(1);
    EXPECT_TRUE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));

    ClickRow(3, MK_CONTROL);
    EXPECT_EQ(ListView_GetSelectedCount(List()), 2u);
    EXPECT_FALSE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));

    // The context menu shows the same rule, and "New" is always there.
    bool editItem = true, deleteItem = false, nounItem = false;
    RunInModalLoop([&] {
        HMENU popup = manager.Menu().Popup();
        editItem = MenuItemEnabled(popup, IDM_EDIT_PHRASE);
        deleteItem = MenuItemEnabled(popup, IDM_DELETE_PHRASES);
        nounItem = MenuItemEnabled(popup, IDM_NEW_NOUN);
        EndMenu();
    });
    manager.ShowContextMenu({200, 200});
    EXPECT_FALSE(editItem);
    EXPECT_TRUE(deleteItem);
    EXPECT_TRUE(nounItem);

    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    RunInModalLoop([&] {
        deleteItem = MenuItemEnabled(manager.Menu().Popup(), IDM_DELETE_PHRASES);
        EndMenu();
    });
    manager.ShowContextMenu({200, 200});
    EXPECT_FALSE(deleteItem);
}

TEST_F(ManagerTest, AddOpensTheNewMenuAtTheButtonsTopRightCorner) {
    Open();
    RECT button, menu = {};
    GetWindowRect(m_manager->GetDlgItem(IDC_ADD), &button);
    RunInModalLoop([&] {
        GetWindowRect(FindMenuWindow(), &menu);
        EndMenu();
    });
    Press(IDC_ADD);
    EXPECT_EQ(menu.left, button.right);
    EXPECT_EQ(menu.top, button.top);
}

TEST_F(ManagerTest, DoubleClickShowsTheDetailsOfOneSelectedPhraseOnly) {
    InsertKnownPhrases();
    Open();
    std::string title, text;
    auto readDetails = [&] {
        HWND details = GetActiveWindow();
        char buffer[64] = "";
        GetWindowTextA(details, buffer, sizeof buffer);
        title = buffer;
        GetDlgItemTextA(details, IDC_DETAILS_FIELD2, buffer, sizeof buffer);
        text = buffer;
        PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
    };
    NMITEMACTIVATE doubleClick = {};
    doubleClick.hdr = {List(), IDC_PHRASE_LIST, NM_DBLCLK};
    ClickRow(2);
    RunInModalLoop(readDetails);
    SendMessageA(m_manager->GetSafeHwnd(), WM_NOTIFY, IDC_PHRASE_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    EXPECT_EQ(title, "Phrase Details");
    EXPECT_EQ(text, "bee");

    title.clear();
    ClickRow(3, MK_CONTROL);
    RunInModalLoop(readDetails);
    SendMessageA(m_manager->GetSafeHwnd(), WM_NOTIFY, IDC_PHRASE_LIST, reinterpret_cast<LPARAM>(&doubleClick));
    PumpMessages();
    EXPECT_EQ(title, "");
}

TEST_F(ManagerTest, ColumnWidthsAreStoredOnEveryWayOutAndComeBack) {
    struct WayOut {
        const char* name;
        int width;
        std::function<void(HWND)> leave;
    };
    const WayOut ways[] = {
        {"Escape", 251, [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Enter", 263, [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }},
        {"close box", 277, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Exit", 289, [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0); }},
    };
    for (const WayOut& way : ways) {
        CPhraseManagerDlg manager(m_app->Store());
        RunInModalLoop([&] {
            ListView_SetColumnWidth(manager.List().GetSafeHwnd(), 3, way.width);
            ListView_SetColumnWidth(manager.List().GetSafeHwnd(), 0, 61);
            way.leave(manager.GetSafeHwnd());
        });
        EXPECT_EQ(manager.DoModal(), IDOK) << way.name;
        uint32_t stored = 0;
        EXPECT_TRUE(Settings().ReadNumber("ColWidth3", stored)) << way.name;
        EXPECT_EQ(stored, static_cast<uint32_t>(way.width)) << way.name;
        Settings().ReadNumber("ColWidth0", stored);
        EXPECT_EQ(stored, 61u) << way.name;

        Open();
        EXPECT_EQ(ListView_GetColumnWidth(List(), 3), way.width) << way.name;
        m_manager.reset();
    }
}

TEST_F(ManagerTest, OpensWithTheDefaultWidthsWhenNoneAreStored) {
    Open();
    const int expected[] = {60, 70, 90, 300};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(ListView_GetColumnWidth(List(), column), expected[column]);
}

TEST_F(ManagerTest, AnUnopenableDatabaseLeavesTheStoredWidthsAlone) {
    Settings().WriteNumber("ColWidth3", 223);
    Exec("DROP TABLE [Phrase]");
    CPhraseManagerDlg& manager = Open();
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "Could not open database");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Sorrowline Error");
    EXPECT_EQ(m_boxes.m_shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(m_boxes.m_shown[0].owner, nullptr);
    EXPECT_FALSE(Enabled(IDC_REFRESH));
    EXPECT_TRUE(Enabled(IDOK));

    Press(IDOK);
    uint32_t stored = 0;
    EXPECT_TRUE(Settings().ReadNumber("ColWidth3", stored));
    EXPECT_EQ(stored, 223u);
    EXPECT_FALSE(Settings().ReadNumber("ColWidth0", stored));
    (void)manager;
}

TEST_F(ManagerTest, AFailingRefreshSaysSoOverTheDialog) {
    InsertKnownPhrases();
    CPhraseManagerDlg& manager = Open();
    Exec("DROP TABLE [Phrase]");
    Press(IDC_REFRESH);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    // The message, and the driver's words on the line below it.
    const std::string& text = m_boxes.m_shown[0].text;
    EXPECT_EQ(text.substr(0, text.find('\n')), "Could not refresh phrase list");
    EXPECT_NE(text.find("no such table", text.find('\n')), std::string::npos) << text;
    EXPECT_EQ(m_boxes.m_shown[0].title, "Error");
    EXPECT_EQ(m_boxes.m_shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(m_boxes.m_shown[0].owner, manager.GetSafeHwnd());
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
}

TEST_F(ManagerTest, SystemMenuOffersTheAboutBoxAndNeverMaximises) {
    CPhraseManagerDlg& manager = Open();
    HMENU system = GetSystemMenu(manager.GetSafeHwnd(), FALSE);
    char text[64] = "";
    GetMenuStringA(system, IDM_ABOUT_BOX, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&About Sorrowline...");
    const int count = GetMenuItemCount(system);
    EXPECT_EQ(GetMenuItemID(system, count - 1), static_cast<UINT>(IDM_ABOUT_BOX));
    EXPECT_TRUE(GetMenuState(system, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);

    std::string aboutTitle;
    RunInModalLoop([&] {
        char title[64] = "";
        GetWindowTextA(GetActiveWindow(), title, sizeof title);
        aboutTitle = title;
        PostMessageA(GetActiveWindow(), WM_COMMAND, IDOK, 0);
    });
    SendMessageA(manager.GetSafeHwnd(), WM_SYSCOMMAND, IDM_ABOUT_BOX, 0);
    EXPECT_EQ(aboutTitle, "About Sorrowline");

    SendMessageA(manager.GetSafeHwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(IsZoomed(manager.GetSafeHwnd()));
}

TEST_F(ManagerTest, HelpOnAControlShowsItsTopicBesideIt) {
    CPhraseManagerDlg& manager = Open();
    auto askHelp = [&](int id) {
        HWND control = manager.GetDlgItem(id);
        HELPINFO info = {sizeof info, HELPINFO_WINDOW, id, control, 0, {0, 0}};
        SendMessageA(manager.GetSafeHwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    };
    askHelp(IDC_PHRASE_LIST);
    ASSERT_NE(CHelpPopup::Current(), nullptr);
    EXPECT_EQ(CHelpPopup::Current()->Text(), HelpTopicText(2154169324u));
    RECT list, popup;
    GetWindowRect(List(), &list);
    GetWindowRect(CHelpPopup::Current()->GetSafeHwnd(), &popup);
    EXPECT_TRUE(popup.top >= list.bottom || popup.bottom <= list.top);

    askHelp(IDM_DELETE_PHRASES);
    ASSERT_NE(CHelpPopup::Current(), nullptr);
    EXPECT_EQ(CHelpPopup::Current()->Text(), HelpTopicText(0x80668007));

    // The next key press closes it; Exit and the captions have no topic.
    SendMessageA(CHelpPopup::Current()->GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(CHelpPopup::Current(), nullptr);
    askHelp(IDOK);
    askHelp(IDC_PHRASE_LABEL);
    EXPECT_EQ(CHelpPopup::Current(), nullptr);
}

TEST_F(ManagerTest, TheFirstTestSaverGoesBeforeTheSecondComes) {
    CPhraseManagerDlg& manager = Open();
    Press(IDC_TEST);
    ASSERT_NE(manager.TestWindow(), nullptr);
    HWND first = manager.TestWindow()->GetSafeHwnd();
    EXPECT_TRUE(IsWindow(first));
    Press(IDC_TEST);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_NE(manager.TestWindow(), nullptr);
    EXPECT_TRUE(IsWindow(manager.TestWindow()->GetSafeHwnd()));
    m_manager.reset();
    PumpMessages();
}

TEST_F(ManagerTest, TheTileCoversTheDialogFromItsTopLeftCorner) {
    CPhraseManagerDlg& manager = Open();
    HWND dialog = manager.GetSafeHwnd();
    RECT client;
    GetClientRect(dialog, &client);
    ASSERT_GT(client.right, 140);
    ASSERT_GT(client.bottom, 140);
    CClientCapture capture(dialog);
    HDC tile = m_app->TileDC();
    int compared = 0, repeated = 0;
    for (int y = 0; y < client.bottom; y += 3)
        for (int x = 0; x < client.right; x += 5) {
            const POINT at = {x, y};
            if (ChildWindowFromPointEx(dialog, at, CWP_SKIPINVISIBLE) != dialog)
                continue;  // a control stands there
            ASSERT_EQ(capture.At(x, y), GetPixel(tile, x % 70, y % 70)) << x << "," << y;
            ++compared;
            repeated += x >= 70 && y >= 70;
        }
    EXPECT_GT(compared, 100);
    EXPECT_GT(repeated, 20);
}


// The list and the buttons carry the template's number and their own; the
// first frame and the product caption carry the shared frame topic; Exit,
// the icon, the other frames and the captions carry none.
TEST_F(ManagerTest, EveryControlCarriesItsHelpNumber) {
    CPhraseManagerDlg& manager = Open();
    int frames = 0, withRule = 0;
    for (HWND child = GetWindow(manager.GetSafeHwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        const DWORD help = GetWindowContextHelpId(child);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        char kind[32] = "";
        GetClassNameA(child, kind, sizeof kind);
        if (id == IDOK || id == IDC_PHRASE_LABEL || id == IDC_LIST_LABEL || id == IDC_LIST_SHOWS_LABEL) {
            EXPECT_EQ(help, 0u) << id;
        } else if (lstrcmpiA(kind, "Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX) {
            EXPECT_EQ(help, frames++ == 0 ? 0x8089FFFFu : 0u) << "frame " << frames;
        } else if (id == IDC_STATIC) {
            const bool icon = (style & SS_TYPEMASK) == SS_ICON;
            EXPECT_EQ(help, icon ? 0u : 0x8089FFFFu);
        } else {
            EXPECT_EQ(help, 0x80660000u + static_cast<WORD>(id)) << id;
            ++withRule;
        }
    }
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(withRule, 12);
}
