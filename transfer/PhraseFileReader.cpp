// Load/Merge: adds each phrase of a data file that the database lacks.
#include <algorithm>
#include <climits>
#include <optional>
#include <stdexcept>
#include <unordered_set>

#include "framework/MessageSink.h"
#include "framework/odbc/DBException.h"
#include "store/ChangeBatch.h"
#include "store/CurrentUser.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/PhraseFileParser.h"
#include "transfer/TransferProgress.h"

namespace {

const char kLoadError[] = "Error loading data file";
const char kByteCounter[] = "%u of %u bytes";

void ShowLoadError(CMessageSink& messages, const std::string& cause) {
    messages.ShowWarning(WithCause(kLoadError, cause), "File Error");
}

bool IsConnectionLost(const std::exception& e) {
    const auto* db = dynamic_cast<const CDBException*>(&e);
    return db && db->ConnectionLost();
}

const char* KindName(int phraseType) {
    switch (KindOfPhraseType(phraseType)) {
        case PhraseKind::Noun: return "noun";
        case PhraseKind::Verb: return "verb";
        case PhraseKind::Adverb: return "adverb";
        case PhraseKind::None: break;
    }
    return "phrase";
}

// How a load ended, for its report and whether a recount follows.
struct LoadEnd {
    std::string failure;  // the cause shown under the load error; empty if none
    bool damaged = false;
    bool connectionLost = false;
    // A damaged file keeps the counts shown; a lost connection cannot count.
    bool CountsKept() const { return damaged || connectionLost; }
};

// Stores what the parser reads: each phrase the database lacks, in batches.
// A phrase the database refuses is passed over and reported at the end; a
// lost connection stops the load at once.
class CImporter : public CPhraseFileSink {
public:
    CImporter(CStoreContext& store, CByteReader& in, TransferSinks sinks, std::string user)
        : m_store(store),
          m_in(in),
          m_sinks(sinks),
          m_pacer(sinks.progress, sinks.progressInterval),
          m_user(std::move(user)),
          m_batch(thePhraseSet.GetConnection(), store.m_configRecord) {}

    LoadEnd Run() {
        m_pacer.Start(static_cast<uint32_t>(m_in.Size()), "0 of %u bytes");
        LoadEnd end = Read();
        m_pacer.Flush();
        if (!end.connectionLost)
            Conclude(end);
        // The refusals come first, in file order, whatever else ended the load.
        if (m_refused)
            end.failure = end.failure.empty() ? RefusalReport() : RefusalReport() + "\n" + end.failure;
        return end;
    }

private:
    LoadEnd Read() {
        LoadEnd end;
        try {
            LearnStoredPhrases();
            ReadPhraseFile(m_in, *this);
        } catch (const DamagedFile& damage) {
            end.failure = m_in.Path() + ": damaged at offset " + std::to_string(damage.offset) +
                          ": " + damage.what;
            end.damaged = true;
        } catch (const std::exception& e) {
            end.failure = e.what();
            end.connectionLost = IsConnectionLost(e);
        }
        return end;
    }

    // Commits what came before, however the reading ended (a lost
    // connection has rolled the open batch back already).
    void Conclude(LoadEnd& end) {
        try {
            CommitBatch();
        } catch (const std::exception& e) {
            if (end.failure.empty())
                end.failure = e.what();
            end.connectionLost = IsConnectionLost(e);
        }
    }

    void OnProgress(uint64_t bytesRead) override {
        m_pacer.Update(static_cast<uint32_t>(bytesRead), kByteCounter);
    }

    void OnPhrase(const FilePhrase& phrase) override {
        const std::string key = Key(phrase.phraseType, phrase.forms[0]);
        if (m_known.count(key))
            return;
        if (!m_batch.IsOpen()) {
            StartBatch();
            if (m_known.count(key))
                return;
        }
        if (!StoreRow(phrase))
            return;
        m_known.insert(key);
        m_batch.Made(phrase);
        if (m_batch.Due())
            CommitBatch();
    }

    // Same PhraseType and Object text is a duplicate, the texts compared as
    // stored (the parser has cut them as a column does).
    static std::string Key(int phraseType, const std::string& objectText) {
        return std::string(1, static_cast<char>(phraseType)) + objectText;
    }

    // A batch holds off other loads until its commit, and learns first what
    // they stored since the last look: the check and the stores of one load
    // never interleave with another's, so each phrase is stored once.
    void StartBatch() {
        m_batch.Begin();
        if (m_batch.IsOpen())
            HoldOffOtherLoads();
        LearnStoredPhrases();
    }

    void HoldOffOtherLoads() {
        try {
            if (!m_serializer)
                m_serializer.emplace(*thePhraseSet.GetConnection());
            m_serializer->HoldOffOtherLoads();
            m_heldOff = true;
        } catch (const std::exception& e) {
            if (IsConnectionLost(e))
                throw;
            ShowCheckFailure(e, m_sinks.messages);
        }
    }

