// The rows of the phrase list: their order on screen, finding, inserting and
// removing rows, and the selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manager/core/PhraseListModel.h"
#include "store/PhraseListQueries.h"
#include "store/PhraseRec.h"

namespace {

PhraseListRow Row(int32_t number, const std::string& phrase = "") {
    PhraseListRow row;
    row.phraseNumber = number;
    row.phrase = phrase.empty() ? "p" + std::to_string(number) : phrase;
    return row;
}

std::vector<int32_t> Numbers(const CPhraseListModel& model) {
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < model.Size(); ++i)
        numbers.push_back(model.Row(i).phraseNumber);
    return numbers;
}

// Rows as a refresh puts them in, each at the top.
CPhraseListModel Refreshed(const std::vector<int32_t>& queryOrder) {
    CPhraseListModel model;
    for (int32_t number : queryOrder)
        model.InsertTop(Row(number));
    return model;
}

}  // namespace

TEST(PhraseListModelTest, ShowsTheQueryOrderReversedAndFindsRowsByPhraseNumber) {
    const CPhraseListModel model = Refreshed({11, 23, 37, 41});
    EXPECT_EQ(Numbers(model), (std::vector<int32_t>{41, 37, 23, 11}));
    EXPECT_EQ(model.Row(0).phrase, "p41");
    EXPECT_EQ(model.Find(41), 0);
    EXPECT_EQ(model.Find(11), 3);
    EXPECT_EQ(model.Find(12), -1);
    EXPECT_EQ(CPhraseListModel().Find(0), -1);
}

TEST(PhraseListModelTest, PutsARowAtTheTopTheBottomOrBetweenAndRemovesRows) {
    CPhraseListModel model = Refreshed({11, 23, 37});
    model.InsertAt(0, Row(5));
    model.InsertAt(model.Size(), Row(97));
    model.InsertAt(2, Row(60));
    EXPECT_EQ(Numbers(model), (std::vector<int32_t>{5, 37, 60, 23, 11, 97}));
    model.InsertAt(99, Row(8));  // past the end: the bottom
    EXPECT_EQ(model.Row(model.Size() - 1).phraseNumber, 8);

    model = Refreshed({11, 23, 37, 41, 53});
    model.Erase(0);
    model.Erase(3);
    EXPECT_EQ(Numbers(model), (std::vector<int32_t>{41, 37, 23}));
    model.EraseIf([](const PhraseListRow& row) { return row.phraseNumber % 2 == 1; });
    EXPECT_TRUE(model.Empty());
}

TEST(PhraseListModelTest, SelectionTravelsWithItsRows) {
    CPhraseListModel model = Refreshed({11, 23, 37, 41});
    model.Row(1).selected = true;  // 37
    model.Row(3).selected = true;  // 11
    model.InsertTop(Row(50));
    EXPECT_EQ(model.SelectedCount(), 2);
    EXPECT_EQ(model.NextSelected(-1), 2);
    EXPECT_EQ(model.NextSelected(2), 4);
    EXPECT_EQ(model.NextSelected(4), -1);
    model.Erase(2);
    EXPECT_EQ(model.NextSelected(-1), 3);
    model.ClearSelection();
    EXPECT_EQ(model.SelectedCount(), 0);
}

