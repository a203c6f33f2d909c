// Deriving the forms of a verb or adverb phrase by swapping pronoun words.
#include <gtest/gtest.h>

#include "store/DeriveForm.h"

namespace {

constexpr int kObject = 0, kMasculine = 1, kFeminine = 2, kPlural = 3;

}  // namespace

TEST(DeriveFormTest, SwapsEachKindOfWordForEveryForm) {
    EXPECT_EQ(DeriveForm("was eating its dinner", kObject, kMasculine), "was eating his dinner");
    EXPECT_EQ(DeriveForm("was eating its dinner", kObject, kFeminine), "was eating her dinner");
    EXPECT_EQ(DeriveForm("was eating its dinner", kObject, kPlural), "were eating their dinner");
    EXPECT_EQ(DeriveForm("eats its food and it is happy", kObject, kPlural),
              "eats their food and they are happy");
    EXPECT_EQ(DeriveForm("eats its food and it is happy", kObject, kFeminine),
              "eats her food and she is happy");
    EXPECT_EQ(DeriveForm("thinks it's time it went home", kObject, kFeminine),
              "thinks she's time she went home");
    EXPECT_EQ(DeriveForm("thinks it's time it went home", kObject, kPlural),
              "thinks they're time they went home");
    EXPECT_EQ(DeriveForm("saw itself in it and was proud", kObject, kMasculine),
              "saw himself in he and was proud");
}

TEST(DeriveFormTest, WorksFromTheHigherFormsToo) {
    EXPECT_EQ(DeriveForm("hides his face as he's shy", kMasculine, kFeminine),
              "hides her face as she's shy");
    EXPECT_EQ(DeriveForm("hides his face as he's shy", kMasculine, kPlural),
              "hides their face as they're shy");
    EXPECT_EQ(DeriveForm("told herself she was late", kFeminine, kPlural),
              "told themselves they were late");
    // "is" and "was" do not change between the singular forms.
    EXPECT_EQ(DeriveForm("knows she is right", kFeminine, kMasculine), "knows he is right");
}

TEST(DeriveFormTest, AWordNeedsItsSpacesExceptWasAtTheStart) {
    EXPECT_EQ(DeriveForm("is eating its dinner", kObject, kPlural), "is eating their dinner");
    EXPECT_EQ(DeriveForm("was late", kObject, kPlural), "were late");
    for (int form : {kMasculine, kFeminine, kPlural})
        EXPECT_EQ(DeriveForm("hurt itself", kObject, form), "hurt itself") << form;
    EXPECT_EQ(DeriveForm("its own", kObject, kPlural), "its own");
    EXPECT_EQ(DeriveForm("ate it", kObject, kPlural), "ate it");
}

TEST(DeriveFormTest, OnlyTheFirstOccurrenceOfAKindIsSwapped) {
    EXPECT_EQ(DeriveForm("told it that it was late", kObject, kPlural), "told they that it were late");
    EXPECT_EQ(DeriveForm("lost its hat and its way", kObject, kFeminine), "lost her hat and its way");
}

TEST(DeriveFormTest, CapitalsAndLookalikesAreNotSwapped) {
    EXPECT_EQ(DeriveForm("said It is fine", kObject, kPlural), "said It are fine");
    EXPECT_EQ(DeriveForm("hums He's here", kMasculine, kPlural), "hums He's here");
    EXPECT_EQ(DeriveForm("visits italy with its owner", kObject, kMasculine),
              "visits italy with his owner");
    EXPECT_EQ(DeriveForm("washes dishes", kObject, kPlural), "washes dishes");
}

// A swap earlier in the text moves the later ones by the change in length,
// in whichever order the kinds are swapped.
TEST(DeriveFormTest, SwapsThatChangeTheLengthKeepTheRestInPlace) {
    EXPECT_EQ(DeriveForm("says it is its own and it's itself now", kObject, kPlural),
              "says they are their own and they're themselves now");
    EXPECT_EQ(DeriveForm("said it was its turn", kObject, kPlural), "said they were their turn");
    EXPECT_EQ(DeriveForm("x its it y", kObject, kPlural), "x their they y");
    EXPECT_EQ(DeriveForm("so they're sure they are ready", kPlural, kObject), "so it's sure it is ready");
}

TEST(DeriveFormTest, EqualEntriesAndEmptyTextsChangeNothing) {
    EXPECT_EQ(DeriveForm("", kObject, kPlural), "");
    EXPECT_EQ(DeriveForm("it was", kObject, kMasculine), "it was");
    EXPECT_EQ(DeriveForm("was it", kObject, kFeminine), "was it");
    EXPECT_EQ(DeriveForm("runs", kObject, kObject), "runs");
}

TEST(DeriveFormTest, MissingFormsComeFromTheNearestGivenFormAbove) {
    const FormTexts fromObject = DeriveMissingForms("was eating its dinner", {}, {}, {});
    EXPECT_EQ(fromObject, (FormTexts{"was eating its dinner", "was eating his dinner",
                                     "was eating her dinner", "were eating their dinner"}));
    const FormTexts fromMasculine = DeriveMissingForms("washes its car", "polishes his car", {}, {});
    EXPECT_EQ(fromMasculine[2], "polishes her car");
    EXPECT_EQ(fromMasculine[3], "polishes their car");
    const FormTexts allGiven = DeriveMissingForms("a", "b", "c", "d");
    EXPECT_EQ(allGiven, (FormTexts{"a", "b", "c", "d"}));
    const FormTexts skipping = DeriveMissingForms("sees it is late", {}, "sees she is late now", {});
    EXPECT_EQ(skipping[1], "sees he is late");
    EXPECT_EQ(skipping[3], "sees they are late now");
}
