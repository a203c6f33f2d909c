// The saver over a data source that holds phrases: a real sentence is
// measured, placed and painted, as the screen shows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win/Gdi.h"
#include "saver/core/SentenceGenerator.h"
#include "store/PhraseRec.h"
#include "tests/support/TestDataSource.h"
#include "tests/windows/WinTestSupport.h"

namespace {

constexpr COLORREF kText = RGB(247, 211, 23);
constexpr COLORREF kBackground = RGB(19, 37, 83);
constexpr COLORREF kShadow = RGB(133, 124, 53);  // the channels' truncated means
constexpr RECT kArea = {0, 0, 517, 389};
constexpr int kShadowOffset = 6;  // 43 points: 430 / 70 = 6.14
constexpr int kTicks = 40;

// The saver's client area as the screen shows it.
class CScreenShot {
public:
    explicit CScreenShot(HWND hWnd) {
        RECT client;
        GetClientRect(hWnd, &client);
        m_width = client.right;
        m_height = client.bottom;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        CBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        CClientDC window(hWnd);
        CMemoryDC memory;
        memory.CreateCompatibleDC(window.GetSafeHdc());
        {
            CSelectGuard select(memory.GetSafeHdc(), bitmap.GetSafeHandle());
            BitBlt(memory.GetSafeHdc(), 0, 0, m_width, m_height, window.GetSafeHdc(), 0, 0, SRCCOPY);
            GdiFlush();
        }
        const auto* pixels = static_cast<const DWORD*>(bits);
        for (int i = 0; i < m_width * m_height; ++i)  // 0x00RRGGBB to 0x00BBGGRR
            m_pixels.push_back(RGB(pixels[i] >> 16 & 0xFF, pixels[i] >> 8 & 0xFF, pixels[i] & 0xFF));
    }

    // Pixels of this colour inside the rectangle, or outside it.
    int Count(COLORREF colour, const RECT& rect, bool inside) const {
        int count = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                const bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                count += in == inside && m_pixels[static_cast<size_t>(y * m_width + x)] == colour;
            }
        return count;
    }
    int PixelsOutside(const RECT& rect) const {
        RECT visible;
        IntersectRect(&visible, &rect, &kArea);
        return m_width * m_height - (visible.right - visible.left) * (visible.bottom - visible.top);
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

bool StartsWith(const std::string& text, const char* start) { return text.rfind(start, 0) == 0; }

class SentenceOnScreenTest : public StoreTest, protected SaverWindowHolder {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        DeleteTestSettings();
        InsertPhrase(1, "the lighthouse keeper");
        InsertPhrase(3, "the night ferries");
        AddByPossessive(4, "forgot ", " umbrella");
        AddByPossessive(4, "lost ", " way home");
        AddByPossessive(5, "in ", " own time");
        AddByPossessive(5, "to ", " surprise");
    }
    void TearDown() override {
        DestroySaver();
        StoreTest::TearDown();
    }

    // A verb or adverb whose forms differ by the possessive that agrees.
    void AddByPossessive(int type, const std::string& before, const std::string& after) {
        CPhraseRec set;
        ASSERT_TRUE(set.Open());
        set.AddNew();
        set.m_PhraseType = static_cast<uint8_t>(type);
        set.m_OPhrase = before + "its" + after;
        set.m_MPhrase = before + "his" + after;
        set.m_FPhrase = before + "her" + after;
        set.m_PPhrase = before + "their" + after;
        set.m_AddedBy = "tester";
        set.m_DateAdded = CDbTime::Now();
        set.Update();
    }

    // A saver as the manager's Test button makes it, in fixed colours with a
    // shadow, 43 points, ScrollSpeed 63 (5 pixels a tick, 10 horizontally);
    // its first sentence has come in at the far edge and moved kTicks ticks.
    CScrollTextWnd& StartWithASentence(uint32_t direction) {
        SaverSettings settings;
        settings.m_flags = direction | FlagShadow;
        settings.m_textCol = kText;
        settings.m_bkgndCol = kBackground;
        settings.m_scrollSpeed = 63;
        settings.m_strFontSize = "43";
        StoreSettings(settings);
        SaverRunFlags flags;
        flags.configMode = true;
        CScrollTextWnd& text = *CreateSaver(flags, kArea).TextWindow();
        KillTimer(text.GetSafeHwnd(), CScrollTextWnd::kTimerId);  // the test ticks
        EXPECT_TRUE(TickToNewLine(text));
        const std::string& line = text.Text();
        EXPECT_TRUE(StartsWith(line, "The lighthouse keeper ") || StartsWith(line, "The night ferries "))
            << line;
        for (int i = 0; i < kTicks; ++i)
            Tick(text);
        PumpMessages();
        return text;
    }

    // The line's extent in the text window's font, as DrawText measures it.
    static SIZE Measure(const CScrollTextWnd& text, UINT format) {
        CClientDC screen(nullptr);
        CSelectGuard font(screen.GetSafeHdc(), text.Font());
        RECT r = {0, 0, kArea.right, kArea.bottom};
        DrawTextA(screen.GetSafeHdc(), text.Text().c_str(), -1, &r, DT_CALCRECT | format);
        return {r.right - r.left, r.bottom - r.top};
    }
};

}  // namespace

TEST_F(SentenceOnScreenTest, VerticalWindowIsTheAreaWideAndAsTallAsTheWrappedSentence) {
    const CScrollTextWnd& text = StartWithASentence(FlagVertical);
    const SIZE wrapped = Measure(text, DT_WORDBREAK | DT_CENTER);
    ASSERT_GE(wrapped.cy, 2 * Measure(text, DT_SINGLELINE).cy) << "the sentence should wrap";
    const RECT r = PlaceInParent(text);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, kArea.bottom - kTicks * 5);
    EXPECT_EQ(r.right - r.left, kArea.right);
    EXPECT_EQ(r.bottom - r.top, wrapped.cy + kShadowOffset);
}

TEST_F(SentenceOnScreenTest, HorizontalWindowFitsTheSentenceOnOneLineCentred) {
    const CScrollTextWnd& text = StartWithASentence(0);
    const SIZE line = Measure(text, DT_SINGLELINE);
    const RECT r = PlaceInParent(text);
    EXPECT_EQ(r.left, kArea.right - kTicks * 10);
    EXPECT_EQ(r.right - r.left, line.cx + kShadowOffset);
    EXPECT_EQ(r.bottom - r.top, line.cy + kShadowOffset);
    EXPECT_EQ(r.top, kArea.bottom / 2 - (line.cy + kShadowOffset) / 2);
}

TEST_F(SentenceOnScreenTest, SentenceIsPaintedInTheTextColourOverItsShadow) {
    for (uint32_t direction : {static_cast<uint32_t>(FlagVertical), 0u}) {
        const CScrollTextWnd& text = StartWithASentence(direction);
        const RECT window = PlaceInParent(text);
        const CScreenShot shot(m_saver->GetSafeHwnd());
        EXPECT_GT(shot.Count(kText, window, true), 1000) << direction;
        EXPECT_GT(shot.Count(kShadow, window, true), 100) << direction;
        // Around the line, the background colour and nothing else.
        EXPECT_EQ(shot.Count(kBackground, window, false), shot.PixelsOutside(window)) << direction;
    }
}
