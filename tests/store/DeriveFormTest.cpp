// Deriving the forms of a verb or adverb phrase by swapping pronoun words.
#include <gtest/gtest.h>

#include "store/DeriveForm.h"

namespace {

constexpr int kObject = 0, kMasculine = 1, kFeminine = 2, kPlural = 3;

struct Derivation {
    const char* text;
    int from, to;
    const char* expected;
};

}  // namespace

TEST(DeriveFormTest, SwapsThePronounWordsBetweenForms) {
    const Derivation cases[] = {
        // Each kind of word, to every form and from the higher forms too.
        {"was eating its dinner", kObject, kMasculine, "was eating his dinner"},
        {"was eating its dinner", kObject, kFeminine, "was eating her dinner"},
        {"eats its food and it is happy", kObject, kPlural, "eats their food and they are happy"},
        {"thinks it's time it went home", kObject, kFeminine, "thinks she's time she went home"},
        {"saw itself in it and was proud", kObject, kMasculine, "saw himself in he and was proud"},
        {"hides his face as he's shy", kMasculine, kPlural, "hides their face as they're shy"},
        {"told herself she was late", kFeminine, kPlural, "told themselves they were late"},
        {"knows she is right", kFeminine, kMasculine, "knows he is right"},  // "is" stays
        // A word needs its spaces, except "was" at the start.
        {"was late", kObject, kPlural, "were late"},
        {"is eating its dinner", kObject, kPlural, "is eating their dinner"},
        {"hurt itself", kObject, kFeminine, "hurt itself"},
        {"its own", kObject, kPlural, "its own"},
        {"ate it", kObject, kPlural, "ate it"},
        // Only the first of a kind is swapped.
        {"told it that it was late", kObject, kPlural, "told they that it were late"},
        {"lost its hat and its way", kObject, kFeminine, "lost her hat and its way"},
        // Capitals and lookalikes are no pronouns.
        {"said It is fine", kObject, kPlural, "said It are fine"},
        {"hums He's here", kMasculine, kPlural, "hums He's here"},
        {"visits italy with its owner", kObject, kMasculine, "visits italy with his owner"},
        {"washes dishes", kObject, kPlural, "washes dishes"},
        // A swap that changes the length moves the later ones, whatever their order.
        {"says it is its own and it's itself now", kObject, kPlural,
         "says they are their own and they're themselves now"},
        {"x its it y", kObject, kPlural, "x their they y"},
        {"so they're sure they are ready", kPlural, kObject, "so it's sure it is ready"},
        // Nothing to swap.
        {"", kObject, kPlural, ""},
        {"it was", kObject, kMasculine, "it was"},
        {"runs", kObject, kObject, "runs"},
    };
    for (const Derivation& c : cases)
        EXPECT_EQ(DeriveForm(c.text, c.from, c.to), c.expected) << c.text << " " << c.from << "->" << c.to;
}

TEST(DeriveFormTest, MissingFormsComeFromTheNearestGivenFormAbove) {
    EXPECT_EQ(DeriveMissingForms("was eating its dinner", {}, {}, {}),
              (FormTexts{"was eating its dinner", "was eating his dinner", "was eating her dinner",
                         "were eating their dinner"}));
    EXPECT_EQ(DeriveMissingForms("a", "b", "c", "d"), (FormTexts{"a", "b", "c", "d"}));
    EXPECT_EQ(DeriveMissingForms("sees it is late", {}, "sees she is late now", {}),
              (FormTexts{"sees it is late", "sees he is late", "sees she is late now",
                         "sees they are late now"}));
}
