// What the dialogs decide that needs no window: a phrase's details, the
// dates, the help numbers and topics, the colours of the dialog tile and the
// verb forms that typing rewrites.
#include <gtest/gtest.h>

#include <array>

#include "dialogs/core/HelpTopics.h"
#include "dialogs/core/PhraseDetails.h"
#include "dialogs/core/TileColours.h"
#include "dialogs/core/VerbForms.h"
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

TEST(PhraseDetailsTest, EachKindShowsItsNameIconAndFields) {
    const struct {
        int type;
        const char* typeText;
        int iconId;
        std::array<const char*, 4> fields;
    } kinds[] = {
        {0, "Noun", 129, {"Object", "the moon", "", ""}},
        {1, "Noun", 129, {"Masculine", "the moon", "", ""}},
        {2, "Noun", 129, {"Feminine", "the moon", "", ""}},
        {3, "Noun", 129, {"Plural", "the moon", "", ""}},
        {4, "Verb", 130, {"the moon", "ran", "flees", "run"}},
        {5, "Adverb", 131, {"the moon", "ran", "flees", "run"}},
        {7, "", 0, {"", "", "", ""}},  // any other type: only when and who
    };
    for (const auto& kind : kinds) {
        const PhraseDetails details = Describe(kind.type, "the moon", "ran", "flees", "run");
        EXPECT_EQ(details.typeText, kind.typeText) << kind.type;
        EXPECT_EQ(details.iconId, kind.iconId) << kind.type;
        for (int field = 0; field < 4; ++field)
            EXPECT_EQ(details.fields[field], kind.fields[field]) << kind.type << " field " << field;
        EXPECT_EQ(details.creatorText, "Ilse");
        EXPECT_EQ(details.dateText, "Sat 05 Dec 2026 14:03:09");
    }
}

TEST(PhraseDetailsTest, DatesReadAsTheListShowsThem) {
    EXPECT_EQ((CDbTime{2027, 2, 28, 0, 0, 0}).Format("%a %d %b %Y %H:%M:%S"), "Sun 28 Feb 2027 00:00:00");
    EXPECT_EQ((CDbTime{2024, 2, 29, 23, 7, 1}).Format("%a %d %b %Y %H:%M:%S"), "Thu 29 Feb 2024 23:07:01");
    EXPECT_EQ((CDbTime{1999, 1, 9, 1, 2, 3}).Format("%d/%m/%Y"), "09/01/1999");
    // A date column that holds nothing shows nothing rather than a made-up day.
    EXPECT_EQ(CDbTime{}.Format("%d/%m/%Y"), "");
    EXPECT_EQ((CDbTime{2026, 13, 1, 0, 0, 0}).Format("%a"), "");

    // The months after February count the leap day of their own year; a day
    // of each, read off a calendar, and the first of March around leap years.
    const struct {
        CDbTime date;
        const char* shown;
    } days[] = {
        {{2026, 3, 13, 8}, "Fri 13 Mar 2026"}, {{2026, 4, 14, 8}, "Tue 14 Apr 2026"},
        {{2026, 5, 15, 8}, "Fri 15 May 2026"}, {{2026, 6, 16, 8}, "Tue 16 Jun 2026"},
        {{2026, 7, 17, 8}, "Fri 17 Jul 2026"}, {{2026, 8, 18, 8}, "Tue 18 Aug 2026"},
        {{2026, 9, 19, 8}, "Sat 19 Sep 2026"}, {{2026, 10, 20, 8}, "Tue 20 Oct 2026"},
        {{2026, 11, 21, 8}, "Sat 21 Nov 2026"}, {{1999, 11, 30, 8}, "Tue 30 Nov 1999"},
        {{2024, 3, 1, 8}, "Fri 01 Mar 2024"}, {{2000, 3, 1, 8}, "Wed 01 Mar 2000"},
        {{2100, 3, 1, 8}, "Mon 01 Mar 2100"}, {{1900, 3, 1, 8}, "Thu 01 Mar 1900"},
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
    for (int colours : {-1, 8, 16})
        EXPECT_TRUE(UsesGradientTile(colours)) << colours;
    for (int colours : {2, 7})
        EXPECT_FALSE(UsesGradientTile(colours)) << colours;
}

// Forms: 0 Object, 1 Masculine, 2 Feminine, 3 Plural. The words swapped are
// the derivation's own; here, which forms are rewritten from which.
TEST(VerbFormsTest, AChangedFormRewritesTheUntypedFormsBelowItOnly) {
    using Typed = std::array<bool, 4>;
    const struct {
        int changed;
        Typed typed;
        std::vector<int> rewritten;
    } cases[] = {
        {0, {false, false, false, false}, {1, 2, 3}},
        {0, {true, true, false, false}, {2, 3}},
        {0, {true, false, true, true}, {1}},
        {1, {false, false, false, false}, {2, 3}},
        {2, {true, true, true, false}, {3}},
        {3, {false, false, false, false}, {}},
    };
    for (const auto& c : cases) {
        std::vector<int> rewritten;
        for (const FormRewrite& rewrite : FormsDerivedFrom("hears its echo", c.changed, c.typed))
            rewritten.push_back(rewrite.form);
        EXPECT_EQ(rewritten, c.rewritten) << "changed " << c.changed;
    }
    const std::vector<FormRewrite> fromObject = FormsDerivedFrom("was eating its dinner", 0, Typed{});
    ASSERT_EQ(fromObject.size(), 3u);
    EXPECT_EQ(fromObject[2].text, "were eating their dinner");
    EXPECT_EQ(FormsDerivedFrom("hides his face", 1, Typed{})[0].text, "hides her face");
}
