#pragma once
#include <atomic>
#include <string>

#include "dialogs/TiledDialog.h"
#include "transfer/TransferProgress.h"

// True from just before a transfer's worker starts until its last step; the
// Database dialog and the progress dialog refuse to close meanwhile. The
// worker clears it (release) after its last use of the dialogs, so that a
// dialog that sees it clear (acquire) also sees everything the worker did.
extern std::atomic<bool> g_bTransferBusy;
bool TransferBusy();

// What a transfer is doing and how far it has come: a status line, a bar
// and a counter line. Modeless, created disabled (it takes no input) for
// each transfer; the worker drives it through the progress interface,
// whose calls are messages served by the dialog's own thread.
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

private:
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
};

// The one progress dialog of the process; its window is made anew for each transfer.
extern CTransferProgressDlg theProgressDlg;
