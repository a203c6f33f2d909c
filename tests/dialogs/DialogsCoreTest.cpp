// What the dialogs show that needs no window: a phrase's details, the dates,
// the help numbers, the help topics and the colours of the dialog tile.
#include <gtest/gtest.h>

#include "dialogs/core/HelpTopics.h"
#include "dialogs/core/PhraseDetails.h"
#include "dialogs/core/TileColours.h"
#include "store/PhraseRec.h"

namespace {

// What the details dialog shows of a phrase stored with these values.
PhraseDetails Describe(int type, const char* object, const char* masculine = "", const char* feminine = "",
                       const char* plural = "") {
    CPhraseRec phrase;
    phrase.m_PhraseType = static_cast<uint8_t>(type);
    phrase.m_OPhrase = object;
    phrase.m_MPhrase = masculine;
    phrase.m_FPhrase = feminine;
    phrase.m_PPhrase = plural;
    phrase.m_AddedBy = "Ilse";
    phrase.m_DateAdded = CDbTime{2026, 12, 5, 14, 3, 9};
    return DescribePhrase(phrase);
}

}  // namespace

TEST(PhraseDetailsTest, ANounShowsItsFormAndItsText) {
    const char* const forms[] = {"Object", "Masculine", "Feminine", "Plural"};
    for (int type = 0; type < 4; ++type) {
        const PhraseDetails details = Describe(type, "the moon", "stray");
        EXPECT_EQ(details.typeText, "Noun");
        EXPECT_EQ(details.fields[0], forms[type]);
        EXPECT_EQ(details.fields[1], "the moon");
        EXPECT_EQ(details.fields[2], "");
        EXPECT_EQ(details.fields[3], "");
        EXPECT_EQ(details.iconId, 129);
    }
}

TEST(PhraseDetailsTest, AVerbOrAdverbShowsItsFourForms) {
    const PhraseDetails verb = Describe(4, "runs", "ran", "flees", "run");
    EXPECT_EQ(verb.typeText, "Verb");
    EXPECT_EQ(verb.fields[0], "runs");
    EXPECT_EQ(verb.fields[1], "ran");
    EXPECT_EQ(verb.fields[2], "flees");
    EXPECT_EQ(verb.fields[3], "run");
    EXPECT_EQ(verb.iconId, 130);
    const PhraseDetails adverb = Describe(5, "slowly", "at last", "twice", "soon");
    EXPECT_EQ(adverb.typeText, "Adverb");
    EXPECT_EQ(adverb.fields[3], "soon");
    EXPECT_EQ(adverb.iconId, 131);
}

TEST(PhraseDetailsTest, AnyOtherTypeShowsOnlyWhenAndWho) {
    const PhraseDetails details = Describe(7, "seven", "x");
    EXPECT_EQ(details.typeText, "");
    EXPECT_EQ(details.fields[0], "");
    EXPECT_EQ(details.fields[1], "");
    EXPECT_EQ(details.iconId, 0);
    EXPECT_EQ(details.creatorText, "Ilse");
    EXPECT_FALSE(details.dateText.empty());
}

TEST(PhraseDetailsTest, DatesReadAsTheListAndTheDetailsShowThem) {
    EXPECT_EQ(Describe(5, "x").dateText, "Sat 05 Dec 2026 14:03:09");
    EXPECT_EQ((CDbTime{2027, 2, 28, 0, 0, 0}).Format("%a %d %b %Y %H:%M:%S"), "Sun 28 Feb 2027 00:00:00");
    EXPECT_EQ((CDbTime{2024, 2, 29, 23, 7, 1}).Format("%a %d %b %Y %H:%M:%S"), "Thu 29 Feb 2024 23:07:01");
    EXPECT_EQ((CDbTime{1999, 1, 9, 1, 2, 3}).Format("%d/%m/%Y"), "09/01/1999");
    // A date column that holds nothing shows nothing rather than a made-up day.
    EXPECT_EQ(CDbTime{}.Format("%d/%m/%Y"), "");
    EXPECT_EQ((CDbTime{2026, 13, 1, 0, 0, 0}).Format("%a"), "");
}

