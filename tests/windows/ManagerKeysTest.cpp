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

class ManagerKeysTest : public ManagerTestBase {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        InsertPhrase(0, "ant", "2026-03-01 10:00:00");
        InsertPhrase(4, "walks", "2026-03-01 10:00:01");
        InsertPhrase(2, "bee", "2026-03-02 11:30:07");
        InsertPhrase(5, "fast", "2026-03-04 17:45:59");
        Open();
        SetForegroundWindow(m_manager->GetSafeHwnd());
        SetFocus(List());
        PumpMessages();
    }
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
};

}  // namespace

TEST_F(ManagerKeysTest, ArrowsShiftAndControlASelectAndTheButtonsFollow) {
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

    PressKeys({VK_CONTROL, 'A'});
    EXPECT_EQ(SelectedCount(), ListView_GetItemCount(List()));
    EXPECT_FALSE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));
}

// With no row focused the menu opens at the list's corner, else below the focused row.
TEST_F(ManagerKeysTest, ShiftF10AndTheMenuKeyOpenTheContextMenuAtTheFocusedRow) {
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

// The headings take no focus: Ctrl and a column's number sort as a click on
// the heading does, and Alt+Enter shows a row's details as a double click.
TEST_F(ManagerKeysTest, ControlAndAColumnsNumberSortsAndAltEnterShowsTheDetails) {
    PressKeys({VK_CONTROL, '4'});
    EXPECT_EQ(Cell(0, 3), "ant");
    PressKeys({VK_CONTROL, '4'});
    EXPECT_EQ(Cell(0, 3), "walks");

    PressKeys({VK_HOME});
    std::string shown;
    EXPECT_EQ(TitleOfWindowOpenedBy([&] { PressKeys({VK_MENU, VK_RETURN}); }, IDC_DETAILS_FIELD1, &shown),
              "Phrase Details");
    EXPECT_EQ(shown, "walks");
}
