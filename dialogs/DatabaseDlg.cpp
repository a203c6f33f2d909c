#include "dialogs/DatabaseDlg.h"

#include <commdlg.h>

#include <memory>
#include <thread>

#include "dialogs/TransferProgressDlg.h"
#include "framework/win/FileDialog.h"
#include "framework/odbc/Database.h"
#include "framework/odbc/LockWait.h"
#include "framework/win/MessageBox.h"
#include "res/resource.h"
#include "transfer/DataFilePath.h"

namespace {

// Captions and value fields, in pairs; the fields stand at odd places.
const int kLabelIds[] = {IDC_DATABASE_NAME_CAPTION, IDC_DATABASE_NAME, IDC_NOUN_COUNT_CAPTION,
                         IDC_NOUN_COUNT,            IDC_VERB_COUNT_CAPTION, IDC_VERB_COUNT,
                         IDC_ADVERB_COUNT_CAPTION,  IDC_ADVERB_COUNT,       IDC_OWNER_CAPTION,
                         IDC_OWNER};
constexpr size_t kNounField = 3, kVerbField = 5, kAdverbField = 7;

const int kTransferButtons[] = {IDC_EMPTY, IDC_LOAD_MERGE, IDC_EXPORT};

}  // namespace

// A transfer's call that waits a second for another program's lock says so
// in the progress window, until the transfer's next step writes over it.
CDatabaseDlg::CDatabaseDlg(CWnd* pParent, CStoreContext& store)
    : CTiledDialog(IDD_DATABASE, pParent), m_store(store), m_presenter(*this, store),
      m_fields(m_presenter.Fields()), m_waits(std::chrono::seconds(1), [this](const CDatabase& db) {
          if (HWND window = m_waitWindow.load())
              ::PostMessageA(window, kLockWait, 0, static_cast<LPARAM>(db.LockWaitLimitMs()));
      }) {}

void CDatabaseDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Controls(pDX, kLabelIds, m_labels);
    DDX_Text(pDX, IDC_DATABASE_NAME, m_fields.databaseName);
    DDX_Text(pDX, IDC_NOUN_COUNT, m_fields.counts.nouns);
    DDX_Text(pDX, IDC_VERB_COUNT, m_fields.counts.verbs);
    DDX_Text(pDX, IDC_ADVERB_COUNT, m_fields.counts.adverbs);
    DDX_Text(pDX, IDC_OWNER, m_fields.owner);
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

const MessageTable* CDatabaseDlg::GetMessageTable() const {
    using T = CDatabaseDlg;
    static const auto table = MessageTableOf<T>(CTiledDialog::GetMessageTable(), {
        OnCommand(IDC_EMPTY, &T::OnEmpty),
        OnCommand(IDC_LOAD_MERGE, &T::OnLoadMerge),
        OnCommand(IDC_EXPORT, &T::OnExport),
        OnMessage(kTransferEnded, &T::OnTransferEnded),
        OnMessage(kLockWait, &T::OnLockWait),
    });
    return &table;
}

void CDatabaseDlg::OnEmpty() { m_presenter.Empty(); }

void CDatabaseDlg::OnLoadMerge() { m_presenter.StartTransfer(TransferKind::Load); }

void CDatabaseDlg::OnExport() { m_presenter.StartTransfer(TransferKind::Export); }

LRESULT CDatabaseDlg::OnLockWait(WPARAM, LPARAM lParam) {
    if (theProgressDlg.GetSafeHwnd())
        theProgressDlg.SetText(LockWaitText(static_cast<long long>(lParam)));
    return 0;
}

LRESULT CDatabaseDlg::OnTransferEnded(WPARAM, LPARAM lParam) {
    const std::unique_ptr<TransferResult> result(reinterpret_cast<TransferResult*>(lParam));
    m_presenter.TransferEnded(result ? *result : TransferResult{});
    return 0;
}

// The worker has its own copy of the job and reaches the dialog only by its
// handle: as the owner of its message boxes and, last, with its result.
void CDatabaseDlg::TransferThreadProc(HWND dialog, CStoreContext* store, TransferJob job) {
    CMessageBoxSink messages(dialog);
    auto result = std::make_unique<TransferResult>(CDatabasePresenter::RunTransfer(*store, job, theProgressDlg, messages));
    if (::PostMessageA(dialog, kTransferEnded, 0, reinterpret_cast<LPARAM>(result.get()))) {
        result.release();
        return;
    }
    // The dialog's window is gone, and with it whoever would clear the flag.
    g_bTransferBusy.store(false);
}

void CDatabaseDlg::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    ShowMessageBox(m_hWnd, text, title, MB_OK | (icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONWARNING));
}

bool CDatabaseDlg::AskYesNo(const std::string& text, const std::string& title, DefaultAnswer answer) {
    const UINT defaultButton = answer == DefaultAnswer::No ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
    return ShowMessageBox(m_hWnd, text, title, MB_YESNO | MB_ICONWARNING | defaultButton) == IDYES;
}

bool CDatabaseDlg::ChooseDataFile(bool save, std::string& path) {
    FileDialogRequest request;
    request.save = save;
    request.defaultExtension = kDataFileExtension;
    request.filter = kDataFileFilter;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    return RunFileDialog(m_hWnd, request, path);
}

void CDatabaseDlg::ShowWaitCursor(bool wait) { SetCursor(LoadCursor(nullptr, wait ? IDC_WAIT : IDC_ARROW)); }

void CDatabaseDlg::ShowCounts(const PhraseCountTexts& counts) {
    m_labels[kNounField].SetText(counts.nouns);
    m_labels[kVerbField].SetText(counts.verbs);
    m_labels[kAdverbField].SetText(counts.adverbs);
}

void CDatabaseDlg::EnableTransferButtons(bool enable) {
    for (int id : kTransferButtons)
        ::EnableWindow(GetDlgItem(id), enable);
}

void CDatabaseDlg::OpenProgress(const std::string& status, const std::string& title) {
    theProgressDlg.m_strStatus = status;
    theProgressDlg.Create(this);
    theProgressDlg.SetWindowText(title);
}

void CDatabaseDlg::CloseProgress() { theProgressDlg.DestroyWindow(); }

void CDatabaseDlg::SetBusy(bool busy) { g_bTransferBusy.store(busy); }

// A worker that cannot start ends the transfer at once, so the dialog stays
// usable; the framework shows why.
void CDatabaseDlg::StartWorker(const TransferJob& job) {
    m_waitWindow = m_hWnd;
    try {
        std::thread(&CDatabaseDlg::TransferThreadProc, m_hWnd, &m_store, job).detach();
    } catch (...) {
        ::PostMessageA(m_hWnd, kTransferEnded, 0, 0);
        throw;
    }
}
