#pragma once
#include <cstdint>
#include <string>

#include "store/StoreRecordset.h"

// The one row of [Configuration]: the three phrase counts and the owner.
class CConfigRecord : public CStoreRecordset {
public:
    explicit CConfigRecord(CStoreContext& store, CDatabase* pDatabase = nullptr);

    std::string GetDefaultSQL() const override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    void IncNouns() { Adjust({+1, 0, 0}); }
    void DecNouns() { Adjust({-1, 0, 0}); }
    void IncVerbs() { Adjust({0, +1, 0}); }
    void DecVerbs() { Adjust({0, -1, 0}); }
    void IncAdverbs() { Adjust({0, 0, +1}); }
    void DecAdverbs() { Adjust({0, 0, -1}); }

    // While counts are held, the six adjustments above only add up, and
    // ApplyHeldCounts stores the sums in one update and ends the hold. A load
    // does so just before each commit of its transaction, so that the row
    // is locked for a moment, not from the batch's first store to its commit.
    void HoldCounts();
    void ApplyHeldCounts();
    void DropHeldCounts();

    // Counts the phrases anew and stores the counts; creates the row, owned by
    // the current user, when the table has none (never a second one).
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
    struct CountChanges {
        int32_t nouns = 0, verbs = 0, adverbs = 0;
    };
    void Adjust(const CountChanges& change);
    void StoreChanges(const CountChanges& change);
    bool CreateRow();
    void CountPhrases();
    void StoreAndClose();
    void RereadAndClose();

    bool m_bHoldingCounts = false;
    CountChanges m_held;
};
