// The phrase service: duplicates, storing with its counts, deleting under
// the permission rule, Empty and what it reports.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "store/PhraseRec.h"
#include "store/PhraseService.h"
#include "tests/support/TestDataSource.h"

namespace {

class PhraseServiceTest : public StoreTest {
protected:
    static PhraseInput Phrase(int phraseType, const std::string& object) {
        PhraseInput phrase;
        phrase.phraseType = static_cast<uint8_t>(phraseType);
        phrase.texts = {object, object, object, object};
        return phrase;
    }

    int32_t Add(int phraseType, const std::string& object, const std::string& author) {
        const AddOutcome added = m_service.Add(Phrase(phraseType, object), &author);
        EXPECT_TRUE(added.stored) << added.failure;
        return added.phraseNumber;
    }

    std::map<int32_t, DeleteOutcome> Delete(const std::vector<int32_t>& numbers, const std::string& user) {
        std::map<int32_t, DeleteOutcome> outcomes;
        m_service.Delete(numbers, user, [&](int32_t number, DeleteOutcome outcome) {
            EXPECT_TRUE(outcomes.emplace(number, outcome).second) << "phrase " << number << " reported twice";
        });
        return outcomes;
    }

    std::vector<int32_t> RowCounts() {
        return {static_cast<int32_t>(CountRows("Phrase WHERE PhraseType < 4")),
                static_cast<int32_t>(CountRows("Phrase WHERE PhraseType = 4")),
                static_cast<int32_t>(CountRows("Phrase WHERE PhraseType = 5"))};
    }

    // The data source refuses to delete any phrase whose text starts "kept".
    void KeepPhrasesNamedKept() {
        if (CurrentBackend() == TestBackend::Sqlite) {
            Exec("CREATE TRIGGER KeepKept BEFORE DELETE ON Phrase WHEN OLD.OPhrase LIKE 'kept%' "
                 "BEGIN SELECT RAISE(ABORT, 'this phrase is kept'); END");
            return;
        }
        Exec("CREATE OR REPLACE FUNCTION keep_kept() RETURNS trigger AS $$ BEGIN "
             "IF OLD.OPhrase LIKE 'kept%' THEN RAISE EXCEPTION 'this phrase is kept'; END IF; "
             "RETURN OLD; END $$ LANGUAGE plpgsql");
        Exec("CREATE TRIGGER KeepKept BEFORE DELETE ON Phrase FOR EACH ROW EXECUTE FUNCTION keep_kept()");
    }

    const std::string m_user = CurrentUserName();
    CPhraseService m_service{m_store, thePhraseSet};
};

}  // namespace

TEST_F(PhraseServiceTest, ANounMatchesANounOfAnyFormButNoOtherKind) {
    InsertPhrase(3, "the crowds");
    InsertPhrase(5, "at once");
    EXPECT_TRUE(m_service.CheckDuplicate(Phrase(0, "the crowds")).exists);
    EXPECT_TRUE(m_service.CheckDuplicate(Phrase(2, "the crowds")).exists);
    EXPECT_FALSE(m_service.CheckDuplicate(Phrase(4, "the crowds")).exists);
    EXPECT_FALSE(m_service.CheckDuplicate(Phrase(4, "at once")).exists);
    EXPECT_TRUE(m_service.CheckDuplicate(Phrase(5, "at once")).exists);
    EXPECT_FALSE(m_service.CheckDuplicate(Phrase(0, "the crowd")).exists);
}

TEST_F(PhraseServiceTest, AFailedAddLeavesTheCountsAsTheyWere) {
    Add(0, "the moon", m_user);
    const std::string tooLong(256, 'n');
    const AddOutcome added = m_service.Add(Phrase(0, "the sun"), &tooLong);
    EXPECT_FALSE(added.stored);
    EXPECT_FALSE(added.failure.empty());
    EXPECT_EQ(CountRows("Phrase"), 1);
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{1, 0, 0}));
}

TEST_F(PhraseServiceTest, EachNumberIsDeletedRefusedOrReportedMissing) {
    InsertConfiguration("boss");
    const int32_t mine = Add(0, "mine", m_user);
    const int32_t theirs = Add(4, "theirs", "other");
    const int32_t mineInCapitals = Add(5, "also mine", "SOMEONE");
    const auto outcomes = Delete({mine, theirs, 999999, mineInCapitals}, m_user);
    EXPECT_EQ(outcomes.at(mine), DeleteOutcome::Deleted);
    EXPECT_EQ(outcomes.at(theirs), DeleteOutcome::Refused);
    EXPECT_EQ(outcomes.at(999999), DeleteOutcome::NotDeleted);
    EXPECT_EQ(outcomes.at(mineInCapitals), DeleteOutcome::Refused);
    EXPECT_EQ(Delete({mineInCapitals}, "someone").at(mineInCapitals), DeleteOutcome::Deleted);
    EXPECT_EQ(Delete({theirs}, "BOSS").at(theirs), DeleteOutcome::Deleted);
    EXPECT_EQ(CountRows("Phrase"), 0);
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{0, 0, 0}));
}

// The counts of a batch are held back and stored at its commit: a batch of
// adverbs alone stores them all the same, and a phrase the data source keeps
// keeps its count.
TEST_F(PhraseServiceTest, ABatchOfDeletionsStoresTheCountsOfWhatWent) {
    KeepPhrasesNamedKept();
    const int32_t kept = Add(5, "kept softly", m_user);
    Add(5, "badly", m_user);
    const int32_t gone = Add(5, "at dawn", m_user);
    Add(4, "sings", m_user);
    const auto outcomes = Delete({kept, gone}, m_user);
    EXPECT_EQ(outcomes.at(kept), DeleteOutcome::NotDeleted);
    EXPECT_EQ(outcomes.at(gone), DeleteOutcome::Deleted);
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{0, 1, 2}));
}

TEST_F(PhraseServiceTest, OnlyTheOwnerEmpties) {
    InsertConfiguration("boss");
    Add(0, "the moon", m_user);
    m_store.m_configRecord.Recount();
    EXPECT_FALSE(m_service.MayEmpty(m_user));
    EXPECT_EQ(m_service.Empty(m_user).status, EmptyStatus::Refused);
    EXPECT_TRUE(m_service.MayEmpty("Boss"));
    EXPECT_EQ(m_service.Empty("Boss").status, EmptyStatus::Emptied);
    EXPECT_EQ(CountRows("Phrase"), 0);
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(PhraseServiceTest, EmptyReportsThePhrasesTheDataSourceKept) {
    KeepPhrasesNamedKept();
    Add(0, "kept noun", m_user);
    Add(4, "goes", m_user);
    Add(5, "kept adverb", m_user);
    Add(5, "gone adverb", m_user);
    const EmptyOutcome outcome = m_service.Empty(m_user);
    EXPECT_EQ(outcome.status, EmptyStatus::Incomplete);
    EXPECT_EQ(outcome.undeleted, 2u);
    EXPECT_EQ(CountRows("Phrase"), 2);
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{1, 0, 1}));
}

TEST_F(PhraseServiceTest, EmptyOnAMissingTableReportsTheFailure) {
    Add(0, "the moon", m_user);
    Exec("DROP TABLE Phrase");
    const EmptyOutcome outcome = m_service.Empty(m_user);
    EXPECT_EQ(outcome.status, EmptyStatus::Failed);
    EXPECT_FALSE(outcome.failure.empty());
}
