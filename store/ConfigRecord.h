#pragma once
#include <cstdint>
#include <string>

#include "store/StoreRecordset.h"

// The one row of [Configuration]: the three phrase counts and the owner.
class CConfigRecord : public CStoreRecordset {
public:
    explicit CConfigRecord(CDatabase* pDatabase = nullptr);

    std::string GetDefaultSQL() const override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    void IncNouns() { Adjust(&CConfigRecord::m_NumNouns, +1); }
    void DecNouns() { Adjust(&CConfigRecord::m_NumNouns, -1); }
    void IncVerbs() { Adjust(&CConfigRecord::m_NumVerbs, +1); }
    void DecVerbs() { Adjust(&CConfigRecord::m_NumVerbs, -1); }
    void IncAdverbs() { Adjust(&CConfigRecord::m_NumAdverbs, +1); }
    void DecAdverbs() { Adjust(&CConfigRecord::m_NumAdverbs, -1); }

    // Counts the phrases anew and stores the counts; creates the row, owned by
    // the current user, when the table has none.
    void Recount();

    // The permission rule: the owner may do anything, an author may change
    // their own phrases. Names compare without regard to letter case.
    bool IsOwner(const std::string& userName) const;
    bool MayChangePhrase(const std::string& addedBy, const std::string& userName) const;

    std::string m_Administrator;
    int32_t m_NumAdverbs = 0;
    int32_t m_NumNouns = 0;
    int32_t m_NumVerbs = 0;

private:
    void Adjust(int32_t CConfigRecord::*count, int delta);
    void CountPhrases();
    void StoreAndClose();
};
