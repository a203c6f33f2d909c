#include "dialogs/DatabaseDlg.h"

#include <commdlg.h>

#include <cstdio>
#include <exception>
#include <thread>

#include "framework/MessageSink.h"
#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "store/PhraseService.h"
#include "res/resource.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"
#include "transfer/DataFilePath.h"
#include "transfer/PhraseFile.h"
#include "dialogs/TransferProgressDlg.h"

namespace {

// Captions and value fields, in pairs; the fields stand at odd places.
const int kLabelIds[] = {IDC_DATABASE_NAME_CAPTION, IDC_DATABASE_NAME, IDC_NOUN_COUNT_CAPTION,
                         IDC_NOUN_COUNT,            IDC_VERB_COUNT_CAPTION, IDC_VERB_COUNT,
                         IDC_ADVERB_COUNT_CAPTION,  IDC_ADVERB_COUNT,       IDC_OWNER_CAPTION,
                         IDC_OWNER};
constexpr size_t kNounField = 3, kVerbField = 5, kAdverbField = 7;

const int kTransferButtons[] = {IDC_EMPTY, IDC_LOAD_MERGE, IDC_EXPORT};

// Counts as the fields show them: unsigned, so a count below zero (until
// the next recount) shows as a large number.
std::string CountText(int32_t count) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(count));
    return text;
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

void ShowEmptyFailure(HWND owner, const std::string& cause) {
    ShowMessageBox(owner, WithCause("Cannot empty database", cause), "Database Error",
                   MB_OK | MB_ICONWARNING);
}

}  // namespace

CDatabaseDlg::CDatabaseDlg(CWnd* pParent, CStoreContext& store)
    : CTiledDialog(IDD_DATABASE, pParent), m_store(store), m_phrases(store, thePhraseSet) {
    m_store.m_configRecord.Recount();
    ReadCounts();
    m_strDatabaseName = DatabaseName(m_store);
}

void CDatabaseDlg::ReadCounts() {
    const CConfigRecord& config = m_store.m_configRecord;
    m_strNouns = CountText(config.m_NumNouns);
    m_strVerbs = CountText(config.m_NumVerbs);
    m_strAdverbs = CountText(config.m_NumAdverbs);
    m_strOwner = config.m_Administrator;
}

void CDatabaseDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Controls(pDX, kLabelIds, m_labels);
    DDX_Text(pDX, IDC_DATABASE_NAME, m_strDatabaseName);
    DDX_Text(pDX, IDC_NOUN_COUNT, m_strNouns);
    DDX_Text(pDX, IDC_VERB_COUNT, m_strVerbs);
    DDX_Text(pDX, IDC_ADVERB_COUNT, m_strAdverbs);
    DDX_Text(pDX, IDC_OWNER, m_strOwner);
}

// While a transfer runs the worker needs this object: OK, Escape and the
// close box do nothing.
void CDatabaseDlg::OnOK() {
    if (!TransferBusy())
        CTiledDialog::OnOK();
}

void CDatabaseDlg::OnCancel() {
    if (!TransferBusy())
        CTiledDialog::OnCancel();
}

void CDatabaseDlg::ShowCounts(const Counts& counts) {
    m_labels[kNounField].SetText(CountText(counts.nouns));
    m_labels[kVerbField].SetText(CountText(counts.verbs));
    m_labels[kAdverbField].SetText(CountText(counts.adverbs));
}

void CDatabaseDlg::EnableTransferButtons(bool enable) {
    for (int id : kTransferButtons)
        ::EnableWindow(GetDlgItem(id), enable);
}

const MessageTable* CDatabaseDlg::GetMessageTable() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_EMPTY, &CDatabaseDlg::OnEmpty),
        OnCommand(IDC_LOAD_MERGE, &CDatabaseDlg::OnLoadMerge),
        OnCommand(IDC_EXPORT, &CDatabaseDlg::OnExport),
        OnMessage(kTransferEnded, &CDatabaseDlg::OnTransferEnded),
    };
    static const MessageTable table = {CTiledDialog::GetMessageTable(), entries,
                                       sizeof(entries) / sizeof(entries[0])};
    return &table;
}

LRESULT CDatabaseDlg::OnEmpty(WPARAM, LPARAM) {
    EmptyDatabase();
    return 0;
}

LRESULT CDatabaseDlg::OnLoadMerge(WPARAM, LPARAM) {
    StartTransfer(true);
    return 0;
}

LRESULT CDatabaseDlg::OnExport(WPARAM, LPARAM) {
    StartTransfer(false);
    return 0;
}

