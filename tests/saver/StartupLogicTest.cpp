// The random generator, the decimal reader and the command-line decision.
#include <gtest/gtest.h>

#include <set>

#include "app/core/CommandLine.h"
#include "framework/base/ParseDecimal.h"
#include "framework/base/Random.h"

TEST(RandomIntTest, KnownSeedGivesTheGeneratorsKnownSequence) {
    // The 15-bit generator seeded with 1 yields 41, 18467, 6334, 26500, 19169;
    // over 0..32767 the scaling hands the draw back unchanged.
    SeedRandom(1);
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(RandomInt(32768), expected);
}

TEST(RandomIntTest, StaysInRangeAndReachesBothEnds) {
    SeedRandom(12345);
    std::set<int> seen;
    for (int i = 0; i < 20000; ++i) {
        const int value = RandomInt(256);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 255);
        seen.insert(value);
        // r * (n - 1) passes 2^31 here; it must not wrap to a negative index.
        const int large = RandomInt(100000);
        ASSERT_GE(large, 0);
        ASSERT_LT(large, 100000);
    }
    EXPECT_EQ(seen.size(), 256u);
}

TEST(RandomIntTest, SmallRanges) {
    SeedRandom(99);
    int ones = 0;
    for (int i = 0; i < 10000; ++i) {
        EXPECT_EQ(RandomInt(0), 0);
        EXPECT_EQ(RandomInt(1), 0);
        const int coin = RandomInt(2);
        ASSERT_TRUE(coin == 0 || coin == 1);
        ones += coin;
    }
    EXPECT_GT(ones, 4700);
    EXPECT_LT(ones, 5300);
}

TEST(RandomIntTest, EveryCallAdvancesTheSequence) {
    // n = 0 or 1 still takes a draw, so pools of any size stay in step.
    SeedRandom(1);
    RandomInt(1);
    EXPECT_EQ(RandomInt(32768), 18467);
}

TEST(ParseDecimalTest, ReadsLeadingDigitsOnly) {
    EXPECT_EQ(ParseDecimal("4711"), 4711u);
    EXPECT_EQ(ParseDecimal("4711 rest"), 4711u);
    EXPECT_EQ(ParseDecimal("12abc"), 12u);
    EXPECT_EQ(ParseDecimal(""), 0u);
    EXPECT_EQ(ParseDecimal("abc"), 0u);
    EXPECT_EQ(ParseDecimal(" 5"), 0u);
    EXPECT_EQ(ParseDecimal("4294967296"), 0u);  // 32-bit arithmetic wraps
}

namespace {

RunModeChoice Decide(const char* commandLine, uint32_t existingWindow = 4711) {
    return DecideRunMode(commandLine, [existingWindow](uint32_t h) { return h == existingWindow; });
}

}  // namespace

TEST(DecideRunModeTest, ConfigurationForNothingOrC) {
    for (const char* line : {"", "/c", "-C", "c", "/c:4711", "  /c", "/-/ c"})
        EXPECT_EQ(Decide(line).mode, RunMode::Configuration) << "\"" << line << "\"";
    EXPECT_EQ(DecideRunMode(nullptr, [](uint32_t) { return true; }).mode, RunMode::Configuration);
}

TEST(DecideRunModeTest, FullScreenForS) {
    for (const char* line : {"/s", "/S", "-s", "s", "   /s", "/s 1234", "/saver"})
        EXPECT_EQ(Decide(line).mode, RunMode::FullScreen) << "\"" << line << "\"";
}

TEST(DecideRunModeTest, PreviewNeedsAnExistingWindow) {
    RunModeChoice choice = Decide("/p 4711");
    EXPECT_EQ(choice.mode, RunMode::Preview);
    EXPECT_EQ(choice.previewWindow, 4711u);
    EXPECT_EQ(Decide("/P4711").mode, RunMode::Preview);
    EXPECT_EQ(Decide("-p   4711").mode, RunMode::Preview);

    // Otherwise the dispatch goes on at the number's first character.
    EXPECT_EQ(Decide("/p").mode, RunMode::Configuration);
    EXPECT_EQ(Decide("/p ").mode, RunMode::Configuration);
    EXPECT_EQ(Decide("/p c").mode, RunMode::Configuration);
    EXPECT_EQ(Decide("/p s").mode, RunMode::FullScreen);
    EXPECT_EQ(Decide("/p 0").mode, RunMode::None);
    EXPECT_EQ(Decide("/p 1234").mode, RunMode::None);  // names no window
}

TEST(DecideRunModeTest, PasswordWhateverFollows) {
    for (const char* line : {"/a", "/A", "-a 1234", "/a:s", "a"})
        EXPECT_EQ(Decide(line).mode, RunMode::Password) << "\"" << line << "\"";
}

TEST(DecideRunModeTest, UnknownCharactersEndStartUp) {
    for (const char* line : {"/x", "1234", "\t/s", "/?", "\xE9"})
        EXPECT_EQ(Decide(line).mode, RunMode::None) << "\"" << line << "\"";
}
