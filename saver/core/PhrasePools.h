#pragma once
#include <optional>
#include <string>
#include <vector>

class CStoreContext;

// One noun phrase and its grammatical form (NounForm, 0..3).
struct NounEntry {
    std::string text;
    int form = 0;
};

// A verb or adverb phrase in all four forms, indexed by NounForm.
struct PhraseForms {
    std::string text[4];
};

// The saver's in-memory copy of every noun, verb and adverb, loaded once so
// that drawing a sentence never touches the database. Either all three pools
// exist (each of at least two entries) or none does; an entry that no row
// filled stays empty (std::nullopt) and makes a sentence that lands on it fall
// back.
class CPhrasePools {
public:
    // Recounts, then reads the store's phrase table. Any failure leaves what
    // was read so far; nothing is reported.
    void LoadPhrasePools(CStoreContext& store);
    void FreePhrasePools();

    bool HasPools() const { return !m_pNouns.empty() && !m_pVerbs.empty() && !m_pAdverbs.empty(); }

    int m_nNouns = 0;
    int m_nVerbs = 0;
    int m_nAdverbs = 0;
    std::vector<std::optional<NounEntry>> m_pNouns;
    std::vector<std::optional<PhraseForms>> m_pVerbs;
    std::vector<std::optional<PhraseForms>> m_pAdverbs;

private:
    void ReadRows(CStoreContext& store);
};
