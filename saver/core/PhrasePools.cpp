#include "saver/core/PhrasePools.h"

#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"

namespace {

constexpr int kMinimumPerKind = 2;

template <class Entry>
bool HasRoom(const std::vector<std::optional<Entry>>& pool, size_t stored) {
    return stored < pool.size();
}

PhraseForms FormsOf(const CPhraseRec& row) {
    PhraseForms forms;
    forms.text[FormObject] = row.m_OPhrase;
    forms.text[FormMasculine] = row.m_MPhrase;
    forms.text[FormFeminine] = row.m_FPhrase;
    forms.text[FormPlural] = row.m_PPhrase;
    return forms;
}

}  // namespace

void CPhrasePools::LoadPhrasePools(CStoreContext& store) {
    FreePhrasePools();
    CConfigRecord& config = store.m_configRecord;
    try {
        config.Recount();
    } catch (const std::exception&) {
        // The counts stay as they were; the fallback line covers the rest.
    }
    m_nNouns = config.m_NumNouns;
    m_nVerbs = config.m_NumVerbs;
    m_nAdverbs = config.m_NumAdverbs;
    if (m_nNouns < kMinimumPerKind || m_nVerbs < kMinimumPerKind || m_nAdverbs < kMinimumPerKind)
        return;
    try {
        m_pNouns.resize(m_nNouns);
        m_pVerbs.resize(m_nVerbs);
        m_pAdverbs.resize(m_nAdverbs);
    } catch (const std::exception&) {
        // Counts beyond any memory (a stored count gone wrong): no pools, so
        // the fallback line shows, as for any other failure.
        FreePhrasePools();
        return;
    }
    ReadRows(store);
}

void CPhrasePools::ReadRows(CStoreContext& store) {
    size_t nouns = 0, verbs = 0, adverbs = 0;
    try {
        // Opening runs the query; running it again at once would read every
        // row twice for the same result.
        CPhraseRec rows(store);
        if (!rows.Open(CRecordset::snapshot, nullptr, CRecordset::none) || rows.IsEOF())
            return;
        for (; !rows.IsEOF(); rows.MoveNext()) {
            switch (KindOfPhraseType(rows.m_PhraseType)) {
                case PhraseKind::Noun:
                    if (HasRoom(m_pNouns, nouns))
                        m_pNouns[nouns++] = NounEntry{rows.m_OPhrase, rows.m_PhraseType};
                    break;
                case PhraseKind::Verb:
                    if (HasRoom(m_pVerbs, verbs))
                        m_pVerbs[verbs++] = FormsOf(rows);
                    break;
                case PhraseKind::Adverb:
                    if (HasRoom(m_pAdverbs, adverbs))
                        m_pAdverbs[adverbs++] = FormsOf(rows);
                    break;
                case PhraseKind::None:
                    break;
            }
        }
    } catch (const std::exception&) {
        // A walk cut short keeps what it stored; those picks fall back.
    }
}

void CPhrasePools::FreePhrasePools() {
    m_pNouns.clear();
    m_pVerbs.clear();
    m_pAdverbs.clear();
    m_pNouns.shrink_to_fit();
    m_pVerbs.shrink_to_fit();
    m_pAdverbs.shrink_to_fit();
}
