#include "dialogs/core/DatabasePresenter.h"

#include <cstdio>
#include <exception>

#include "framework/MessageSink.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "store/PhraseService.h"
#include "store/StoreApp.h"
#include "transfer/DataFilePath.h"
#include "transfer/PhraseFile.h"

namespace {

// The store, as this dialog uses it.

CConfigRecord& Config() { return GetStoreApp()->m_configRecord; }

TransferResult::Counts StoredCounts() {
    const CConfigRecord& config = Config();
    return {config.m_NumNouns, config.m_NumVerbs, config.m_NumAdverbs};
}

TransferResult::Counts RecountedCounts() {
    Config().Recount();
    return StoredCounts();
}

// The name the data source gives its database; empty when it gives none.
std::string DatabaseName() {
    try {
        CDatabase* db = GetStoreApp()->Database();
        return db->IsOpen() ? db->GetDatabaseName() : std::string();
    } catch (const std::exception&) {
        return std::string();
    }
}

bool IsOwner(const std::string& user) { return Config().IsOwner(user); }

bool SharedSetCanRestart() { return thePhraseSet.CanRestart(); }

// The shared set over every phrase; false, with the driver's message in
// cause, when it cannot be read.
bool ListEveryPhrase(std::string& cause) {
    thePhraseSet.m_strFilter = "";
    if (thePhraseSet.Rerun())
        return true;
    cause = thePhraseSet.LastError().m_strError;
    return false;
}

// Deletes, in batches, every phrase the shared set lists; how many are left.
size_t DeleteEveryListed(const std::string& user) { return DeleteListedPhrases(thePhraseSet, user, Config()); }

// A load stores through the shared set, which must be open.
void OpenSharedSetForLoad() {
    if (thePhraseSet.IsOpen())
        return;
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = 0;
    thePhraseSet.Rerun();
}

TransferResult RunExport(const std::string& path, TransferSinks sinks) {
    ExportPhraseFile(path, sinks);
    return {};
}

TransferResult RunLoad(const std::string& path, TransferSinks sinks) {
    TransferResult result;
    if (ImportPhraseFile(path, sinks).recounted)
        result.counts = StoredCounts();
    return result;
}

// Counts as the fields show them: unsigned, so a count below zero (until
// the next recount) shows as a large number.
std::string CountText(int32_t count) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(count));
    return text;
}

PhraseCountTexts CountTexts(const TransferResult::Counts& counts) {
    return {CountText(counts.nouns), CountText(counts.verbs), CountText(counts.adverbs)};
}

void ShowTransferFailure(CMessageSink& messages, bool load, const std::string& cause) noexcept {
    try {
        messages.ShowWarning(WithCause(load ? "Error loading data file" : "Error saving data file", cause),
                             "File Error");
    } catch (...) {
    }
}

}  // namespace

CDatabasePresenter::CDatabasePresenter(IDatabaseView& view) : m_view(view) {
    m_fields.counts = CountTexts(RecountedCounts());
    m_fields.owner = Config().m_Administrator;
    m_fields.databaseName = DatabaseName();
}

void CDatabasePresenter::Empty() {
    std::string user;
    GetCurrentUserName(user);
    if (!IsOwner(user)) {
        m_view.ShowMessage("You do not have permission to delete this item", "Permission Denied",
                           MessageIcon::Information);
        return;
    }
    if (!m_view.AskYesNo("Are you sure you want to delete ALL phrases in the database?\n"
                         "WARNING: This operation cannot be undone",
                         "Empty Database"))
        return;
    if (!SharedSetCanRestart())
        return;
    try {
        EmptyAsOwner(user);
    } catch (const std::exception& e) {
        m_view.ShowWaitCursor(false);
        ShowEmptyFailure(e.what());
    }
}

// After a failure part-way the phrases deleted so far stay deleted and the
// fields keep the old counts.
void CDatabasePresenter::EmptyAsOwner(const std::string& user) {
    std::string cause;
    if (!ListEveryPhrase(cause)) {
        ShowEmptyFailure(cause);
        return;
    }
    m_view.ShowWaitCursor(true);
    const size_t undeleted = DeleteEveryListed(user);
    m_view.ShowWaitCursor(false);
    if (undeleted > 0) {
        ShowEmptyFailure(std::to_string(undeleted) + " phrases could not be deleted.");
        return;
    }
    m_fields.counts = CountTexts(RecountedCounts());
    m_view.ShowCounts(m_fields.counts);
}

void CDatabasePresenter::ShowEmptyFailure(const std::string& cause) {
    m_view.ShowMessage(WithCause("Cannot empty database", cause), "Database Error", MessageIcon::Warning);
}

void CDatabasePresenter::StartTransfer(TransferKind kind) {
    const bool load = kind == TransferKind::Load;
    std::string path;
    if (!m_view.ChooseDataFile(!load, path))
        return;
    const TransferJob job{kind, load ? path : CompleteExportPath(path)};
    m_view.OpenProgress((load ? "Importing from file " : "Exporting to file ") + job.path,
                        load ? "Import Data" : "Export Data");
    if (load)
        OpenSharedSetForLoad();
    m_view.EnableTransferButtons(false);
    m_view.SetBusy(true);
    m_view.StartWorker(job);
}

void CDatabasePresenter::TransferEnded(const TransferResult& result) {
    m_view.SetBusy(false);
    m_view.CloseProgress();
    if (result.counts) {
        m_fields.counts = CountTexts(*result.counts);
        m_view.ShowCounts(m_fields.counts);
    }
    m_view.EnableTransferButtons(true);
}

// The engine shows the failures it expects; this is for the others. Nothing
// may escape, or the worker would never hand in its result.
TransferResult CDatabasePresenter::RunTransfer(const TransferJob& job, CTransferProgress& progress,
                                               CMessageSink& messages) {
    const bool load = job.kind == TransferKind::Load;
    try {
        const TransferSinks sinks{progress, messages};
        return load ? RunLoad(job.path, sinks) : RunExport(job.path, sinks);
    } catch (const std::exception& e) {
        ShowTransferFailure(messages, load, e.what());
    } catch (...) {
        ShowTransferFailure(messages, load, "");
    }
    return {};
}
