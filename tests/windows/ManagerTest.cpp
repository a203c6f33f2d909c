// The phrase manager created for real over a data source with known phrases
// and driven with the messages a user's actions send. Its rules are tested
// through its presenter; here each control and message reaches them once.
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

using Texts = std::vector<std::string>;

class ManagerTest : public ManagerTestBase {
protected:
    // Listed phrases of every kind and one of PhraseType 7, each of its own date.
    void InsertKnownPhrases() {
        InsertPhrase(0, "ant", "2026-03-01 10:00:00", "cy");
        InsertPhrase(4, "walks", "2026-03-01 10:00:01", "bo");
        InsertPhrase(2, "bee", "2026-03-02 11:30:07");
        InsertPhrase(5, "fast", "2026-03-04 17:45:59");
        InsertPhrase(7, "seven", "2026-03-05 08:00:00");
    }

    void Notify(NMHDR& header) {
        SendMessageA(m_manager->GetSafeHwnd(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }

    // A left click on a row, as the mouse sends it.
    void ClickRow(int row) {
        RECT bounds = {LVIR_LABEL, 0, 0, 0};
        SendMessageA(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        const LPARAM at = MAKELPARAM(bounds.left + 3, (bounds.top + bounds.bottom) / 2);
        PostMessageA(List(), WM_LBUTTONUP, 0, at);  // lets the drag detection end at once
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PumpMessages();
    }

    // The only message box shown: its text up to the first line break, title, icon and owner.
    void ExpectOneBox(const std::string& text, const std::string& title, UINT icon, HWND owner) {
        ASSERT_EQ(m_boxes.m_shown.size(), 1u);
        const CRecordingBoxes::Box& box = m_boxes.m_shown[0];
        EXPECT_EQ(box.text.substr(0, box.text.find('\n')), text);
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.type & MB_ICONMASK, icon);
        EXPECT_EQ(box.owner, owner);
    }
};

}  // namespace

TEST_F(ManagerTest, ListsRowsAndFollowsFilterButtonsAndHeaderClicks) {
    InsertKnownPhrases();
    CPhraseManagerDlg& manager = Open();
    EXPECT_EQ(Phrases(), (Texts{"fast", "bee", "walks", "ant"}));
    EXPECT_EQ(SendMessageA(manager.GetDlgItem(IDC_FILTER_ALL), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Cell(1, 0), "Noun");
    EXPECT_EQ(Cell(1, 1), "02/03/2026");
    EXPECT_EQ(Cell(3, 2), "cy");

    const struct {
        int button, code;
    } filters[] = {{IDC_FILTER_VERBS, 4}, {IDC_FILTER_ADVERBS, 5}, {IDC_FILTER_ALL, -1}, {IDC_FILTER_NOUNS, 0}};
    for (const auto& filter : filters) {
        Press(filter.button);
        EXPECT_EQ(manager.FilterCode(), filter.code) << filter.button;
    }
    EXPECT_EQ(Phrases(), (Texts{"bee", "ant"}));

    NMLISTVIEW headerClick = {};
    headerClick.hdr = {List(), IDC_PHRASE_LIST, LVN_COLUMNCLICK};
    headerClick.iItem = -1;
    headerClick.iSubItem = 1;  // Date: oldest first
    Notify(headerClick.hdr);
    EXPECT_EQ(Phrases(), (Texts{"ant", "bee"}));
}

TEST_F(ManagerTest, AddOpensTheNewMenuAtTheButtonsTopRightCorner) {
    Open();
    const RECT button = ScreenRectOf(m_manager->GetDlgItem(IDC_ADD));
    RECT menu = {};
    RunInModalLoop([&] {
        menu = ScreenRectOf(FindMenuWindow());
        EndMenu();
    });
    Press(IDC_ADD);
    EXPECT_EQ(menu.left, button.right);
    EXPECT_EQ(menu.top, button.top);
}

TEST_F(ManagerTest, DoubleClickShowsTheDetailsOfTheSelectedPhrase) {
    InsertKnownPhrases();
    Open();
    ClickRow(1);
    NMITEMACTIVATE doubleClick = {};
    doubleClick.hdr = {List(), IDC_PHRASE_LIST, NM_DBLCLK};
    std::string text;
    EXPECT_EQ(TitleOfWindowOpenedBy([&] { Notify(doubleClick.hdr); }, IDC_DETAILS_FIELD2, &text),
              "Phrase Details");
    EXPECT_EQ(text, "bee");
}

TEST_F(ManagerTest, ColumnWidthsStartAtTheDefaultsAndAreStoredOnEveryWayOut) {
    Open();
    const int defaults[] = {60, 70, 90, 300};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(ListView_GetColumnWidth(List(), column), defaults[column]);
    m_manager.reset();

    // OK, as Enter sends it; Cancel, as Escape does, with the high DPI.
    CPhraseManagerDlg manager(m_app->Store());
    RunInModalLoop([&] {
        ListView_SetColumnWidth(manager.List().GetSafeHwnd(), 3, 263);
        ListView_SetColumnWidth(manager.List().GetSafeHwnd(), 0, 61);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(manager.DoModal(), IDOK);
    EXPECT_EQ(StoredNumber("ColWidth3"), 263u);
    EXPECT_EQ(StoredNumber("ColWidth0"), 61u);
    Open();
    EXPECT_EQ(ListView_GetColumnWidth(List(), 3), 263);
}

// What the presenter says of a failing refresh reaches a warning box over
// the dialog; a database that cannot be opened is told before it shows.
TEST_F(ManagerTest, DatabaseFailuresAreToldInTheirBoxes) {
    InsertKnownPhrases();
    HWND manager = Open().GetSafeHwnd();
    Exec("DROP TABLE [Phrase]");
    Press(IDC_REFRESH);
    ExpectOneBox("Could not refresh phrase list", "Error", MB_ICONWARNING, manager);
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
    m_manager.reset();
    m_boxes.m_shown.clear();

    Settings().WriteNumber("ColWidth3", 223);
    Open();
    ExpectOneBox("Could not open database", "Sorrowline Error", MB_ICONSTOP, nullptr);
    EXPECT_FALSE(Enabled(IDC_REFRESH));
    EXPECT_TRUE(Enabled(IDOK));
    Press(IDOK);  // leaves the stored widths alone
    EXPECT_EQ(StoredNumber("ColWidth3"), 223u);
    uint32_t unused = 0;
    EXPECT_FALSE(Settings().ReadNumber("ColWidth0", unused));
}

TEST_F(ManagerTest, SystemMenuOffersTheAboutBoxLastAndNeverMaximises) {
    CPhraseManagerDlg& manager = Open();
    HMENU system = GetSystemMenu(manager.GetSafeHwnd(), FALSE);
    char text[64] = "";
    GetMenuStringA(system, IDM_ABOUT_BOX, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&About Sorrowline...");
    const int count = GetMenuItemCount(system);
    EXPECT_EQ(GetMenuItemID(system, count - 1), static_cast<UINT>(IDM_ABOUT_BOX));
    EXPECT_TRUE(GetMenuState(system, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);

    EXPECT_EQ(TitleOfWindowOpenedBy([&] {
                  SendMessageA(manager.GetSafeHwnd(), WM_SYSCOMMAND, IDM_ABOUT_BOX, 0);
              }),
              "About Sorrowline");

    SendMessageA(manager.GetSafeHwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_FALSE(IsZoomed(manager.GetSafeHwnd()));
}

TEST_F(ManagerTest, HelpOnAControlShowsItsTopicBesideItUntilAKeyIsPressed) {
    HWND manager = Open().GetSafeHwnd();
    EXPECT_EQ(AskHelp(manager, IDC_PHRASE_LIST), HelpTopicText(2154169324u));
    const RECT list = ScreenRectOf(List()), popup = ScreenRectOf(CHelpPopup::Current()->GetSafeHwnd());
    EXPECT_TRUE(popup.top >= list.bottom || popup.bottom <= list.top);

    SendMessageA(CHelpPopup::Current()->GetSafeHwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(CHelpPopup::Current(), nullptr);
    EXPECT_EQ(AskHelp(manager, IDOK), "(none)");  // Exit has no topic
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
    HWND dialog = Open().GetSafeHwnd();
    RECT client;
    GetClientRect(dialog, &client);
    CClientCapture capture(dialog);
    int compared = 0, repeated = 0;
    for (int y = 0; y < client.bottom; y += 3)
        for (int x = 0; x < client.right; x += 5)
            if (ChildWindowFromPointEx(dialog, POINT{x, y}, CWP_SKIPINVISIBLE) == dialog) {
                ASSERT_EQ(capture.At(x, y), GetPixel(m_app->TileDC(), x % 70, y % 70)) << x << "," << y;
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
    for (HWND child : ChildrenOf(manager.GetSafeHwnd())) {
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
            EXPECT_EQ(help, (style & SS_TYPEMASK) == SS_ICON ? 0u : 0x8089FFFFu);
        } else {
            EXPECT_EQ(help, 0x80660000u + static_cast<WORD>(id)) << id;
            ++withRule;
        }
    }
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(withRule, 12);
}
