// The phrase manager on a screen of 144 DPI (150 %), run by AtSetting.cpp:
// what the program keeps or draws in pixels grows with the screen.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "framework/win/Gdi.h"
#include "manager/PhraseManagerDlg.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

class HighDpiTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_EQ(ScreenDpi(), 144) << "run with --dpi=144";
    }
    static HWND ListOf(CPhraseManagerDlg& manager) { return manager.List().GetSafeHwnd(); }
};

// Widths are kept as at 96 DPI, as earlier versions stored them: 80 there
// is 120 here, and a column dragged to 450 here is kept as 300.
TEST_F(HighDpiTest, ColumnWidthsAreShownAtTheScreensDpiAndKeptAt96) {
    Settings().WriteNumber("ColWidth1", 80);
    CPhraseManagerDlg manager(m_app->Store());
    int shownDate = 0, shownType = 0;
    RunInModalLoop([&] {
        shownDate = ListView_GetColumnWidth(ListOf(manager), 1);
        shownType = ListView_GetColumnWidth(ListOf(manager), 0);
        ListView_SetColumnWidth(ListOf(manager), 3, 450);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(manager.DoModal(), IDOK);  // Escape leaves as Exit does, widths stored

    EXPECT_EQ(shownDate, 120);
    EXPECT_EQ(shownType, 90);  // the default 60
    EXPECT_EQ(StoredNumber("ColWidth3"), 300u);
    EXPECT_EQ(StoredNumber("ColWidth1"), 80u);
}

// The kind icons are drawn at the small-icon size of the screen, 24 pixels,
// from the size the icon carries, not stretched from 16; a manager opened
// after another has closed still has them.
TEST_F(HighDpiTest, TheListsKindIconsAreOfTheScreensSmallIconSize) {
    for (int opened = 1; opened <= 2; ++opened) {
        CPhraseManagerDlg manager(m_app->Store());
        ASSERT_TRUE(manager.Create());
        int width = 0, height = 0;
        ASSERT_TRUE(ImageList_GetIconSize(ListView_GetImageList(ListOf(manager), LVSIL_SMALL), &width, &height))
            << "manager " << opened;
        EXPECT_EQ(width, 24);
        EXPECT_EQ(height, 24);
        manager.DestroyWindow();
    }
}

}  // namespace