TEST(PhraseListModelTest, ARowShowsKindDateAuthorAndObjectText) {
    CPhraseRec phrase;
    phrase.m_PhraseNumber = 77;
    phrase.m_OPhrase = "eats its dinner";
    phrase.m_MPhrase = "eats his dinner";
    phrase.m_AddedBy = "Dora";
    phrase.m_DateAdded = CDbTime{1999, 12, 5, 23, 59, 58};
    const int types[] = {0, 3, 4, 5};
    const char* const kinds[] = {"Noun", "Noun", "Verb", "Adverb"};
    const int images[] = {0, 0, 1, 2};
    for (int i = 0; i < 4; ++i) {
        phrase.m_PhraseType = static_cast<uint8_t>(types[i]);
        PhraseListRow row;
        ASSERT_TRUE(MakeListRow(phrase, row));
        EXPECT_STREQ(PhraseKindLabel(row.phraseType), kinds[i]);
        EXPECT_EQ(PhraseKindImage(row.phraseType), images[i]);
        EXPECT_EQ(row.date, "05/12/1999");
        EXPECT_EQ(row.addedBy, "Dora");
        EXPECT_EQ(row.phrase, "eats its dinner");
        EXPECT_EQ(row.phraseNumber, 77);
    }
    for (int unlisted : {6, 7, 255}) {
        phrase.m_PhraseType = static_cast<uint8_t>(unlisted);
        PhraseListRow row;
        EXPECT_FALSE(MakeListRow(phrase, row)) << unlisted;
        EXPECT_EQ(PhraseKindImage(unlisted), -1);
    }
    // A text loaded with a line break (from a file others wrote) is one line in the list.
    phrase.m_PhraseType = 0;
    phrase.m_OPhrase = "a big\r\ndog\twith\x01spots";
    PhraseListRow row;
    ASSERT_TRUE(MakeListRow(phrase, row));
    EXPECT_EQ(row.phrase, "a big dog with spots");
}

namespace {

// Answers with a cell row for each number it knows, and notes each request.
class FakeCellSource : public IPhraseCellSource {
public:
    std::vector<PhraseListRow> ReadCells(const std::vector<int32_t>& numbers) override {
        requests.push_back(numbers);
        std::vector<PhraseListRow> rows;
        for (int32_t number : numbers)
            if (number != gone)
                rows.push_back(Row(number, "cells of " + std::to_string(number)));
        return rows;
    }
    std::vector<std::vector<int32_t>> requests;
    int32_t gone = -1;
};

// A list of keys only, numbered 1 (bottom) to count (top).
CPhraseListModel KeyRows(int32_t count) {
    CPhraseListModel model;
    for (int32_t number = 1; number <= count; ++number) {
        PhraseListRow row;
        EXPECT_TRUE(MakeKeyRow({number, 4}, row));
        model.InsertTop(std::move(row));
    }
    return model;
}

}  // namespace

TEST(PhraseListModelTest, KeyRowsGetTheirCellsAPageAtATimeWhenShown) {
    CPhraseListModel model = KeyRows(100);
    FakeCellSource source;
    model.SetCellSource(&source);
    EXPECT_EQ(model.RowWithCells(0).phrase, "cells of 100");
    ASSERT_EQ(source.requests.size(), 1u);
    EXPECT_EQ(source.requests[0].size(), CPhraseListModel::kCellPage);
    EXPECT_EQ(source.requests[0].front(), 100);
    // The rest of that page is there without another read.
    EXPECT_EQ(model.RowWithCells(CPhraseListModel::kCellPage - 1).phrase, "cells of 69");
    EXPECT_EQ(source.requests.size(), 1u);
    // Near the bottom the page reaches up instead.
    EXPECT_EQ(model.RowWithCells(99).phrase, "cells of 1");
    ASSERT_EQ(source.requests.size(), 2u);
    EXPECT_EQ(source.requests[1].size(), CPhraseListModel::kCellPage);
    // Order, kind and selection stay the rows' own.
    EXPECT_EQ(model.Row(50).phraseNumber, 50);
    EXPECT_EQ(model.Row(50).phraseType, 4);
}

TEST(PhraseListModelTest, APhraseGoneBeforeItsCellsAreReadKeepsEmptyCellsAndIsNotAskedAgain) {
    CPhraseListModel model = KeyRows(3);
    FakeCellSource source;
    source.gone = 2;
    model.SetCellSource(&source);
    EXPECT_EQ(model.RowWithCells(1).phrase, "");
    EXPECT_EQ(model.RowWithCells(0).phrase, "cells of 3");
    EXPECT_EQ(model.RowWithCells(1).phrase, "");
    EXPECT_EQ(source.requests.size(), 1u);
    // Rows that came with their cells never ask.
    model.InsertTop(Row(9, "added"));
    EXPECT_EQ(model.RowWithCells(0).phrase, "added");
    EXPECT_EQ(source.requests.size(), 1u);
}
