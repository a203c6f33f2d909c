// The saver over a data source that holds phrases: a real sentence is
// measured, placed and painted, as the screen shows it.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/Gdi.h"
#include "saver/core/SentenceGenerator.h"
#include "tests/support/TestDataSource.h"
#include "tests/windows/WinTestSupport.h"

namespace {

constexpr COLORREF kText = RGB(247, 211, 23);
constexpr COLORREF kBackground = RGB(19, 37, 83);
constexpr COLORREF kShadow = RGB(133, 124, 53);  // the channels' truncated means
constexpr RECT kArea = {0, 0, 517, 389};
constexpr int kShadowOffset = 6;  // 43 points: 430 / 70 = 6.14
constexpr int kTicks = 40;

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
        auto form = [&](const char* possessive) { return "'" + before + possessive + after + "', "; };
        Exec("INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, AddedBy, DateAdded, PhraseType) VALUES (" +
             form("its") + form("his") + form("her") + form("their") + "'tester', '2026-01-02 03:04:05', " +
             std::to_string(type) + ")");
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
        CScrollTextWnd& text = *CreateSaver(flags, kArea, &m_store).TextWindow();
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

    // On the line, the text colour over its shadow; around it, the background and nothing else.
    void ExpectPaintedOverItsShadow(const RECT& line) {
        CClientDC dc(m_saver->GetSafeHwnd());
        int text = 0, shadow = 0, otherAround = 0;
        for (int y = kArea.top; y < kArea.bottom; ++y)
            for (int x = kArea.left; x < kArea.right; ++x) {
                const COLORREF pixel = GetPixel(dc.GetSafeHdc(), x, y);
                if (PtInRect(&line, POINT{x, y})) {
                    text += pixel == kText;
                    shadow += pixel == kShadow;
                } else {
                    otherAround += pixel != kBackground;
                }
            }
        EXPECT_GT(text, 1000);
        EXPECT_GT(shadow, 100);
        EXPECT_EQ(otherAround, 0);
    }
};

}  // namespace

TEST_F(SentenceOnScreenTest, VerticalLineIsTheAreaWideAsTallAsTheWrappedSentenceAndPainted) {
    const CScrollTextWnd& text = StartWithASentence(FlagVertical);
    const SIZE wrapped = Measure(text, DT_WORDBREAK | DT_CENTER);
    ASSERT_GE(wrapped.cy, 2 * Measure(text, DT_SINGLELINE).cy) << "the sentence should wrap";
    const RECT r = PlaceInParent(text);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, kArea.bottom - kTicks * 5);
    EXPECT_EQ(r.right - r.left, kArea.right);
    EXPECT_EQ(r.bottom - r.top, wrapped.cy + kShadowOffset);
    ExpectPaintedOverItsShadow(r);
}

TEST_F(SentenceOnScreenTest, HorizontalLineFitsTheSentenceOnOneLineCentredAndPainted) {
    const CScrollTextWnd& text = StartWithASentence(0);
    const SIZE line = Measure(text, DT_SINGLELINE);
    const RECT r = PlaceInParent(text);
    EXPECT_EQ(r.left, kArea.right - kTicks * 10);
    EXPECT_EQ(r.right - r.left, line.cx + kShadowOffset);
    EXPECT_EQ(r.bottom - r.top, line.cy + kShadowOffset);
    EXPECT_EQ(r.top, kArea.bottom / 2 - (line.cy + kShadowOffset) / 2);
    ExpectPaintedOverItsShadow(r);
}
