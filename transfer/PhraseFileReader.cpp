// Load/Merge: adds each phrase of a data file that the database lacks.
#include <chrono>
#include <stdexcept>

#include "framework/MessageSink.h"
#include "store/CurrentUser.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/StoreApp.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/TransferProgress.h"

using namespace PhraseFile;

namespace {

const char kByteCounter[] = "%u of %u bytes";

// The file breaks the format: cut short, or a byte where none may stand.
struct DamagedFile {};

// Groups the stores of a load into transactions of a fraction of a second: a
// commit of its own per phrase would cost a disk sync each. Whatever is stored
// is committed before the load ends, however it ends, so nothing the load
// reports as stored can be lost.
class CBatchedCommits {
public:
    explicit CBatchedCommits(CDatabase* db) : m_db(db && db->IsOpen() ? db : nullptr) {
        if (m_db)
            m_db->BeginTrans();
        m_started = std::chrono::steady_clock::now();
    }
    ~CBatchedCommits() {
        try {
            Finish();
        } catch (const std::exception&) {
        }
    }

    void Stored() {
        if (!m_db || std::chrono::steady_clock::now() - m_started < kBatchTime)
            return;
        m_db->CommitTrans();
        m_db->BeginTrans();
        m_started = std::chrono::steady_clock::now();
    }

    void Finish() {
        if (!m_db)
            return;
        CDatabase* db = m_db;
        m_db = nullptr;
        db->CommitTrans();
    }

private:
    static constexpr std::chrono::milliseconds kBatchTime{250};
    CDatabase* m_db;
    std::chrono::steady_clock::time_point m_started;
};

// The four texts of a verb or adverb as the file gives them.
struct FormsRecord {
    std::string forms[4];
    bool begun = false;
    bool skip = false;  // already in the database: read and dropped
};

class CImporter {
public:
    CImporter(CByteReader& in, TransferSinks sinks, std::string user)
        : m_in(in),
          m_sinks(sinks),
          m_pacer(sinks.progress, sinks.progressInterval),
          m_user(std::move(user)) {}

    void Read() {
        m_pacer.Start(static_cast<uint32_t>(m_in.Size()), "0 of %u bytes");
        ReadNounSection();
        ReadFormsSections();
        m_pacer.Flush();
    }

    void FlushProgress() { m_pacer.Flush(); }
    void Commit() { m_commits.Finish(); }
    unsigned Unstored() const { return m_unstored; }

private:
    unsigned char Byte() {
        unsigned char byte;
        if (!m_in.Next(byte))
            throw DamagedFile();
        return byte;
    }

    std::string Text() {
        std::string text;
        for (unsigned char byte = Byte(); byte != kEndText; byte = Byte())
            text += static_cast<char>(byte);
        return text;
    }

    void ShowProgress() { m_pacer.Update(static_cast<uint32_t>(m_in.BytesRead()), kByteCounter); }

    void ReadNounSection() {
        for (unsigned char form = Byte(); form != kEndSection; form = Byte()) {
            if (form < 0x01 || form > 0x04)
                throw DamagedFile();
            const std::string text = Text();
            ShowProgress();
            if (!PhraseExists(form - 1, text, m_sinks.messages))
                Store(form - 1, {text, "", "", ""});
        }
    }

    void ReadFormsSections() {
        int kind = 4;  // the verb section comes first, then the adverbs
        FormsRecord record;
        for (;;) {
            const unsigned char selector = Byte();
            if (selector == kEndSection) {
                if (record.begun)
                    throw DamagedFile();  // would drop the phrase being read
                if (kind == 5)
                    return;
                kind = 5;
                continue;
            }
            if (selector == kSelectObject) {
                BeginRecord(kind, record);
                continue;
            }
            if (selector < kSelectMasculine || selector > kSelectPlural || !record.begun)
                throw DamagedFile();
            ReadFormValue(selector - 1, record);
            ShowProgress();
            if (selector == kSelectPlural) {
                if (!record.skip)
                    Store(kind, {record.forms[0], record.forms[1], record.forms[2], record.forms[3]});
                record = FormsRecord{};
            }
        }
    }

    void BeginRecord(int kind, FormsRecord& record) {
        if (record.begun || Byte() != kLiteral)
            throw DamagedFile();
        record = FormsRecord{};
        record.begun = true;
        record.forms[0] = Text();
        ShowProgress();
        record.skip = PhraseExists(kind, record.forms[0], m_sinks.messages);
    }

    // A form's value: a literal text, or the number of an earlier form.
    void ReadFormValue(int form, FormsRecord& record) {
        const unsigned char value = Byte();
        if (value == kLiteral)
            record.forms[form] = Text();
        else if (value >= 0x01 && value <= form)
            record.forms[form] = record.forms[value - 1];
        else
            throw DamagedFile();
    }

    void Store(int phraseType, const std::string (&forms)[4]) {
        thePhraseSet.AddNew();
        thePhraseSet.m_PhraseType = static_cast<uint8_t>(phraseType);
        thePhraseSet.m_OPhrase = forms[0];
        thePhraseSet.m_MPhrase = forms[1];
        thePhraseSet.m_FPhrase = forms[2];
        thePhraseSet.m_PPhrase = forms[3];
        thePhraseSet.m_AddedBy = m_user;
        thePhraseSet.m_DateAdded = CDbTime::Now();
        if (!thePhraseSet.CommitNew())
            ++m_unstored;  // passed over; the load goes on with the next phrase
        m_commits.Stored();
    }

    CByteReader& m_in;
    TransferSinks m_sinks;
    CProgressPacer m_pacer;
    std::string m_user;
    unsigned m_unstored = 0;
    CBatchedCommits m_commits{thePhraseSet.GetConnection()};
};

void ShowLoadError(CMessageSink& messages) {
    messages.ShowWarning("Error loading data file", "File Error");
}

}  // namespace

ImportResult ImportPhraseFile(const std::string& path, TransferSinks sinks) {
    ImportResult result;
    std::string user;
    GetCurrentUserName(user);
    try {
        CByteReader in(path);
        CImporter importer(in, sinks, user);
        try {
            importer.Read();
            importer.Commit();
            // A load that stored less than it should must not look complete.
            result.ok = importer.Unstored() == 0;
            if (!result.ok)
                ShowLoadError(sinks.messages);
        } catch (const DamagedFile&) {
            importer.FlushProgress();
            ShowLoadError(sinks.messages);
            return result;  // the counts stay as they were shown
        }
    } catch (const std::exception&) {
        ShowLoadError(sinks.messages);
    }
    try {
        GetStoreApp()->m_configRecord.Recount();
        result.recounted = true;
    } catch (const std::exception&) {
        ShowLoadError(sinks.messages);
    }
    return result;
}
