#include "dialogs/TransferProgressDlg.h"

#include <commctrl.h>

#include "res/resource.h"

std::atomic<bool> g_bTransferBusy{false};

bool TransferBusy() { return g_bTransferBusy.load(); }

CTransferProgressDlg theProgressDlg;

CTransferProgressDlg::CTransferProgressDlg() : CTiledDialog(IDD_TRANSFER_PROGRESS) {}

bool CTransferProgressDlg::OnInitDialog() {
    CTiledDialog::OnInitDialog();
    ::SetDlgItemTextA(m_hWnd, IDC_TRANSFER_STATUS, m_strStatus.c_str());
    return false;  // no focus: the dialog takes no input
}

void CTransferProgressDlg::SetRange(uint32_t total) {
    HWND bar = GetDlgItem(IDC_TRANSFER_BAR);
    ::SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
    ::SendMessageA(bar, PBM_SETSTEP, 1, 0);
    ::SendMessageA(bar, PBM_SETPOS, 0, 0);
}

void CTransferProgressDlg::SetPosition(uint32_t position) {
    ::SendMessageA(GetDlgItem(IDC_TRANSFER_BAR), PBM_SETPOS, position, 0);
}

void CTransferProgressDlg::SetText(const std::string& text) {
    ::SetDlgItemTextA(m_hWnd, IDC_TRANSFER_COUNTER, text.c_str());
}

// While the transfer runs nothing closes it.
void CTransferProgressDlg::OnCancel() {
    if (!TransferBusy())
        EndDialog(IDCANCEL);
}

// The close box and a posted close request both go through OnCancel.
const MessageTable* CTransferProgressDlg::GetMessageTable() const {
    using T = CTransferProgressDlg;
    static const auto table = MessageTableOf<T>(CTiledDialog::GetMessageTable(), {
        OnMessage(WM_CLOSE, &T::OnCancel),
    });
    return &table;
}
