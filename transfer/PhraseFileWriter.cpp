// Export: every phrase of the database into one data file.
#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/PhraseRecords.h"
#include "transfer/TransferProgress.h"

using namespace PhraseFile;

namespace {

const char kExportSort[] = "PhraseType,DateAdded,AddedBy,OPhrase";
const char kPhraseCounter[] = "%u of %u phrases";

void ShowSaveError(CMessageSink& messages, const std::string& cause) {
    messages.ShowWarning(WithCause("Error saving data file", cause), "File Error");
}

class CExporter {
public:
    CExporter(CStoreContext& store, CByteWriter& out, TransferSinks sinks)
        : m_store(store), m_out(out), m_sinks(sinks), m_pacer(sinks.progress, sinks.progressInterval) {}

    // False when a query could not be run (already reported).
    bool Write() {
        CConfigRecord& config = m_store.m_configRecord;
        config.Recount();
        const uint32_t total = static_cast<uint32_t>(config.m_NumNouns) +
                               static_cast<uint32_t>(config.m_NumVerbs) +
                               static_cast<uint32_t>(config.m_NumAdverbs);
        m_pacer.Start(total, "0 of %u phrases");
        if (!Query("PhraseType < 4"))
            return false;
        for (; !thePhraseSet.IsEOF(); thePhraseSet.MoveNext()) {
            Count();
            WriteNounRecord(m_out, thePhraseSet.m_PhraseType, thePhraseSet.m_OPhrase);
        }
        m_out.Put(kEndSection);
        if (!Query("PhraseType > 3"))
            return false;
        WriteVerbsAndAdverbs();
        m_out.Put(kEndSection);
        m_pacer.Flush();
        return true;
    }

private:
    bool Query(const char* filter) {
        thePhraseSet.m_strFilter = filter;
        thePhraseSet.m_strSort = kExportSort;
        if (thePhraseSet.Rerun())
            return true;
        ShowSaveError(m_sinks.messages, thePhraseSet.LastError().m_strError);
        return false;
    }

    void Count() { m_pacer.Update(++m_written, kPhraseCounter); }

    // The verb section ends before the first adverb, or after the last verb.
    void WriteVerbsAndAdverbs() {
        bool verbSectionOpen = true;
        for (; !thePhraseSet.IsEOF(); thePhraseSet.MoveNext()) {
            const PhraseKind kind = KindOfPhraseType(thePhraseSet.m_PhraseType);
            if (kind == PhraseKind::None)
                continue;  // no section holds it: a file must never turn it into an adverb
            if (kind == PhraseKind::Adverb && verbSectionOpen) {
                m_out.Put(kEndSection);
                verbSectionOpen = false;
            }
            Count();
            WriteFormsRecord(m_out, {thePhraseSet.m_OPhrase, thePhraseSet.m_MPhrase,
                                     thePhraseSet.m_FPhrase, thePhraseSet.m_PPhrase});
        }
        if (verbSectionOpen)
            m_out.Put(kEndSection);
    }

    CStoreContext& m_store;
    CByteWriter& m_out;
    TransferSinks m_sinks;
    CProgressPacer m_pacer;
    uint32_t m_written = 0;
};

}  // namespace

// The file takes the place of any earlier one only when complete: a failed
// export leaves the earlier file as it was.
bool ExportPhraseFile(CStoreContext& store, const std::string& path, TransferSinks sinks) {
    const std::string savedSort = thePhraseSet.m_strSort;
    bool written = false;
    try {
        CByteWriter out(path);
        if (!thePhraseSet.CanRestart()) {
            sinks.messages.ShowWarning("Cannot query database", "Database Error");
        } else if (CExporter(store, out, sinks).Write()) {
            out.Close();
            written = true;
        }
    } catch (const std::exception& e) {
        ShowSaveError(sinks.messages, e.what());
    }
    thePhraseSet.m_strSort = savedSort;
    return written;
}
