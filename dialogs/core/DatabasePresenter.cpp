#include "dialogs/core/DatabasePresenter.h"

#include <cstdio>
#include <exception>

#include "framework/MessageSink.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "store/PhraseService.h"
#include "store/StoreContext.h"
#include "transfer/DataFilePath.h"
#include "transfer/PhraseFile.h"

namespace {

// The store, as this dialog uses it.

TransferResult::Counts StoredCounts(const CStoreContext& store) {
    const CConfigRecord& config = store.m_configRecord;
    return {config.m_NumNouns, config.m_NumVerbs, config.m_NumAdverbs};
}

TransferResult::Counts RecountedCounts(CStoreContext& store) {
    store.m_configRecord.Recount();
    return StoredCounts(store);
}

// The name the data source gives its database; empty when it gives none.
std::string DatabaseName(CStoreContext& store) {
    try {
        CDatabase* db = store.Database();
        return db->IsOpen() ? db->GetDatabaseName() : std::string();
    } catch (const std::exception&) {
        return std::string();
    }
}

// A load stores through the shared set, which must be open.
void OpenSharedSetForLoad() {
    if (thePhraseSet.IsOpen())
        return;
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = 0;
    thePhraseSet.Rerun();
}

TransferResult RunExport(CStoreContext& store, const std::string& path, TransferSinks sinks) {
    ExportPhraseFile(store, path, sinks);
    return {};
}

TransferResult RunLoad(CStoreContext& store, const std::string& path, TransferSinks sinks) {
    TransferResult result;
    if (ImportPhraseFile(store, path, sinks).recounted)
        result.counts = StoredCounts(store);
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

CDatabasePresenter::CDatabasePresenter(IDatabaseView& view, CStoreContext& store)
    : m_view(view), m_store(store), m_service(store, thePhraseSet) {
    m_fields.counts = CountTexts(RecountedCounts(store));
    m_fields.owner = store.m_configRecord.m_Administrator;
    m_fields.databaseName = DatabaseName(store);
}

// After a failure part-way the phrases deleted so far stay deleted and the
// fields keep the old counts.
void CDatabasePresenter::Empty() {
    std::string user;
    GetCurrentUserName(user);
    if (!m_service.MayEmpty(user)) {
        m_view.ShowMessage("You do not have permission to delete this item", "Permission Denied",
                           MessageIcon::Information);
        return;
    }
    if (!m_view.AskYesNo("Are you sure you want to delete ALL phrases in the database?\n"
                         "WARNING: This operation cannot be undone",
                         "Empty Database", DefaultAnswer::No))  // what cannot be undone needs a deliberate Yes
        return;
    std::string failure;
    if (!m_store.ReconnectIfLost(failure)) {
        ShowEmptyFailure(failure);
        return;
    }
    m_view.ShowWaitCursor(true);
    const EmptyOutcome outcome = m_service.Empty(user);
    m_view.ShowWaitCursor(false);
    switch (outcome.status) {
        case EmptyStatus::Emptied:
            m_fields.counts = CountTexts(StoredCounts(m_store));
            m_view.ShowCounts(m_fields.counts);
            break;
        case EmptyStatus::Incomplete:
            ShowEmptyFailure(std::to_string(outcome.undeleted) + " phrases could not be deleted.");
            break;
        case EmptyStatus::Failed:
            ShowEmptyFailure(outcome.failure);
            break;
        case EmptyStatus::Refused:
        case EmptyStatus::NotRestartable:
            break;
    }
}

void CDatabasePresenter::ShowEmptyFailure(const std::string& cause) {
    m_view.ShowMessage(WithCause("Cannot empty database", cause), "Database Error", MessageIcon::Warning);
}

void CDatabasePresenter::StartTransfer(TransferKind kind) {
    const bool load = kind == TransferKind::Load;
    std::string path;
    if (!m_view.ChooseDataFile(!load, path))
        return;
    // A connection lost since the dialog opened is replaced first.
    std::string failure;
    if (!m_store.ReconnectIfLost(failure)) {
        m_view.ShowMessage(WithCause(load ? "Error loading data file" : "Error saving data file", failure),
                           "File Error", MessageIcon::Warning);
        return;
    }
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
TransferResult CDatabasePresenter::RunTransfer(CStoreContext& store, const TransferJob& job,
                                               CTransferProgress& progress, CMessageSink& messages) {
    const bool load = job.kind == TransferKind::Load;
    try {
        const TransferSinks sinks{progress, messages};
        return load ? RunLoad(store, job.path, sinks) : RunExport(store, job.path, sinks);
    } catch (const std::exception& e) {
        ShowTransferFailure(messages, load, e.what());
    } catch (...) {
        ShowTransferFailure(messages, load, "");
    }
    return {};
}
