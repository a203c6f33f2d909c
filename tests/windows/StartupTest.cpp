// The application object: start-up without a data source, what the
// configuration and password run modes say, the preview run mode in a real
// window, and the dialog tile.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/SaverApp.h"
#include "dialogs/core/TileColours.h"
#include "saver/win/SaverWnd.h"
#include "tests/windows/WinTestSupport.h"

namespace {

// Start-up steps made callable, and a screen of a chosen colour depth.
class CTestSaverApp : public CSaverApp {
public:
    using CSaverApp::DispatchCommandLine;
    using CSaverApp::OpenDatabase;

    int m_nScreenColours = -1;

protected:
    int ScreenColourCount() const override { return m_nScreenColours; }
};

std::set<COLORREF> TileColours(const CSaverApp& app) {
    std::set<COLORREF> colours;
    for (int y = 0; y < kTileSize; ++y)
        for (int x = 0; x < kTileSize; ++x)
            colours.insert(GetPixel(app.m_dcTile.GetSafeHdc(), x, y));
    return colours;
}

}  // namespace

// Configuration without a database (this test's environment names no data
// source "Sorrowline") and a password request each end in a box of its own.
TEST(StartupTest, RunModesThatCannotRunSayWhyInABoxAndEnd) {
    CTestSaverApp app;
    app.OpenDatabase();
    EXPECT_FALSE(app.IsDatabaseAvailable());
    const std::string error = app.DatabaseError();
    const std::string prefix = "Unable to open database:\n";
    ASSERT_EQ(error.compare(0, prefix.size(), prefix), 0) << error;
    EXPECT_GT(error.size(), prefix.size() + 5);  // the driver said why
    EXPECT_NE(error.find("run: sorrowline-db setup"), std::string::npos);
    EXPECT_FALSE(app.m_strAppName.empty());

    CRecordedBoxes boxes;
    EXPECT_FALSE(app.DispatchCommandLine("/c:4711"));
    EXPECT_FALSE(app.DispatchCommandLine(" -a whatever follows"));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    ASSERT_EQ(boxes.m_shown.size(), 2u);
    EXPECT_EQ(boxes.m_shown[0].text, error);
    EXPECT_EQ(boxes.m_shown[0].title, app.m_strAppName);
    EXPECT_EQ(boxes.m_shown[0].type, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(boxes.m_shown[1].text, "This version of Sorrowline does not support password protection");
    EXPECT_EQ(boxes.m_shown[1].title, "Sorrowline");
    EXPECT_EQ(boxes.m_shown[1].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.m_shown[0].owner, nullptr);
    EXPECT_EQ(boxes.m_shown[1].owner, nullptr);
}

// Which command lines preview, and when the named window is gone, is
// decided natively.
TEST(StartupTest, PreviewRunsInTheNamedWindow) {
    CHostWindow host(200, 150);
    const std::string line = "/p " + std::to_string(reinterpret_cast<UINT_PTR>(host.Handle()));
    CTestSaverApp app;
    app.SetRegistryKey(kTestCompany);
    ASSERT_TRUE(app.DispatchCommandLine(line.c_str()));
    EXPECT_TRUE(app.m_bPreview);
    ASSERT_NE(app.m_pMainWnd, nullptr);
    HWND saver = app.m_pMainWnd->GetSafeHwnd();
    EXPECT_EQ(GetParent(saver), host.Handle());
    EXPECT_EQ(GetDlgCtrlID(saver), 0);
    app.ExitInstance();
    DeleteTestSettings();
}

// Which screens get the gradient and its steps are decided natively; here
// the bitmap holds those steps, or the face alone.
TEST(StartupTest, TileIsTheGradientBitmapOrAPlainSquare) {
    std::set<COLORREF> steps;
    for (const TileColourMapping& m : TileColourMap(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT)))
        steps.insert(m.to);
    for (int colours : {-1, 2}) {
        CTestSaverApp app;
        app.m_nScreenColours = colours;
        app.BuildDialogTile();
        ASSERT_TRUE(app.m_pTileBitmap && app.m_pTileBitmap->GetSafeHandle());
        BITMAP info = {};
        GetObjectA(app.m_pTileBitmap->GetSafeHandle(), sizeof(info), &info);
        EXPECT_EQ(info.bmWidth, 70);
        EXPECT_EQ(info.bmHeight, 70);
        const std::set<COLORREF> seen = TileColours(app);
        if (colours == 2) {
            EXPECT_EQ(seen, std::set<COLORREF>{GetSysColor(COLOR_BTNFACE)});
            continue;
        }
        EXPECT_GE(seen.size(), 4u);
        for (COLORREF c : seen)
            EXPECT_TRUE(steps.count(c)) << std::hex << c;
    }
}
