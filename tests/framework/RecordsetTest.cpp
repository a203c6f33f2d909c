// The record layer against the real data source of this test run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "framework/odbc/DBException.h"
#include "store/PhraseRec.h"
#include "tests/support/TestDataSource.h"

namespace {

class RecordsetTest : public StoreTest {
protected:
    // Stores a phrase through the record layer, bypassing the counts.
    void Add(CPhraseRec& set, int type, const std::string& object, const std::string& by = "ann") {
        set.AddNew();
        set.m_PhraseType = static_cast<uint8_t>(type);
        set.m_OPhrase = object;
        set.m_AddedBy = by;
        set.m_DateAdded = CDbTime{2026, 12, 6, 10, 11, 12};
        set.Update();
    }

    static std::string Lower(std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    std::vector<std::string> Texts(CPhraseRec& set) {
        std::vector<std::string> texts;
        for (; !set.IsEOF(); set.MoveNext())
            texts.push_back(set.m_OPhrase);
        return texts;
    }
};

}  // namespace

TEST_F(RecordsetTest, StoredRowReadsBackFieldForField) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    const std::string longText(255, 'x');
    set.AddNew();
    set.m_OPhrase = longText;
    set.m_MPhrase = "he's \"quoted\"";
    set.m_FPhrase = "";
    set.m_PPhrase = "caf\xE9";  // a byte of the ANSI code page above 127
    set.m_AddedBy = "Ann";
    set.m_DateAdded = CDbTime{2026, 12, 6, 23, 59, 58};
    set.m_PhraseType = 255;
    set.Update();
    ASSERT_TRUE(set.Rerun());
    ASSERT_FALSE(set.IsEOF());
    EXPECT_EQ(set.m_OPhrase, longText);
    EXPECT_EQ(set.m_MPhrase, "he's \"quoted\"");
    EXPECT_EQ(set.m_FPhrase, "");
    EXPECT_EQ(set.m_PPhrase, "caf\xE9");
    EXPECT_EQ(set.m_AddedBy, "Ann");
    EXPECT_EQ(set.m_DateAdded, (CDbTime{2026, 12, 6, 23, 59, 58}));
    EXPECT_EQ(set.m_PhraseType, 255);
    EXPECT_GT(set.m_PhraseNumber, 0);
}

// The number and the text are bound in that order, as values, whatever
// the filter uses; names in filters and sorts need no brackets.
TEST_F(RecordsetTest, FiltersTakeTheirParametersAsValuesInTheFieldExchangeOrder) {
    const std::string injection = "O'Brien'); DROP TABLE Phrase; --";
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    Add(set, 4, "runs");
    Add(set, 5, "runs", "amy");
    Add(set, 4, injection);
    Add(set, 0, "a cat", "amy");
    Add(set, 3, "dogs");
    struct Case {
        const char* filter;
        const char* sort;
        int number;
        std::string text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"PhraseType = ? AND OPhrase = ?", "", 4, "runs", {"runs"}},
        {"PhraseType = ? AND OPhrase = ?", "", 4, injection, {injection}},
        {"PhraseType < ?", "OPhrase DESC", 4, "ignored", {"dogs", "a cat"}},
        {"AddedBy = 'amy'", "DateAdded DESC,PhraseType DESC,AddedBy DESC,OPhrase DESC", 0, "", {"runs", "a cat"}},
        {"PhraseNumber = ?", "", 999999, "", {}},
    };
    for (const Case& c : cases) {
        set.m_strFilter = c.filter;
        set.m_strSort = c.sort;
        set.m_NumberParam = c.number;
        set.m_TextParam = c.text;
        ASSERT_TRUE(set.Rerun()) << c.filter;
        EXPECT_EQ(Texts(set), c.expected) << c.filter << " " << c.text;
    }
    EXPECT_TRUE(set.IsBOF());  // an empty set is at both ends at once
    EXPECT_THROW(set.MoveNext(), CDBException);
    EXPECT_EQ(CountRows("Phrase"), 5);
}

TEST_F(RecordsetTest, EditAndDeleteActOnTheCurrentRowOnlyWhileItIsThere) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    Add(set, 4, "twin");
    Add(set, 4, "twin");
    Add(set, 5, "other");
    set.m_strSort = "PhraseNumber";
    ASSERT_TRUE(set.Rerun());

    set.Edit();
    set.m_OPhrase = "changed";
    set.Update();
    EXPECT_EQ(set.m_OPhrase, "changed");  // the snapshot holds the stored values
    set.MoveNext();
    set.CRecordset::Delete();  // the base's Delete: no count is involved
    EXPECT_TRUE(set.IsDeleted());
    set.MoveNext();
    EXPECT_EQ(set.m_OPhrase, "other");

    ASSERT_TRUE(set.Rerun());
    EXPECT_EQ(Texts(set), (std::vector<std::string>{"changed", "other"}));

    ASSERT_TRUE(set.Rerun());
    Exec("DELETE FROM Phrase");  // the current row is gone meanwhile
    set.Edit();
    set.m_OPhrase = "x";
    EXPECT_THROW(set.Update(), CDBException);
}

