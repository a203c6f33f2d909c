// NewSentence over pools built by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "framework/base/Random.h"
#include "saver/core/SentenceGenerator.h"

namespace {

PhraseForms Same(const std::string& text) { return PhraseForms{{text, text, text, text}}; }

class SentenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        LastParts() = LastSentenceParts();
        SeedRandom(2024);
    }

    // Pools whose every entry is the same phrase: each line is known.
    void UseOnly(const std::string& noun, int form, const PhraseForms& verb, const PhraseForms& adverb) {
        m_pools.m_nNouns = m_pools.m_nVerbs = m_pools.m_nAdverbs = 2;
        m_pools.m_pNouns.assign(2, NounEntry{noun, form});
        m_pools.m_pVerbs.assign(2, verb);
        m_pools.m_pAdverbs.assign(2, adverb);
    }

    // The line for those pools after a different previous sentence.
    std::string LineFor(const std::string& noun, int form, const PhraseForms& verb,
                        const PhraseForms& adverb) {
        UseOnly(noun, form, verb, adverb);
        LastParts() = LastSentenceParts{"\x01", "\x01", "\x01"};
        return NewSentence(m_pools, false);
    }

    CPhrasePools m_pools;
};

}  // namespace

TEST_F(SentenceTest, LinesFromKnownParts) {
    const PhraseForms broke{{"'s car broke", "'s car broke", "", ""}};
    const PhraseForms lost{{"lost its way", "lost his way", "lost her way", "lost their way"}};
    const PhraseForms noFeminine{{"sang", "sang", "", "sang"}};
    const struct {
        const char* noun;
        int form;
        PhraseForms verb, adverb;
        const char* line;
    } cases[] = {
        // A space only before a word character; a full stop only after one.
        {"my uncle", 1, broke, Same("down"), "My uncle's car broke down."},
        {"it", 0, Same("ran"), Same(", twice!"), "It ran, twice!"},
        {"it", 0, Same("ran"), Same("(away)"), "It ran(away)"},
        {"it", 0, Same("ran"), Same("away."), "It ran away."},
        {"it", 0, Same("ran"), Same("to caf\xE9"), "It ran to caf\xE9."},
        {"it", 0, Same("2 days late"), Same("again"), "It 2 days late again."},
        {"it", 0, Same("ran"), Same("[sic]"), "It ran [sic]."},
        {"it", 0, Same("ran"), Same("@home"), "It ran@home."},
        // The verb and the adverb in the noun's form.
        {"the cat", 0, lost, Same("again"), "The cat lost its way again."},
        {"the aunt", 2, lost, Same("again"), "The aunt lost her way again."},
        {"the twins", 3, lost, Same("again"), "The twins lost their way again."},
        // Only a to z are capitalised, before the parts are trimmed.
        {"zebras", 3, Same("grazed"), Same("calmly"), "Zebras grazed calmly."},
        {"aunts", 3, Same("knitted"), Same("calmly"), "Aunts knitted calmly."},
        {"{someone}", 0, Same("left"), Same("early"), "{someone} left early."},
        {"`quoted`", 0, Same("left"), Same("early"), "`quoted` left early."},
        {"  the dog ", 0, Same(" barked\t"), Same(" loudly \r\n"), "the dog barked loudly."},
        {"\xE9mile", 1, Same("sang"), Same("well"), "\xE9mile sang well."},
        // An empty part adds no space and no full stop.
        {"she", 2, noFeminine, Same("well"), "She well."},
        {"he", 1, Same("sang"), Same(""), "He sang"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineFor(c.noun, c.form, c.verb, c.adverb), c.line);
}

// Texts loaded from data files others wrote may hold line breaks and other
// control characters; the line shows each as a space.
TEST_F(SentenceTest, ControlCharactersInAPhraseShowAsSpaces) {
    EXPECT_EQ(LineFor("a big\r\ndog", 0, Same("ran\tfast"), Same("\x01home\n")), "A big dog ran fast home.");
    EXPECT_EQ(LineFor("\tit", 0, Same("ran"), Same("on\x7f")), "it ran on.");  // a leading blank keeps the case
}

// Empty pools, or a missing entry, give the fallback line of the direction
// and leave the last parts as they were.
TEST_F(SentenceTest, WithoutAPhraseTheFallbackLineShows) {
    EXPECT_EQ(NewSentence(m_pools, false), "\"Sorrowline\" by Edmund Farrow\n-Data List Incomplete-");
    EXPECT_EQ(NewSentence(m_pools, true), "\"Sorrowline\" by Edmund Farrow   -Data List Incomplete-");
    UseOnly("dog", 0, Same("ran"), Same("off"));
    m_pools.m_pVerbs[0].reset();
    m_pools.m_pVerbs[1].reset();
    LastParts() = LastSentenceParts{"A", "b", "c"};
    EXPECT_EQ(NewSentence(m_pools, true), kFallbackHorizontal);
    EXPECT_EQ(LastParts().noun, "A");
    EXPECT_EQ(LastParts().verb, "b");
}

TEST_F(SentenceTest, NeverRepeatsAPartOfTheLastLine) {
    // Whichever part has only two choices, each part differs from the line before.
    const char* const kParts[] = {"noun", "verb", "adverb"};
    for (int scarce = 0; scarce < 3; ++scarce) {
        const auto count = [scarce](int part) { return part == scarce ? 2 : 3; };
        m_pools.m_nNouns = count(0);
        m_pools.m_nVerbs = count(1);
        m_pools.m_nAdverbs = count(2);
        m_pools.m_pNouns = {NounEntry{"cat", 0}, NounEntry{"dog", 0}, NounEntry{"owl", 0}};
        m_pools.m_pVerbs = {Same("ran"), Same("sat"), Same("hid")};
        m_pools.m_pAdverbs = {Same("here"), Same("there"), Same("away")};
        m_pools.m_pNouns.resize(count(0));
        m_pools.m_pVerbs.resize(count(1));
        m_pools.m_pAdverbs.resize(count(2));

        std::istringstream first(NewSentence(m_pools, false));
        std::string previous[3];
        first >> previous[0] >> previous[1] >> previous[2];
        for (int i = 0; i < 40; ++i) {
            std::istringstream line(NewSentence(m_pools, false));
            std::string parts[3];
            line >> parts[0] >> parts[1] >> parts[2];
            for (int part = 0; part < 3; ++part) {
                ASSERT_NE(parts[part], previous[part]) << kParts[part] << " repeated, line " << i;
                previous[part] = parts[part];
            }
        }
    }
}

TEST_F(SentenceTest, CapitalisedTwinsCountAsARepeat) {
    m_pools.m_nNouns = m_pools.m_nVerbs = m_pools.m_nAdverbs = 3;
    m_pools.m_pNouns = {NounEntry{"cat", 0}, NounEntry{"Cat", 0}, NounEntry{"owl", 0}};
    m_pools.m_pVerbs = {Same("ran"), Same("sat"), Same("hid")};
    m_pools.m_pAdverbs = {Same("here"), Same("there"), Same("away")};
    std::string previous = NewSentence(m_pools, false);
    for (int i = 0; i < 50; ++i) {
        const std::string line = NewSentence(m_pools, false);
        ASSERT_NE(line.substr(0, 3), previous.substr(0, 3)) << "\"cat\" and \"Cat\" both show as Cat";
        previous = line;
    }
}

TEST_F(SentenceTest, FirstLineRedrawsEmptyParts) {
    // The last parts start empty, so an empty verb form is not taken first.
    m_pools.m_nNouns = m_pools.m_nVerbs = m_pools.m_nAdverbs = 2;
    m_pools.m_pNouns = {NounEntry{"she", 2}, NounEntry{"he", 1}};
    m_pools.m_pVerbs = {PhraseForms{{"ran", "ran", "", "ran"}}, PhraseForms{{"ran", "ran", "", "ran"}}};
    m_pools.m_pAdverbs = {Same("off"), Same("away")};
    for (int i = 0; i < 20; ++i) {
        LastParts() = LastSentenceParts();
        EXPECT_EQ(NewSentence(m_pools, false).substr(0, 6), "He ran");
    }
}

TEST_F(SentenceTest, PoolsThatCanOnlyRepeatStillGiveALine) {
    // Every noun reads the same: without a bound the draws would never end.
    UseOnly("cat", 0, Same("ran"), Same("off"));
    EXPECT_EQ(NewSentence(m_pools, false), "Cat ran off.");
    EXPECT_EQ(NewSentence(m_pools, false), "Cat ran off.");
}

TEST(WordCharTest, Classes) {
    for (char c : std::string("09AZaz[\\]^_`{|}~\x7F\x80\xE9\xFF"))
        EXPECT_TRUE(IsWordChar(c)) << static_cast<int>(static_cast<unsigned char>(c));
    for (char c : std::string(" !\"#$%&'()*+,-./:;<=>?@\t\n"))
        EXPECT_FALSE(IsWordChar(c)) << static_cast<int>(static_cast<unsigned char>(c));
}
