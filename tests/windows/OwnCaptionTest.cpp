// The phrase manager's title bar, seen in captures of the whole window as
// Wine draws it. The program runs twice (CMakeLists.txt): as on Windows 4.0,
// where the manager paints its own bar, and as on 5.0, where the system's
// stays. A plain window with the manager's frame, title and icon shows what
// the system itself draws.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "manager/PhraseManagerDlg.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

// The pixels of a whole window, title bar and frame included.
struct CWindowCapture : CClientCapture {
    explicit CWindowCapture(HWND hWnd) : CClientCapture(hWnd, true) {}
};

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

// System colours changed for one test and put back after it.
class CChangedSysColours {
public:
    CChangedSysColours(std::initializer_list<std::pair<int, COLORREF>> changes) {
        for (const auto& change : changes) {
            m_elements.push_back(change.first);
            m_old.push_back(GetSysColor(change.first));
            m_new.push_back(change.second);
        }
        SetSysColors(static_cast<int>(m_elements.size()), m_elements.data(), m_new.data());
    }
    ~CChangedSysColours() { SetSysColors(static_cast<int>(m_elements.size()), m_elements.data(), m_old.data()); }

private:
    std::vector<int> m_elements;
    std::vector<COLORREF> m_old, m_new;
};

class TitleBarTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        m_version = {version.dwMajorVersion, version.dwMinorVersion};
        m_manager = std::make_unique<CPhraseManagerDlg>(m_app->Store());
        ASSERT_TRUE(m_manager->Create());
        CreateReference();
        Activate(Manager());
    }
    void TearDown() override {
        DestroyWindow(m_reference);
        m_manager.reset();
        DialogTest::TearDown();
    }

    HWND Manager() const { return m_manager->GetSafeHwnd(); }

    // Out of the manager's way, as wide as it, with its styles, title and icons.
    void CreateReference() {
        WNDCLASSA plain = {};
        plain.lpfnWndProc = &DefWindowProcA;
        plain.hInstance = GetModuleHandleA(nullptr);
        plain.lpszClassName = "OwnCaptionTest.Plain";
        RegisterClassA(&plain);
        const RECT manager = ScreenRectOf(Manager());
        m_reference = CreateWindowExA(GetWindowLongA(Manager(), GWL_EXSTYLE), plain.lpszClassName,
                                      WindowText(Manager()).c_str(),
                                      GetWindowLongA(Manager(), GWL_STYLE) & ~WS_VISIBLE, 0, 0,
                                      manager.right - manager.left, 60, nullptr, nullptr, plain.hInstance, nullptr);
        for (WPARAM size : {ICON_SMALL, ICON_BIG})
            SendMessageA(m_reference, WM_SETICON, size, SendMessageA(Manager(), WM_GETICON, size, 0));
        ShowWindow(m_reference, SW_SHOWNOACTIVATE);
    }

    void Activate(HWND hWnd) {
        SetForegroundWindow(hWnd);
        SetActiveWindow(hWnd);
        PumpMessages();
    }

    // The system's measures of the title bar.
    int FrameX() const { return GetSystemMetrics(SM_CXDLGFRAME); }
    int FrameY() const { return GetSystemMetrics(SM_CYDLGFRAME); }
    int BarHeight() const { return GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER); }
    int Width() const { return ScreenRectOf(Manager()).right - ScreenRectOf(Manager()).left; }
    // Where the three caption buttons begin.
    int ButtonsLeft() const { return Width() - 3 * GetSystemMetrics(SM_CXSIZE) - FrameX(); }

    // Pixels of the title bar's rows in [left, right) that differ between two captures.
    int Differing(const CWindowCapture& a, const CWindowCapture& b, int left, int right) const {
        int differing = 0;
        for (int y = 0; y < FrameY() + BarHeight(); ++y)
            for (int x = left; x < right; ++x)
                differing += a.At(x, y) != b.At(x, y);
        return differing;
    }

    // Pixels of the bar's gradient area that differ from a prepared bitmap.
    int DifferingFromBitmap(const CWindowCapture& shown, HDC bitmap) const {
        int differing = 0;
        for (int y = FrameY(); y < FrameY() + BarHeight(); ++y)
            for (int x = FrameX(); x < ButtonsLeft(); ++x)
                differing += shown.At(x, y) != GetPixel(bitmap, x, y);
        return differing;
    }

    // The manager's bar, and the reference window's, each captured while active.
    void CaptureBoth(std::unique_ptr<CWindowCapture>& manager, std::unique_ptr<CWindowCapture>& reference) {
        Activate(m_reference);
        reference = std::make_unique<CWindowCapture>(m_reference);
        Activate(Manager());
        manager = std::make_unique<CWindowCapture>(Manager());
    }

    std::pair<DWORD, DWORD> m_version;
    std::unique_ptr<CPhraseManagerDlg> m_manager;
    HWND m_reference = nullptr;
};

