#pragma once
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

class CDatabase;
class CMessageSink;
class CStoreContext;

// True when a phrase with this PhraseType code has this Object text, as the
// data source compares texts. Raises CDBException when the lookup fails.
bool QueryPhraseExists(CStoreContext& store, int phraseType, const std::string& objectText);

// What a load needs of a stored phrase to tell a duplicate: its number,
// PhraseType code and Object text.
struct StoredPhraseKey {
    int32_t number = 0;
    int phraseType = 0;
    std::string objectText;
};

// Every phrase numbered above `after`, in no particular order: one query for
// what would otherwise cost a lookup per phrase. Raises CDBException.
std::vector<StoredPhraseKey> QueryPhraseKeysAfter(CStoreContext& store, int32_t after);

// The highest phrase number, 0 with no phrases. Raises CDBException.
int32_t QueryHighestPhraseNumber(CStoreContext& store);

// Makes loads running at once check and store their phrases one batch at a
// time: within the connection's open transaction it waits for any other
// load's batch to end, and keeps the others waiting until this transaction
// ends. Raises CDBException.
class CLoadSerializer {
public:
    explicit CLoadSerializer(CDatabase& db);
    void HoldOffOtherLoads();

private:
    CDatabase& m_db;
    std::string m_sql;
};

// Shows "Unable to check phrase" with the cause below it.
void ShowCheckFailure(const std::exception& cause, CMessageSink& messages);

// The number of the user's most recently dated phrase (of two in the same
// second, the later stored), 0 when the user has none. The name goes to the
// data source as a parameter, whatever it holds. Raises CDBException when
// the lookup fails.
int32_t QueryNewestPhrase(CStoreContext& store, const std::string& userName);