// The months after February count the leap day of their own year; a day of
// each, read off a calendar, and the first of March around leap years.
TEST(PhraseDetailsTest, DatesFromMarchToNovemberShowTheirWeekday) {
    const struct {
        CDbTime date;
        const char* shown;
    } days[] = {
        {{2026, 3, 13, 8, 0, 0}, "Fri 13 Mar 2026"},  {{2026, 4, 14, 8, 0, 0}, "Tue 14 Apr 2026"},
        {{2026, 5, 15, 8, 0, 0}, "Fri 15 May 2026"},  {{2026, 6, 16, 8, 0, 0}, "Tue 16 Jun 2026"},
        {{2026, 7, 17, 8, 0, 0}, "Fri 17 Jul 2026"},  {{2026, 8, 18, 8, 0, 0}, "Tue 18 Aug 2026"},
        {{2026, 9, 19, 8, 0, 0}, "Sat 19 Sep 2026"},  {{2026, 10, 20, 8, 0, 0}, "Tue 20 Oct 2026"},
        {{2026, 11, 21, 8, 0, 0}, "Sat 21 Nov 2026"}, {{1999, 11, 30, 8, 0, 0}, "Tue 30 Nov 1999"},
        {{2024, 3, 1, 8, 0, 0}, "Fri 01 Mar 2024"},   {{2000, 3, 1, 8, 0, 0}, "Wed 01 Mar 2000"},
        {{2100, 3, 1, 8, 0, 0}, "Mon 01 Mar 2100"},   {{1900, 3, 1, 8, 0, 0}, "Thu 01 Mar 1900"},
    };
    for (const auto& day : days) {
        CPhraseRec phrase;
        phrase.m_PhraseType = 4;
        phrase.m_DateAdded = day.date;
        EXPECT_EQ(DescribePhrase(phrase).dateText, std::string(day.shown) + " 08:00:00");
    }
}

TEST(HelpNumbersTest, ControlsCarryTheirTemplateAndIdentifier) {
    EXPECT_EQ(HelpContextId(102, 1004), 2154169324u);
    EXPECT_EQ(HelpContextId(137, 1025), 0x80890401u);
    EXPECT_EQ(HelpContextId(136, 1013), 0x808803F5u);
    EXPECT_EQ(HelpContextId(102, 32775), 0x80668007u);
    EXPECT_EQ(HelpContextId(137, 0xFFFF), 0x8089FFFFu);
}

// The form and text fields of a noun have topics of their own; its two
// empty fields have none. A verb keeps the numbers its fields carry.
TEST(HelpNumbersTest, TheDetailsOfANounReplaceFourFieldNumbers) {
    const PhraseDetails noun = Describe(2, "a cat");
    const PhraseDetails verb = Describe(4, "runs");
    const struct {
        int control;
        uint32_t forNoun;
    } fields[] = {{1007, 0x80000001u}, {1017, 0x80000002u}, {1019, 0u}, {1010, 0u}, {1018, 0x808803FAu},
                  {1013, 0x808803F5u}};
    for (const auto& field : fields) {
        const uint32_t carried = HelpContextId(136, static_cast<unsigned>(field.control));
        EXPECT_EQ(DetailsHelpContext(noun, field.control, carried), field.forNoun) << field.control;
        EXPECT_EQ(DetailsHelpContext(verb, field.control, carried), carried) << field.control;
    }
}

TEST(HelpTopicsTest, ReadsOneTopicALine) {
    const CHelpTopics topics(
        "# a comment\n"
        "0x806603EC  The list.\\nSecond line.\r\n"
        "\n"
        "   8089FFFF\tIndented, no prefix.\n"
        "0x80000001 Form of a noun, 50% of it\n"
        "not a topic line\n"
        "0x123456789 too large for a number\n"
        "0x80000002\n");
    EXPECT_EQ(topics.Topic(0x806603EC), "The list.\nSecond line.");
    EXPECT_EQ(topics.Topic(0x8089FFFF), "Indented, no prefix.");
    EXPECT_EQ(topics.Topic(0x80000001), "Form of a noun, 50% of it");
    EXPECT_EQ(topics.Topic(0x80000002), "");  // a number without text is no topic
    EXPECT_EQ(topics.Topic(0), "");
    EXPECT_EQ(topics.Count(), 3u);
}

TEST(TileColourMapTest, TwelfthStepsFromTheFaceTowardTheHighlight) {
    // Worked out by hand: face + i * (highlight - face) / 12, truncated.
    auto map = TileColourMap(MakeColour(0, 0, 0), MakeColour(240, 240, 240));
    EXPECT_EQ(map[0].to, MakeColour(0, 0, 0));
    EXPECT_EQ(map[11].to, MakeColour(220, 220, 220));  // one step short of the highlight

    map = TileColourMap(MakeColour(212, 208, 200), MakeColour(255, 255, 255));
    EXPECT_EQ(map[1].to, MakeColour(215, 211, 204));
    EXPECT_EQ(map[11].to, MakeColour(251, 251, 250));

    // Each channel on its own, also downward, truncating the whole value:
    // 200 - 76.25 gives 123, not 200 - 76.
    map = TileColourMap(MakeColour(200, 17, 129), MakeColour(17, 200, 64));
    EXPECT_EQ(map[5].to, MakeColour(123, 93, 101));
    EXPECT_EQ(map[11].to, MakeColour(32, 184, 69));
}

TEST(TileColourMapTest, GradientFromEightColoursUp) {
    EXPECT_TRUE(UsesGradientTile(-1));
    EXPECT_TRUE(UsesGradientTile(8));
    EXPECT_TRUE(UsesGradientTile(16));
    EXPECT_FALSE(UsesGradientTile(7));
    EXPECT_FALSE(UsesGradientTile(2));
}
