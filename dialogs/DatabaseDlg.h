#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"
#include "dialogs/core/DatabasePresenter.h"
#include "framework/odbc/WaitWatch.h"

class CStoreContext;

// What the phrase database holds and who owns it, and the three operations
// on the whole collection: Empty, Export... and Load/Merge..., the last two
// on a worker thread beside the progress dialog. The rules are the
// presenter's; this class wires the controls to it and shows what it says.
// While a transfer runs the dialog refuses to close and its three buttons
// are disabled, which keeps this object alive for the worker.
class CDatabaseDlg : public CTiledDialog, private IDatabaseView {
public:
    // Counts the phrases anew for the fields.
    // The store outlives the dialog, and with it any transfer the dialog started.
    CDatabaseDlg(CWnd* pParent, CStoreContext& store);

    // The worker's last act: it posts this with its TransferResult (owned
    // by the message) in lParam, and touches nothing after.
    static constexpr UINT kTransferEnded = WM_APP + 1;
    // Posted by the wait watch when a transfer's call has waited a second
    // for a lock; lParam is the connection's lock wait limit.
    static constexpr UINT kLockWait = WM_APP + 2;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    const MessageTable* GetMessageTable() const override;

private:
    void OnEmpty();
    void OnLoadMerge();
    void OnExport();
    LRESULT OnTransferEnded(WPARAM wParam, LPARAM lParam);
    LRESULT OnLockWait(WPARAM wParam, LPARAM lParam);

    static void TransferThreadProc(HWND dialog, CStoreContext* store, TransferJob job);

    // The view.
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title, DefaultAnswer answer) override;
    bool ChooseDataFile(bool save, std::string& path) override;
    void ShowWaitCursor(bool wait) override;
    void ShowCounts(const PhraseCountTexts& counts) override;
    void EnableTransferButtons(bool enable) override;
    void OpenProgress(const std::string& status, const std::string& title) override;
    void CloseProgress() override;
    void SetBusy(bool busy) override;
    void StartWorker(const TransferJob& job) override;

    CStoreContext& m_store;
    CDatabasePresenter m_presenter;
    DatabaseFields m_fields;  // the exchange's copy
    static constexpr size_t kLabelCount = 10;
    CBuddyLabel m_labels[kLabelCount];
    // Set before the first worker starts; the watch's thread posts to it.
    std::atomic<HWND> m_waitWindow{nullptr};
    CWaitWatch m_waits;  // last: gone before what its notice uses
};
