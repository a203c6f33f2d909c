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

TEST(SortKeysTest, HeaderClicksGiveTheQueryOrder) {
    const char* const start = "DateAdded,PhraseType DESC,AddedBy DESC,OPhrase DESC";  // the newest first
    const struct {
        std::vector<int> clicks;
        const char* sort;
    } cases[] = {
        {{}, start},
        // A second click on the primary column reverses it.
        {{kDate}, "DateAdded DESC,PhraseType DESC,AddedBy DESC,OPhrase DESC"},
        {{kDate, kDate}, start},
        {{kPhrase, kPhrase}, "OPhrase,DateAdded,PhraseType DESC,AddedBy DESC"},
        {{kPhrase, kPhrase, kPhrase}, "OPhrase DESC,DateAdded,PhraseType DESC,AddedBy DESC"},
        // A column moves to the front in its own direction: the keys before
        // it move back a place, those after it stay.
        {{kPhrase}, "OPhrase DESC,DateAdded,PhraseType DESC,AddedBy DESC"},
        {{kPhrase, kDate}, "DateAdded,OPhrase DESC,PhraseType DESC,AddedBy DESC"},
        {{kAddedBy, kType}, "PhraseType DESC,AddedBy DESC,DateAdded,OPhrase DESC"},
        {{kAddedBy}, "AddedBy DESC,DateAdded,PhraseType DESC,OPhrase DESC"},
        // No memory of a column's last direction: back in front, it starts in its own.
        {{kType, kType, kPhrase, kType}, "PhraseType DESC,OPhrase DESC,DateAdded,AddedBy DESC"},
        {{kDate, kPhrase, kDate}, "DateAdded,OPhrase DESC,PhraseType DESC,AddedBy DESC"},
        // An unknown column changes nothing.
        {{4}, start},
        {{-1}, start},
    };
    for (const auto& c : cases) {
        std::string clicks;
        for (int column : c.clicks)
            clicks += std::to_string(column) + " ";
        EXPECT_EQ(AfterClicks(c.clicks), c.sort) << "clicks: " << clicks;
    }
    CSortKeys keys;
    keys.Toggle("dateadded");  // names compare exactly
    EXPECT_EQ(keys.Joined(), start);
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
