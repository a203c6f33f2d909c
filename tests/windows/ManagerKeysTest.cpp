// The phrase manager used from the keyboard alone: real key presses go to
// the focused list, and the buttons, the menu and the questions follow as
// they do for the mouse.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

class ManagerKeysTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        InsertPhrase(0, "ant", "2026-03-01 10:00:00");
        InsertPhrase(4, "walks", "2026-03-01 10:00:01");
        InsertPhrase(2, "bee", "2026-03-02 11:30:07");
        InsertPhrase(5, "fast", "2026-03-04 17:45:59");
        m_manager = std::make_unique<CPhraseManagerDlg>(m_app->Store());
        ASSERT_TRUE(m_manager->Create());
        SetForegroundWindow(m_manager->GetSafeHwnd());
        SetFocus(List());
        PumpMessages();
    }
    void TearDown() override {
        m_manager.reset();
        DialogTest::TearDown();
    }

    HWND List() { return m_manager->List().GetSafeHwnd(); }
    bool Enabled(int id) { return IsWindowEnabled(m_manager->GetDlgItem(id)) != FALSE; }
    int SelectedCount() { return static_cast<int>(ListView_GetSelectedCount(List())); }

    void PressKeys(std::initializer_list<WORD> keys) {
        SendKeyChord(keys);
        PumpMessages();
    }

    // Where a context menu opened by the keys showed, and whether its Edit
    // and Delete could be chosen; the menu is closed again at once.
    struct OpenedMenu {
        RECT place = {};
        bool edit = false;
        bool remove = false;
    };
    OpenedMenu MenuOpenedBy(std::initializer_list<WORD> keys) {
        OpenedMenu opened;
        bool seen = false;
        RunWhenMenuShows([&](HWND menu) {
            seen = true;
            GetWindowRect(menu, &opened.place);
            HMENU popup = m_manager->Menu().Popup();
            opened.edit = !(GetMenuState(popup, IDM_EDIT_PHRASE, MF_BYCOMMAND) & MF_GRAYED);
            opened.remove = !(GetMenuState(popup, IDM_DELETE_PHRASES, MF_BYCOMMAND) & MF_GRAYED);
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            EndMenu();
        });
        PressKeys(keys);
        while (MenuWatchPending())
            PumpMessages();
        EXPECT_TRUE(seen);
        PumpMessages();
        return opened;
    }

    POINT BelowRowText(int row) {
        RECT bounds = {LVIR_LABEL, 0, 0, 0};
        SendMessageA(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        POINT point = {bounds.left, bounds.bottom};
        ClientToScreen(List(), &point);
        return point;
    }

    std::unique_ptr<CPhraseManagerDlg> m_manager;
};

}  // namespace

TEST_F(ManagerKeysTest, ArrowsWithShiftSelectAsAClickDoesAndTheButtonsFollow) {
    ASSERT_EQ(GetFocus(), List());
    PressKeys({VK_DOWN});
    EXPECT_EQ(SelectedCount(), 1);
    EXPECT_TRUE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));

    PressKeys({VK_SHIFT, VK_DOWN});
    EXPECT_EQ(SelectedCount(), 2);
    EXPECT_FALSE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));

    PressKeys({VK_END});
    EXPECT_EQ(SelectedCount(), 1);
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), 3);
    EXPECT_TRUE(Enabled(IDM_EDIT_PHRASE));
}

TEST_F(ManagerKeysTest, ControlASelectsEveryRow) {
    PressKeys({VK_CONTROL, 'A'});
    EXPECT_EQ(SelectedCount(), ListView_GetItemCount(List()));
    EXPECT_FALSE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));
}

// With no row focused the menu opens at the list's corner, else below the focused row.
TEST_F(ManagerKeysTest, ShiftF10AndTheMenuKeyOpenTheContextMenuAtTheFocusedRow) {
    RECT list;
    GetWindowRect(List(), &list);
    POINT corner = {0, 0};
    ClientToScreen(List(), &corner);
    OpenedMenu opened = MenuOpenedBy({VK_SHIFT, VK_F10});
    EXPECT_EQ(opened.place.left, corner.x);
    EXPECT_EQ(opened.place.top, corner.y);
    EXPECT_FALSE(opened.edit);

    PressKeys({VK_DOWN});
    PressKeys({VK_DOWN});
    const POINT below = BelowRowText(1);
    opened = MenuOpenedBy({VK_APPS});
    EXPECT_EQ(opened.place.left, below.x);
    EXPECT_EQ(opened.place.top, below.y);
    EXPECT_TRUE(opened.edit);
    EXPECT_TRUE(opened.remove);
    EXPECT_EQ(SelectedCount(), 1);  // the menu changed nothing
}

TEST_F(ManagerKeysTest, TheDeleteKeyAsksBeforeDeletingTheSelection) {
    PressKeys({VK_DOWN});
    PressKeys({VK_SHIFT, VK_DOWN});
    m_boxes.m_answers = {IDNO};
    PressKeys({VK_DELETE});
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "Are you sure you want to delete the 2 selected item(s)?");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Delete Items");
    EXPECT_EQ(ListView_GetItemCount(List()), 4);

    PressKeys({VK_DELETE});  // answered Yes
    EXPECT_EQ(m_boxes.m_shown.size(), 2u);
    EXPECT_EQ(ListView_GetItemCount(List()), 2);
    EXPECT_FALSE(Enabled(IDM_DELETE_PHRASES));
}

// Alt and the underlined letter press a button of the running dialog.
TEST_F(ManagerKeysTest, MnemonicsPressTheirButtons) {
    m_manager.reset();
    CPhraseManagerDlg manager(m_app->Store());
    RunInModalLoop([&] {
        SetForegroundWindow(manager.GetSafeHwnd());
        SendKeyChord({VK_MENU, 'S'});  // Adverbs
        SendKeyChord({VK_ESCAPE});
    });
    EXPECT_EQ(manager.DoModal(), IDOK);
    EXPECT_EQ(manager.FilterCode(), 5);
}

// The headings take no focus: Ctrl and a column's number sort as a click on
// the heading does, and Alt+Enter shows a row's details as a double click.
TEST_F(ManagerKeysTest, ControlAndAColumnsNumberSortsAndAltEnterShowsTheDetails) {
    auto firstPhrase = [&] {
        char text[64] = "";
        ListView_GetItemText(List(), 0, 3, text, sizeof text);
        return std::string(text);
    };
    PressKeys({VK_CONTROL, '4'});
    EXPECT_EQ(firstPhrase(), "ant");
    PressKeys({VK_CONTROL, '4'});
    EXPECT_EQ(firstPhrase(), "walks");

    PressKeys({VK_HOME});
    std::string title, shown;
    RunInModalLoop([&] {
        HWND details = GetActiveWindow();
        title = WindowText(details);
        shown = WindowText(GetDlgItem(details, IDC_DETAILS_FIELD1));
        PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
    });
    PressKeys({VK_MENU, VK_RETURN});
    EXPECT_EQ(title, "Phrase Details");
    EXPECT_EQ(shown, "walks");
}
