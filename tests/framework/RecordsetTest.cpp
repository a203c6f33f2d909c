// The record layer against the real data source of this test run.
#include <gtest/gtest.h>

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

TEST_F(RecordsetTest, EmptySetIsAtBothEndsAtOnce) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_TRUE(set.IsBOF());
    EXPECT_THROW(set.MoveNext(), CDBException);
}

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

TEST_F(RecordsetTest, ParametersFollowTheFieldExchangeOrder) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    Add(set, 4, "runs");
    Add(set, 5, "runs");
    Add(set, 4, "O'Brien'); DROP TABLE Phrase; --");

    set.m_strFilter = "PhraseType = ? AND OPhrase = ?";
    set.m_NumberParam = 5;
    set.m_TextParam = "runs";
    ASSERT_TRUE(set.Rerun());
    ASSERT_FALSE(set.IsEOF());
    EXPECT_EQ(set.m_PhraseType, 5);
    set.MoveNext();
    EXPECT_TRUE(set.IsEOF());

    // A text parameter is a value, never SQL.
    set.m_NumberParam = 4;
    set.m_TextParam = "O'Brien'); DROP TABLE Phrase; --";
    ASSERT_TRUE(set.Rerun());
    EXPECT_EQ(Texts(set), std::vector<std::string>{"O'Brien'); DROP TABLE Phrase; --"});
    EXPECT_EQ(CountRows("Phrase"), 3);
}

TEST_F(RecordsetTest, FilterWithOneMarkerTakesTheNumberOnly) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    Add(set, 0, "a cat");
    Add(set, 3, "dogs");
    Add(set, 4, "barks");
    set.m_strFilter = "PhraseType < ?";
    set.m_strSort = "OPhrase DESC";
    set.m_NumberParam = 4;
    set.m_TextParam = "ignored";
    ASSERT_TRUE(set.Rerun());
    EXPECT_EQ(Texts(set), (std::vector<std::string>{"dogs", "a cat"}));

    set.m_strFilter = "PhraseNumber = ?";
    set.m_NumberParam = 999999;
    ASSERT_TRUE(set.Rerun());
    EXPECT_TRUE(set.IsEOF());
    EXPECT_TRUE(set.IsBOF());
}

TEST_F(RecordsetTest, SortsAndFiltersNameColumnsWithoutBrackets) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    Add(set, 1, "b", "zed");
    Add(set, 1, "a", "amy");
    Add(set, 2, "c", "amy");
    set.m_strFilter = "AddedBy = 'amy'";
    set.m_strSort = "DateAdded DESC,PhraseType DESC,AddedBy DESC,OPhrase DESC";
    ASSERT_TRUE(set.Rerun());
    EXPECT_EQ(Texts(set), (std::vector<std::string>{"c", "a"}));
}

TEST_F(RecordsetTest, EditAndDeleteActOnTheCurrentRowOnly) {
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
}

TEST_F(RecordsetTest, RowWithoutKeyIsUpdatedByItsOldValues) {
    Exec("DROP INDEX ConfigurationOneRow");  // a table of two rows
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('a', 1, 2, 3)");
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES (NULL, 1, 2, 3)");
    CConfigRecord config(m_store);
    ASSERT_TRUE(config.Open());
    for (; !config.IsEOF(); config.MoveNext()) {
        config.Edit();
        config.m_NumNouns += 10;
        config.Update();
    }
    ASSERT_TRUE(config.Rerun());
    int seen = 0;
    for (; !config.IsEOF(); config.MoveNext(), ++seen)
        EXPECT_EQ(config.m_NumNouns, 12);
    EXPECT_EQ(seen, 2);
}

TEST_F(RecordsetTest, RowWithoutKeyStoresTwiceWithoutARerun) {
    // The second store finds the row by the values the first one wrote.
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('Ann', 3, 5, 7)");
    CConfigRecord config(m_store);
    ASSERT_TRUE(config.Open());
    config.Edit();
    config.m_NumNouns = 6;
    config.m_Administrator = "Bea";
    config.Update();
    config.Edit();
    config.m_NumNouns = 8;
    EXPECT_NO_THROW(config.Update());

    CConfigRecord fresh(m_store);
    ASSERT_TRUE(fresh.Open());
    EXPECT_EQ(fresh.m_NumNouns, 8);
    EXPECT_EQ(fresh.m_Administrator, "Bea");
    EXPECT_EQ(fresh.m_NumVerbs, 7);
}

TEST_F(RecordsetTest, UpdateOfARowGoneMeanwhileRaises) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    Add(set, 4, "fleeting");
    ASSERT_TRUE(set.Rerun());
    ASSERT_FALSE(set.IsEOF());
    Exec("DELETE FROM Phrase");
    set.Edit();
    set.m_OPhrase = "x";
    EXPECT_THROW(set.Update(), CDBException);
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

TEST_F(RecordsetTest, FailuresCarryTheDriversStateAndText) {
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

    CDatabase db;
    try {
        db.OpenEx("DSN=NoSuchSourceAnywhere");
        FAIL() << "connected to a missing data source";
    } catch (const CDBException& e) {
        EXPECT_NE(e.m_strError.find("not found"), std::string::npos) << e.m_strError;
    }
}

TEST_F(RecordsetTest, ConnectionReportsItsDatabaseName) {
    CDatabase db;
    db.OpenEx(CStoreContext::kDefaultConnect);
    EXPECT_FALSE(db.GetDatabaseName().empty());
}
