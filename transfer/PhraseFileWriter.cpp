// Export: every phrase of the database into one data file.
#include <stdexcept>

#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreApp.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/TransferProgress.h"

using namespace PhraseFile;

namespace {

const char kExportSort[] = "PhraseType,DateAdded,AddedBy,OPhrase";
const char kPhraseCounter[] = "%u of %u phrases";

// The reader ends a text at the first 0x01, so a text holding one would load
// back as something else: such a database is not exported at all.
struct UnwritableText : std::runtime_error {
    UnwritableText() : std::runtime_error("a phrase text holds the byte 0x01") {}
};

void PutText(CByteWriter& out, const std::string& text) {
    if (text.find(static_cast<char>(kEndText)) != std::string::npos)
        throw UnwritableText();
    out.Put(text);
    out.Put(kEndText);
}

void PutLiteral(CByteWriter& out, const std::string& text) {
    out.Put(kLiteral);
    PutText(out, text);
}

void WriteNounRecord(CByteWriter& out, const CPhraseRec& phrase) {
    out.Put(static_cast<unsigned char>(phrase.m_PhraseType + 1));
    PutText(out, phrase.m_OPhrase);
}

// Each form after the first refers to the first earlier form with the same text.
void WriteFormsRecord(CByteWriter& out, const CPhraseRec& p) {
    out.Put(kSelectObject);
    PutLiteral(out, p.m_OPhrase);

    out.Put(kSelectMasculine);
    if (p.m_MPhrase == p.m_OPhrase)
        out.Put(kSelectObject);
    else
        PutLiteral(out, p.m_MPhrase);

    out.Put(kSelectFeminine);
    if (p.m_FPhrase == p.m_OPhrase)
        out.Put(kSelectObject);
    else if (p.m_FPhrase == p.m_MPhrase)
        out.Put(kSelectMasculine);
    else
        PutLiteral(out, p.m_FPhrase);

    out.Put(kSelectPlural);
    if (p.m_PPhrase == p.m_OPhrase)
        out.Put(kSelectObject);
    else if (p.m_PPhrase == p.m_MPhrase)
        out.Put(kSelectMasculine);
    else if (p.m_PPhrase == p.m_FPhrase)
        out.Put(kSelectFeminine);
    else
        PutLiteral(out, p.m_PPhrase);
}

class CExporter {
public:
    CExporter(CByteWriter& out, TransferSinks sinks)
        : m_out(out), m_sinks(sinks), m_pacer(sinks.progress, sinks.progressInterval) {}

    // False when a query could not be run (already reported).
    bool Write() {
        CConfigRecord& config = GetStoreApp()->m_configRecord;
        config.Recount();
        const uint32_t total = static_cast<uint32_t>(config.m_NumNouns) +
                               static_cast<uint32_t>(config.m_NumVerbs) +
                               static_cast<uint32_t>(config.m_NumAdverbs);
        m_pacer.Start(total, "0 of %u phrases");
        if (!Query("PhraseType < 4"))
            return false;
        for (; !thePhraseSet.IsEOF(); thePhraseSet.MoveNext()) {
            Count();
            WriteNounRecord(m_out, thePhraseSet);
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
        m_sinks.messages.ShowWarning("Error saving data file", "File Error");
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
            WriteFormsRecord(m_out, thePhraseSet);
        }
        if (verbSectionOpen)
            m_out.Put(kEndSection);
    }

    CByteWriter& m_out;
    TransferSinks m_sinks;
    CProgressPacer m_pacer;
    uint32_t m_written = 0;
};

}  // namespace

bool ExportPhraseFile(const std::string& path, TransferSinks sinks) {
    const std::string savedSort = thePhraseSet.m_strSort;
    bool written = false;
    try {
        CByteWriter out(path);
        if (!thePhraseSet.CanRestart()) {
            sinks.messages.ShowWarning("Cannot query database", "Database Error");
            out.Close();
            return false;
        }
        const bool complete = CExporter(out, sinks).Write();
        out.Close();
        written = complete;
    } catch (const std::exception&) {
        sinks.messages.ShowWarning("Error saving data file", "File Error");
    }
    thePhraseSet.m_strSort = savedSort;
    return written;
}