// The owner only; every phrase goes, in batches, on this thread. After a
// failure part-way the phrases deleted so far stay deleted and the fields
// keep the old counts.
void CDatabaseDlg::EmptyDatabase() {
    std::string user;
    GetCurrentUserName(user);
    if (!m_phrases.MayEmpty(user)) {
        ShowMessageBox(m_hWnd, "You do not have permission to delete this item", "Permission Denied",
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (ShowMessageBox(m_hWnd,
                       "Are you sure you want to delete ALL phrases in the database?\n"
                       "WARNING: This operation cannot be undone",
                       "Empty Database", MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const EmptyOutcome outcome = m_phrases.Empty(user);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    const CConfigRecord& config = m_store.m_configRecord;
    switch (outcome.status) {
        case EmptyStatus::Emptied:
            ShowCounts({config.m_NumNouns, config.m_NumVerbs, config.m_NumAdverbs});
            break;
        case EmptyStatus::Incomplete:
            ShowEmptyFailure(m_hWnd, std::to_string(outcome.undeleted) + " phrases could not be deleted.");
            break;
        case EmptyStatus::Failed:
            ShowEmptyFailure(m_hWnd, outcome.failure);
            break;
        case EmptyStatus::Refused:
        case EmptyStatus::NotRestartable:
            break;
    }
}

void CDatabaseDlg::StartTransfer(bool import) {
    FileDialogRequest request;
    request.save = !import;
    request.defaultExtension = kDataFileExtension;
    request.filter = kDataFileFilter;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    std::string path;
    if (!RunFileDialog(m_hWnd, request, path))
        return;
    m_strDataFile = import ? path : CompleteExportPath(path);
    // The last transfer's window may still wait for its close request.
    if (theProgressDlg.GetSafeHwnd())
        theProgressDlg.DestroyWindow();
    theProgressDlg.m_strStatus = (import ? "Importing from file " : "Exporting to file ") + m_strDataFile;
    theProgressDlg.Create(this);
    if (import) {
        theProgressDlg.SetWindowText("Import Data");
        // A load stores through the shared set, which must be open.
        if (!thePhraseSet.IsOpen()) {
            thePhraseSet.m_strFilter = "PhraseNumber = ?";
            thePhraseSet.m_NumberParam = 0;
            thePhraseSet.Rerun();
        }
    }
    EnableTransferButtons(false);
    g_bTransferBusy.store(true, std::memory_order_release);
    std::thread(import ? &CDatabaseDlg::ImportThreadProc : &CDatabaseDlg::ExportThreadProc, this).detach();
}

void CDatabaseDlg::ExportThreadProc(CDatabaseDlg* dialog) {
    try {
        CMessageBoxSink messages(dialog->GetSafeHwnd());
        ExportPhraseFile(dialog->m_store, dialog->m_strDataFile, {theProgressDlg, messages});
    } catch (const std::exception& e) {
        ShowMessageBox(dialog->GetSafeHwnd(), WithCause("Error saving data file", e.what()), "File Error",
                       MB_OK | MB_ICONWARNING);
    }
    EndTransfer(dialog, nullptr);
}

void CDatabaseDlg::ImportThreadProc(CDatabaseDlg* dialog) {
    Counts counts{};
    bool counted = false;
    try {
        CMessageBoxSink messages(dialog->GetSafeHwnd());
        if (ImportPhraseFile(dialog->m_store, dialog->m_strDataFile, {theProgressDlg, messages}).recounted) {
            const CConfigRecord& config = dialog->m_store.m_configRecord;
            counts = {config.m_NumNouns, config.m_NumVerbs, config.m_NumAdverbs};
            counted = true;
        }
    } catch (const std::exception& e) {
        ShowMessageBox(dialog->GetSafeHwnd(), WithCause("Error loading data file", e.what()), "File Error",
                       MB_OK | MB_ICONWARNING);
    }
    EndTransfer(dialog, counted ? &counts : nullptr);
}

// The report is sent, so the dialog has taken it before the flag clears;
// from then on the worker touches neither dialog object.
void CDatabaseDlg::EndTransfer(CDatabaseDlg* dialog, const Counts* counts) {
    HWND progress = theProgressDlg.GetSafeHwnd();
    ::SendMessageA(dialog->GetSafeHwnd(), kTransferEnded, 0, reinterpret_cast<LPARAM>(counts));
    g_bTransferBusy.store(false, std::memory_order_release);
    ::PostMessageA(progress, WM_CLOSE, 0, 0);
}

LRESULT CDatabaseDlg::OnTransferEnded(WPARAM, LPARAM lParam) {
    if (const Counts* counts = reinterpret_cast<const Counts*>(lParam))
        ShowCounts(*counts);
    EnableTransferButtons(true);
    return 0;
}
