#pragma once
// The stores of a load, grouped into transactions of a fraction of a second:
// a commit of its own per phrase would cost a disk sync each. The batch
// keeps the phrases it stored, so that a failed commit can store them again
// one at a time, and holds back the count changes until just before its
// commit.
#include <chrono>
#include <vector>

#include "transfer/PhraseFileParser.h"

class CConfigRecord;
class CDatabase;

class CLoadBatch {
public:
    // Without an open connection there are no batches: each store commits alone.
    CLoadBatch(CDatabase* db, CConfigRecord& config);
    // A batch still open here is rolled back: the load failed beyond repair.
    ~CLoadBatch();
    CLoadBatch(const CLoadBatch&) = delete;
    CLoadBatch& operator=(const CLoadBatch&) = delete;

    bool IsOpen() const { return m_bOpen; }
    // Opens a batch unless one is open.
    void Begin();
    void Stored(const FilePhrase& phrase) { m_phrases.push_back(phrase); }
    // The batch has been open long enough to commit.
    bool Due() const;
    // Stores the held count changes and commits. Raises on failure; the
    // batch is then still open, for Abandon.
    void Commit();
    // Rolls the batch back and puts the connection back in autocommit;
    // returns the phrases that were stored in it.
    std::vector<FilePhrase> Abandon();

private:
    static constexpr std::chrono::milliseconds kBatchTime{250};

    CDatabase* m_db;
    CConfigRecord& m_config;
    bool m_bOpen = false;
    std::chrono::steady_clock::time_point m_started;
    std::vector<FilePhrase> m_phrases;
};
