// Header clicks on the phrase list and the query order they give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/core/SortKeys.h"

namespace {

// The sort after clicking the headers of these columns, from the start.
std::string AfterClicks(const std::vector<int>& columns) {
    CSortKeys keys;
    for (int column : columns)
        keys.Toggle(SortColumnName(column));
    return keys.Joined();
}

constexpr int kType = 0, kDate = 1, kAddedBy = 2, kPhrase = 3;

}  // namespace

TEST(SortKeysTest, StartShowsTheNewestFirst) {
    EXPECT_EQ(AfterClicks({}), "DateAdded,PhraseType DESC,AddedBy DESC,OPhrase DESC");
}

TEST(SortKeysTest, ASecondClickOnThePrimaryColumnReversesIt) {
    EXPECT_EQ(AfterClicks({kDate}), "DateAdded DESC,PhraseType DESC,AddedBy DESC,OPhrase DESC");
    EXPECT_EQ(AfterClicks({kDate, kDate}), "DateAdded,PhraseType DESC,AddedBy DESC,OPhrase DESC");
    EXPECT_EQ(AfterClicks({kPhrase, kPhrase}), "OPhrase,DateAdded,PhraseType DESC,AddedBy DESC");
    EXPECT_EQ(AfterClicks({kPhrase, kPhrase, kPhrase}),
              "OPhrase DESC,DateAdded,PhraseType DESC,AddedBy DESC");
}

// The keys before the clicked one move back a place; those after it stay.
TEST(SortKeysTest, AColumnMovesToTheFrontInItsOwnDirection) {
    EXPECT_EQ(AfterClicks({kPhrase}), "OPhrase DESC,DateAdded,PhraseType DESC,AddedBy DESC");
    EXPECT_EQ(AfterClicks({kPhrase, kDate}), "DateAdded,OPhrase DESC,PhraseType DESC,AddedBy DESC");
    EXPECT_EQ(AfterClicks({kAddedBy, kType}), "PhraseType DESC,AddedBy DESC,DateAdded,OPhrase DESC");
    EXPECT_EQ(AfterClicks({kAddedBy}), "AddedBy DESC,DateAdded,PhraseType DESC,OPhrase DESC");
}

// A column keeps no memory of its last direction: coming back to the front
// it starts in its own again, DateAdded ascending, the others descending.
TEST(SortKeysTest, AColumnComingBackToTheFrontStartsInItsOwnDirection) {
    EXPECT_EQ(AfterClicks({kType, kType, kPhrase, kType}),
              "PhraseType DESC,OPhrase DESC,DateAdded,AddedBy DESC");
    EXPECT_EQ(AfterClicks({kDate, kPhrase, kDate}),
              "DateAdded,OPhrase DESC,PhraseType DESC,AddedBy DESC");
}

TEST(SortKeysTest, AnUnknownColumnChangesNothing) {
    EXPECT_EQ(AfterClicks({4}), AfterClicks({}));
    EXPECT_EQ(AfterClicks({-1}), AfterClicks({}));
    CSortKeys keys;
    keys.Toggle("dateadded");  // names compare exactly
    EXPECT_EQ(keys.Joined(), AfterClicks({}));
}

// Only the date, primary and reversed, puts the oldest phrase at the top.
TEST(SortKeysTest, OnlyTheReversedDateShowsTheOldestFirst) {
    EXPECT_FALSE(CSortKeys().ShowsOldestFirst());
    CSortKeys keys;
    keys.Toggle(SortColumnName(kDate));
    EXPECT_TRUE(keys.ShowsOldestFirst());
    keys.Toggle(SortColumnName(kPhrase));  // the reversed date stays second
    EXPECT_FALSE(keys.ShowsOldestFirst());
    keys.Toggle(SortColumnName(kDate));  // back in front, in its own direction
    EXPECT_FALSE(keys.ShowsOldestFirst());
}