class OwnTitleBarAt40 : public TitleBarTest {};
class SystemTitleBarAt50 : public TitleBarTest {};

}  // namespace

// The prepared bars show as the window is active or not, the active one with
// the name in the caption colour; where the fade takes its colours from is
// seen after a colour change.
TEST_F(OwnTitleBarAt40, ThePreparedBarShowsForTheActiveAndTheInactiveWindow) {
    ASSERT_EQ(m_version, std::make_pair(DWORD{4}, DWORD{0}));
    ASSERT_TRUE(m_manager->CaptionBar().InUse());
    std::unique_ptr<CWindowCapture> shown, system;
    CaptureBoth(shown, system);
    EXPECT_EQ(DifferingFromBitmap(*shown, m_manager->CaptionBar().DC(true)), 0);
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    const int bottom = FrameY() + BarHeight() - 1;
    int namePixels = 0;  // where the bar is still far from the caption colour
    const int nameLeft = FrameX() + 2 + GetSystemMetrics(SM_CXSMICON);
    for (int y = FrameY(); y < bottom; ++y)
        for (int x = nameLeft; x < nameLeft + 60; ++x)
            namePixels += shown->At(x, y) == caption;
    EXPECT_GT(namePixels, 30);
    // The caption buttons stay as the system draws them.
    EXPECT_EQ(Differing(*shown, *system, ButtonsLeft() + 1, Width()), 0);
    EXPECT_GT(Differing(*shown, *system, FrameX(), ButtonsLeft()), 100);

    Activate(m_reference);
    CWindowCapture inactive(Manager());
    EXPECT_EQ(DifferingFromBitmap(inactive, m_manager->CaptionBar().DC(false)), 0);
    EXPECT_EQ(inactive.At(FrameX(), bottom), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
}

TEST_F(OwnTitleBarAt40, ASystemColourChangeRebuildsTheBarsAndTheTile) {
    const COLORREF caption = RGB(131, 27, 64), end = RGB(241, 205, 98), face = RGB(203, 177, 146);
    auto facePixels = [&] {
        int count = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 70; ++x)
                count += GetPixel(m_app->TileDC(), x, y) == face;
        return count;
    };
    ASSERT_EQ(facePixels(), 0);
    CChangedSysColours changed(
        {{COLOR_ACTIVECAPTION, caption}, {COLOR_CAPTIONTEXT, end}, {COLOR_BTNFACE, face}});
    PumpMessages();
    Activate(Manager());
    CWindowCapture shown(Manager());
    const int bottom = FrameY() + BarHeight() - 1;
    EXPECT_EQ(shown.At(FrameX(), bottom), end);
    EXPECT_TRUE(Near(shown.At(ButtonsLeft() - 1, bottom), caption));
    EXPECT_GT(facePixels(), 0);
}

TEST_F(SystemTitleBarAt50, TheSystemsBarStays) {
    ASSERT_EQ(m_version, std::make_pair(DWORD{5}, DWORD{0}));
    EXPECT_FALSE(m_manager->CaptionBar().InUse());
    EXPECT_NE(m_manager->CaptionBar().DC(true), nullptr);  // prepared all the same
    std::unique_ptr<CWindowCapture> shown, system;
    CaptureBoth(shown, system);
    EXPECT_EQ(Differing(*shown, *system, 0, Width()), 0);
    EXPECT_GT(DifferingFromBitmap(*shown, m_manager->CaptionBar().DC(true)), 100);
}
