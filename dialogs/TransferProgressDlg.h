#pragma once
#include <atomic>
#include <string>

#include "dialogs/TiledDialog.h"
#include "transfer/TransferProgress.h"

// True from just before a transfer's worker starts until the Database dialog
// has taken its result; that dialog and the progress dialog refuse to close
// meanwhile. Only the dialogs' thread sets and clears it (a worker clears it
// only when the Database dialog's window is gone before it could report).
extern std::atomic<bool> g_bTransferBusy;
bool TransferBusy();

// What a transfer is doing and how far it has come: a status line, a bar
// and a counter line. Modeless, created disabled (it takes no input) for
// each transfer and destroyed by the Database dialog once the worker has
// ended; the worker drives it through the progress interface, whose calls
// are messages served by the dialog's own thread.
class CTransferProgressDlg : public CTiledDialog, public CTransferProgress {
public:
    CTransferProgressDlg();

    std::string m_strStatus;  // set before the window is created

    void SetRange(uint32_t total) override;
    void SetPosition(uint32_t position) override;
    void SetText(const std::string& text) override;

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    const MessageTable* GetMessageTable() const override;
};

// The one progress dialog of the process; its window is made anew for each transfer.
extern CTransferProgressDlg theProgressDlg;