    // Adds the phrases stored since the last look to the known ones. A
    // failed look is shown, and what it missed counts as absent, unless the
    // connection is gone.
    void LearnStoredPhrases() {
        try {
            for (const StoredPhraseKey& row : QueryPhraseKeysAfter(m_store, m_seenUpTo)) {
                m_known.insert(Key(row.phraseType, row.objectText));
                m_seenUpTo = std::max(m_seenUpTo, row.number);
            }
        } catch (const std::exception& e) {
            if (IsConnectionLost(e))
                throw;
            ShowCheckFailure(e, m_sinks.messages);
        }
    }

    // While other loads are held off, every phrase numbered above those
    // looked at is this batch's own: the next look need not read them back.
    void SkipOwnStores() {
        if (!m_heldOff)
            return;
        m_heldOff = false;
        try {
            m_seenUpTo = std::max(m_seenUpTo, QueryHighestPhraseNumber(m_store));
        } catch (const std::exception& e) {
            if (IsConnectionLost(e))
                throw;  // else the next look reads them back
        }
    }

    // A failed commit leaves what single stores would have left: the batch
    // is rolled back, and its phrases are stored again one at a time.
    void CommitBatch() {
        const int32_t seenBefore = m_seenUpTo;
        try {
            SkipOwnStores();
            m_batch.Commit();
        } catch (const std::exception& e) {
            const std::vector<FilePhrase> phrases = m_batch.Abandon();
            if (IsConnectionLost(e))
                throw;
            m_seenUpTo = seenBefore;  // the numbers rolled back may be given out again
            for (const FilePhrase& phrase : phrases)
                m_known.erase(Key(phrase.phraseType, phrase.forms[0]));
            LearnStoredPhrases();
            for (const FilePhrase& phrase : phrases)
                if (m_known.insert(Key(phrase.phraseType, phrase.forms[0])).second && !StoreRow(phrase))
                    m_known.erase(Key(phrase.phraseType, phrase.forms[0]));
        }
    }

    bool StoreRow(const FilePhrase& phrase) {
        thePhraseSet.AddNew();
        thePhraseSet.m_PhraseType = static_cast<uint8_t>(phrase.phraseType);
        thePhraseSet.m_OPhrase = phrase.forms[0];
        thePhraseSet.m_MPhrase = phrase.forms[1];
        thePhraseSet.m_FPhrase = phrase.forms[2];
        thePhraseSet.m_PPhrase = phrase.forms[3];
        thePhraseSet.m_AddedBy = m_user;
        thePhraseSet.m_DateAdded = CDbTime::Now();
        if (thePhraseSet.CommitNew())
            return true;
        const CDBException& error = thePhraseSet.LastError();
        if (error.ConnectionLost())
            throw error;
        if (m_refused++ == 0)
            m_firstRefusal = std::string("The database refused the ") + KindName(phrase.phraseType) +
                             " \"" + phrase.forms[0] + "\": " + error.m_strError;
        return false;
    }

    std::string RefusalReport() const {
        if (m_refused == 1)
            return m_firstRefusal;
        return m_firstRefusal + "\n" + std::to_string(m_refused) + " phrases were not stored";
    }

    CStoreContext& m_store;
    CByteReader& m_in;
    TransferSinks m_sinks;
    CProgressPacer m_pacer;
    std::string m_user;
    CChangeBatch<FilePhrase> m_batch;
    std::optional<CLoadSerializer> m_serializer;  // made once a batch has a connection
    std::unordered_set<std::string> m_known;  // keys of the phrases stored already
    int32_t m_seenUpTo = INT32_MIN;           // the highest phrase number looked at
    bool m_heldOff = false;                   // the open batch holds other loads off
    unsigned m_refused = 0;
    std::string m_firstRefusal;
};

}  // namespace

std::unique_ptr<CByteReader> OpenPhraseFile(const std::string& path, CMessageSink& messages) {
    try {
        return std::make_unique<CByteReader>(path);
    } catch (const std::exception& e) {
        ShowLoadError(messages, e.what());
        return nullptr;
    }
}

namespace {

void RecountAfterLoad(CStoreContext& store, CMessageSink& messages, ImportResult& result) {
    try {
        store.m_configRecord.Recount();
        result.recounted = true;
    } catch (const std::exception& e) {
        ShowLoadError(messages, e.what());
    }
}

}  // namespace

ImportResult ImportPhraseFile(CStoreContext& store, CByteReader& in, TransferSinks sinks) {
    std::string user;
    GetCurrentUserName(user);
    const LoadEnd end = CImporter(store, in, sinks, user).Run();
    ImportResult result;
    result.ok = end.failure.empty();
    if (!result.ok)
        ShowLoadError(sinks.messages, end.failure);
    if (!end.CountsKept())
        RecountAfterLoad(store, sinks.messages, result);
    return result;
}

ImportResult ImportPhraseFile(CStoreContext& store, const std::string& path, TransferSinks sinks) {
    std::unique_ptr<CByteReader> in = OpenPhraseFile(path, sinks.messages);
    if (in)
        return ImportPhraseFile(store, *in, sinks);
    // The load ends as any load that met an error does.
    ImportResult result;
    RecountAfterLoad(store, sinks.messages, result);
    return result;
}
