#pragma once
#include <windows.h>

#include <string>

#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"
#include "store/PhraseService.h"

class CStoreContext;

// What the phrase database holds and who owns it, and the three operations
// on the whole collection: Empty (the owner only), Export... and
// Load/Merge..., the last two on a worker thread beside a progress dialog.
// While a transfer runs the dialog refuses to close and its three buttons
// are disabled, which keeps this object alive for the worker.
class CDatabaseDlg : public CTiledDialog {
public:
    // Counts the phrases of the store anew for the fields.
    CDatabaseDlg(CWnd* pParent, CStoreContext& store);

    std::string m_strDataFile;  // the file of the current transfer; the worker reads it

    // The worker's report at its end, on the dialog's own thread: the counts
    // shown anew (after a load that counted), the buttons enabled again.
    static constexpr UINT kTransferEnded = WM_APP + 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    const MessageTable* GetMessageTable() const override;

private:
    struct Counts {
        int32_t nouns, verbs, adverbs;
    };

    void ReadCounts();
    void ShowCounts(const Counts& counts);
    void EnableTransferButtons(bool enable);
    void StartTransfer(bool import);
    void EmptyDatabase();

    LRESULT OnEmpty(WPARAM wParam, LPARAM lParam);
    LRESULT OnLoadMerge(WPARAM wParam, LPARAM lParam);
    LRESULT OnExport(WPARAM wParam, LPARAM lParam);
    LRESULT OnTransferEnded(WPARAM wParam, LPARAM lParam);

    static void ExportThreadProc(CDatabaseDlg* dialog);
    static void ImportThreadProc(CDatabaseDlg* dialog);
    // The worker's last steps: its report, the flag, the progress dialog.
    static void EndTransfer(CDatabaseDlg* dialog, const Counts* counts);

    CStoreContext& m_store;
    CPhraseService m_phrases;
    std::string m_strDatabaseName;
    std::string m_strNouns, m_strVerbs, m_strAdverbs;
    std::string m_strOwner;
    static constexpr size_t kLabelCount = 10;
    CBuddyLabel m_labels[kLabelCount];
};
