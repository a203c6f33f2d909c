#include "store/PhraseService.h"

#include "framework/odbc/DbTime.h"
#include "store/ChangeBatch.h"
#include "store/ConfigRecord.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"

namespace {

constexpr size_t kColumnChars = 255;

}  // namespace

std::string ColumnText(const std::string& text) { return text.substr(0, kColumnChars); }

bool IsDuplicatePhrase(const PhraseInput& phrase, CMessageSink& messages) {
    const std::string object = ColumnText(phrase.texts[0]);
    if (KindOfPhraseType(phrase.phraseType) != PhraseKind::Noun)
        return PhraseExists(phrase.phraseType, object, messages);
    for (int form = 0; form < 4; ++form)
        if (PhraseExists(form, object, messages))
            return true;
    return false;
}

bool StoreNewPhrase(CPhraseRec& set, const PhraseInput& phrase, const std::string* author) {
    set.AddNew();
    if (author)
        set.m_AddedBy = *author;
    set.m_DateAdded = CDbTime::Now();
    set.m_PhraseType = phrase.phraseType;
    set.m_OPhrase = ColumnText(phrase.texts[0]);
    if (KindOfPhraseType(phrase.phraseType) != PhraseKind::Noun) {
        set.m_MPhrase = ColumnText(phrase.texts[1]);
        set.m_FPhrase = ColumnText(phrase.texts[2]);
        set.m_PPhrase = ColumnText(phrase.texts[3]);
    }
    return set.CommitNew();
}

DeleteOutcome DeletePhraseNumber(CPhraseRec& set, int32_t phraseNumber, const std::string& user,
                                 const CConfigRecord& config) {
    set.m_strFilter = "PhraseNumber = ?";
    set.m_NumberParam = phraseNumber;
    if (!set.Rerun() || !set.CanUpdate() || set.IsEOF())
        return DeleteOutcome::NotDeleted;
    if (!config.MayChangePhrase(set.m_AddedBy, user))
        return DeleteOutcome::Refused;
    set.Delete();
    // The set's delete reports nothing; a row it could not delete is still there.
    return set.IsDeleted() ? DeleteOutcome::Deleted : DeleteOutcome::NotDeleted;
}

void DeletePhraseNumbers(CPhraseRec& set, const std::vector<int32_t>& phraseNumbers,
                         const std::string& user, CConfigRecord& config,
                         const std::function<void(int32_t, DeleteOutcome)>& report) {
    CChangeBatch<int32_t> batch(set.GetConnection(), config);
    auto commit = [&] {
        std::vector<int32_t> retry;
        try {
            for (int32_t number : batch.Commit())
                report(number, DeleteOutcome::Deleted);
        } catch (const std::exception&) {
            retry = batch.Abandon();
        }
        for (int32_t number : retry)
            report(number, DeletePhraseNumber(set, number, user, config));
    };
    for (int32_t number : phraseNumbers) {
        batch.Begin();
        const DeleteOutcome outcome = DeletePhraseNumber(set, number, user, config);
        if (outcome != DeleteOutcome::Deleted) {
            commit();
            report(number, outcome);
            continue;
        }
        batch.Made(number);
        if (batch.Due())
            commit();
    }
    commit();
}

size_t DeleteListedPhrases(CPhraseRec& set, const std::string& user, CConfigRecord& config) {
    CChangeBatch<int32_t> batch(set.GetConnection(), config);
    size_t undeleted = 0;
    auto commit = [&] {
        std::vector<int32_t> again;
        try {
            batch.Commit();
        } catch (const std::exception&) {
            again = batch.Abandon();
        }
        // One at a time, on a set of their own: the walk goes on.
        CPhraseRec single(set.m_pDatabase);
        for (int32_t number : again)
            undeleted += DeletePhraseNumber(single, number, user, config) != DeleteOutcome::Deleted;
    };
    for (; !set.IsEOF(); set.MoveNext()) {
        batch.Begin();
        const int32_t number = set.m_PhraseNumber;
        set.Delete();
        if (set.IsDeleted())
            batch.Made(number);
        else
            ++undeleted;
        if (batch.Due())
            commit();
    }
    commit();
    return undeleted;
}
