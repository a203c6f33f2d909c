#include "store/PhraseService.h"

#include "framework/odbc/DBException.h"
#include "framework/odbc/DbTime.h"
#include "store/ChangeBatch.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"

namespace {

constexpr size_t kColumnChars = 255;
constexpr char kByNumber[] = "PhraseNumber = ?";

}  // namespace

std::string ColumnText(const std::string& text) { return text.substr(0, kColumnChars); }

CPhraseService::CPhraseService(CStoreContext& store, CPhraseRec& phrases) : m_store(store), m_phrases(phrases) {}

bool CPhraseService::QueryExists(int phraseType, const std::string& objectText, DuplicateCheck& check) {
    try {
        return QueryPhraseExists(m_store, phraseType, objectText);
    } catch (const std::exception& e) {
        check.failures.push_back(e.what());
        return false;
    }
}

DuplicateCheck CPhraseService::CheckDuplicate(const PhraseInput& phrase) {
    DuplicateCheck check;
    const std::string object = ColumnText(phrase.texts[0]);
    if (KindOfPhraseType(phrase.phraseType) != PhraseKind::Noun) {
        check.exists = QueryExists(phrase.phraseType, object, check);
        return check;
    }
    // A lost connection would fail every form the same way: one failure tells it.
    for (int form = FormObject; form <= FormPlural && !check.exists && !m_store.IsConnectionLost(); ++form)
        check.exists = QueryExists(form, object, check);
    return check;
}

// Stores go through the shared set, which must be open; this filter keeps
// its re-runs from reading any rows.
void CPhraseService::OpenPhrases() {
    if (m_phrases.IsOpen())
        return;
    m_phrases.m_strFilter = kByNumber;
    m_phrases.m_NumberParam = 0;
    if (!m_phrases.Rerun())
        throw m_phrases.LastError();
}

bool CPhraseService::StoreNew(const PhraseInput& phrase, const std::string* author) {
    m_phrases.AddNew();
    if (author)
        m_phrases.m_AddedBy = *author;
    m_phrases.m_DateAdded = CDbTime::Now();
    m_phrases.m_PhraseType = phrase.phraseType;
    m_phrases.m_OPhrase = ColumnText(phrase.texts[0]);
    if (KindOfPhraseType(phrase.phraseType) != PhraseKind::Noun) {
        m_phrases.m_MPhrase = ColumnText(phrase.texts[1]);
        m_phrases.m_FPhrase = ColumnText(phrase.texts[2]);
        m_phrases.m_PPhrase = ColumnText(phrase.texts[3]);
    }
    return m_phrases.CommitNew();
}

AddOutcome CPhraseService::Add(const PhraseInput& phrase, const std::string* author) {
    AddOutcome outcome;
    try {
        m_store.m_configRecord.Recount();
        OpenPhrases();
        if (!StoreNew(phrase, author)) {
            outcome.failure = m_phrases.LastError().m_strError;
            return outcome;
        }
    } catch (const std::exception& e) {
        outcome.failure = e.what();
        return outcome;
    }
    outcome.stored = true;
    try {
        outcome.phraseNumber = QueryNewestPhrase(m_store, author ? *author : std::string());
    } catch (const std::exception& e) {
        outcome.lookupFailure = e.what();
    }
    return outcome;
}

DeleteOutcome CPhraseService::DeleteNumber(CPhraseRec& set, int32_t phraseNumber, const std::string& user) {
    set.m_strFilter = kByNumber;
    set.m_NumberParam = phraseNumber;
    if (!set.Rerun()) {
        m_deleteFailure = set.LastError().m_strError;
        return DeleteOutcome::NotDeleted;
    }
    if (!set.CanUpdate() || set.IsEOF()) {
        m_deleteFailure.clear();
        return DeleteOutcome::NotDeleted;
    }
    if (!m_store.m_configRecord.MayChangePhrase(set.m_AddedBy, user))
        return DeleteOutcome::Refused;
    set.Delete();
    // The set's delete raises nothing; a row it could not delete is still there.
    if (set.IsDeleted())
        return DeleteOutcome::Deleted;
    m_deleteFailure = set.LastError().m_strError;
    return DeleteOutcome::NotDeleted;
}

void CPhraseService::Delete(const std::vector<int32_t>& phraseNumbers, const std::string& user,
                            const std::function<void(int32_t, DeleteOutcome)>& report) {
    m_phrases.m_strFilter = kByNumber;
    m_store.m_configRecord.Recount();
    CChangeBatch<int32_t> batch(m_phrases.GetConnection(), m_store.m_configRecord);
    auto commit = [&] {
        std::vector<int32_t> retry;
        try {
            for (int32_t number : batch.Commit())
                report(number, DeleteOutcome::Deleted);
        } catch (const std::exception&) {
            retry = batch.Abandon();
        }
        for (int32_t number : retry)
            report(number, DeleteNumber(m_phrases, number, user));
    };
    for (int32_t number : phraseNumbers) {
        // Without a connection the rest would fail one by one: they are left.
        if (m_store.IsConnectionLost())
            break;
        batch.Begin();
        const DeleteOutcome outcome = DeleteNumber(m_phrases, number, user);
        if (outcome != DeleteOutcome::Deleted) {
            const std::string failure = m_deleteFailure;  // a retry in the commit may set its own
            commit();
            m_deleteFailure = failure;
            report(number, outcome);
            continue;
        }
        batch.Made(number);
        if (batch.Due())
            commit();
    }
    commit();
}

bool CPhraseService::MayEmpty(const std::string& user) const { return m_store.m_configRecord.IsOwner(user); }

EmptyOutcome CPhraseService::Empty(const std::string& user) {
    EmptyOutcome outcome;
    if (!MayEmpty(user)) {
        outcome.status = EmptyStatus::Refused;
        return outcome;
    }
    if (!m_phrases.CanRestart()) {
        outcome.status = EmptyStatus::NotRestartable;
        return outcome;
    }
    try {
        m_phrases.m_strFilter = "";
        if (!m_phrases.Rerun())
            throw m_phrases.LastError();
        outcome.undeleted = DeleteListed(user);
        m_store.m_configRecord.Recount();
    } catch (const std::exception& e) {
        outcome.status = EmptyStatus::Failed;
        outcome.failure = e.what();
        return outcome;
    }
    if (outcome.undeleted > 0)
        outcome.status = EmptyStatus::Incomplete;
    return outcome;
}

// Walks the set to its end, deleting each row (lowering the counts), in
// batches like Delete. After a failed commit the batch's phrases are deleted
// again one at a time. Returns how many phrases are left undeleted.
size_t CPhraseService::DeleteListed(const std::string& user) {
    CChangeBatch<int32_t> batch(m_phrases.GetConnection(), m_store.m_configRecord);
    size_t undeleted = 0;
    auto commit = [&] {
        std::vector<int32_t> again;
        try {
            batch.Commit();
        } catch (const std::exception&) {
            again = batch.Abandon();
        }
        // One at a time, on a set of their own: the walk goes on.
        CPhraseRec single(m_store);
        for (int32_t number : again)
            undeleted += DeleteNumber(single, number, user) != DeleteOutcome::Deleted;
    };
    for (; !m_phrases.IsEOF(); m_phrases.MoveNext()) {
        batch.Begin();
        const int32_t number = m_phrases.m_PhraseNumber;
        m_phrases.Delete();
        if (m_phrases.IsDeleted())
            batch.Made(number);
        else
            ++undeleted;
        if (batch.Due())
            commit();
    }
    commit();
    return undeleted;
}