// A row without a key is found by its old values, NULL among them, and a
// second store without a re-run by the values the first one wrote.
TEST_F(RecordsetTest, RowsWithoutKeyAreFoundByTheValuesLastStored) {
    Exec("DROP INDEX ConfigurationOneRow");  // a table of two rows
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('a', 1, 2, 3)");
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES (NULL, 1, 2, 3)");
    CConfigRecord config(m_store);
    ASSERT_TRUE(config.Open());
    for (; !config.IsEOF(); config.MoveNext()) {
        config.Edit();
        config.m_NumNouns += 10;
        config.m_Administrator += "x";
        config.Update();
        config.Edit();
        config.m_NumNouns += 1;
        EXPECT_NO_THROW(config.Update());
    }
    CConfigRecord fresh(m_store);
    ASSERT_TRUE(fresh.Open());
    std::vector<std::string> administrators;
    for (; !fresh.IsEOF(); fresh.MoveNext()) {
        EXPECT_EQ(fresh.m_NumNouns, 13);
        EXPECT_EQ(fresh.m_NumVerbs, 3);
        administrators.push_back(fresh.m_Administrator);
    }
    std::sort(administrators.begin(), administrators.end());
    EXPECT_EQ(administrators, (std::vector<std::string>{"ax", "x"}));
}

TEST_F(RecordsetTest, DeferredRerunSeesRowsStoredSinceAndReadsOnlyWhenLookedAt) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    set.m_strSort = "PhraseNumber";
    for (int i = 0; i < 50; ++i) {
        Add(set, 4, "v" + std::to_string(i));
        ASSERT_TRUE(set.RerunDeferred());
    }
    // The filter and parameters in force at the re-run count, not later changes.
    set.m_strFilter = "PhraseType = ?";
    set.m_NumberParam = 4;
    ASSERT_TRUE(set.RerunDeferred());
    set.m_NumberParam = 5;
    std::vector<std::string> texts = Texts(set);
    ASSERT_EQ(texts.size(), 50u);
    EXPECT_EQ(texts.front(), "v0");
    EXPECT_EQ(texts.back(), "v49");
}

// Rerun is true only when the query ran: a bad filter is false with the
// driver's reason, and the set never reads as empty until a query runs.
TEST_F(RecordsetTest, FailingQueryIsNeverAnEmptySet) {
    InsertPhrase(5, "kept");
    thePhraseSet.m_strFilter = "NoSuchColumn = 3";
    EXPECT_FALSE(thePhraseSet.Rerun());  // closed: opening runs the query
    EXPECT_FALSE(thePhraseSet.LastError().m_strError.empty());

    thePhraseSet.m_strFilter.clear();
    ASSERT_TRUE(thePhraseSet.Rerun());
    thePhraseSet.m_strFilter = "PhraseType = ? AND NoSuchColumn = ?";
    EXPECT_FALSE(thePhraseSet.Rerun());  // open: the re-run itself fails
    EXPECT_NE(Lower(thePhraseSet.LastError().m_strError).find("nosuchcolumn"), std::string::npos)
        << thePhraseSet.LastError().m_strError;
    EXPECT_THROW(thePhraseSet.IsEOF(), CDBException);
    EXPECT_THROW(thePhraseSet.IsEOF(), CDBException);  // still, not empty now

    thePhraseSet.m_strFilter = "PhraseType = ?";
    thePhraseSet.m_NumberParam = 5;
    ASSERT_TRUE(thePhraseSet.Rerun());
    EXPECT_EQ(Texts(thePhraseSet), std::vector<std::string>{"kept"});
}

// Texts are at most 255 characters on every engine: a longer one is refused
// on the way in, and one that got in behind the program's back raises on
// the way out instead of reading back cut.
TEST_F(RecordsetTest, TextsOverTheColumnLimitNeverPassQuietly) {
    if (CurrentBackend() == TestBackend::Postgres)
        Exec("ALTER TABLE Phrase ALTER COLUMN MPhrase TYPE VARCHAR(400)");
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    set.AddNew();
    set.m_OPhrase = std::string(256, 'y');
    set.m_DateAdded = CDbTime{2026, 12, 6, 10, 11, 12};
    try {
        set.Update();
        FAIL() << "stored a text of 256 characters";
    } catch (const CDBException& e) {
        EXPECT_EQ(e.m_strSqlState, "22001");
    }
    EXPECT_EQ(CountRows("Phrase"), 0);

    Exec("INSERT INTO Phrase (OPhrase, MPhrase, PhraseType) VALUES ('short', '" +
         std::string(301, 'z') + "', 4)");
    EXPECT_FALSE(set.Rerun());
    EXPECT_EQ(set.LastError().m_strSqlState, "01004");
    EXPECT_NE(set.LastError().m_strError.find("column 2"), std::string::npos)
        << set.LastError().m_strError;
    CPhraseRec other(m_store);
    EXPECT_THROW(other.Open(), CDBException);
}

TEST_F(RecordsetTest, AFailedOpenReportsTheDriversStateAndTextAndStaysClosed) {
    Exec("DROP TABLE [Phrase]");
    CPhraseRec set(m_store);
    try {
        set.Open();
        FAIL() << "opened a set over a missing table";
    } catch (const CDBException& e) {
        EXPECT_EQ(e.m_strSqlState.size(), 5u);
        EXPECT_FALSE(e.m_strError.empty());
    }
    EXPECT_FALSE(set.IsOpen());
}
