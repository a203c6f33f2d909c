#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"
#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/ListCtrl.h"
#include "manager/PhraseMenu.h"
#include "store/PhraseService.h"
#include "manager/core/PhraseListModel.h"
#include "manager/core/SortKeys.h"

class CSaverWnd;
class CStoreContext;

// The configuration mode's window: the phrases of the database in a
// four-column list that can be filtered by kind and sorted by any column,
// and the way to every other function of the configuration mode.
class CPhraseManagerDlg : public CTiledDialog {
public:
    explicit CPhraseManagerDlg(CStoreContext& store, CWnd* pParent = nullptr);
    ~CPhraseManagerDlg() override;

    // Re-reads one phrase and puts its row at the top of the list (at the
    // bottom while the list shows the oldest first), selected.
    virtual void ShowPhraseRow(int32_t phraseNumber);
    // Selects and shows one row; the first row selected so far loses its selection.
    void SelectPhraseRow(int32_t phraseNumber);
    // Fills the list anew with the phrases the filter code lets through.
    virtual void RefreshList(int filterCode);
    virtual void ShowDetails(int row);
    virtual void UpdateButtons();
    virtual void ShowContextMenu(POINT screen);
    virtual void SetupList();

    // The own title bar, painted on system versions 4.0 and lower: copies
    // the prepared bitmap of the current state over the system's title bar,
    // leaving the caption buttons as the system drew them.
    virtual void PaintCaption();
    // Prepares the active and the inactive title bar in the current system colours.
    virtual void BuildCaptionBitmaps();
    bool HasOwnCaption() const { return m_bOwnCaption; }
    // The prepared title bar of one state; null before it is built.
    HDC CaptionDC(bool active) const {
        return (active ? m_dcActiveCaption : m_dcInactiveCaption).GetSafeHdc();
    }

    int FilterCode() const { return m_nFilterCode; }
    const CSortKeys& SortKeys() const { return m_sortKeys; }
    const CPhraseListModel& Rows() const { return m_rows; }
    CListCtrl& List() { return m_list; }
    CPhraseMenu& Menu() { return m_menu; }
    CSaverWnd* TestWindow() const { return m_pTestWnd.get(); }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageTable* GetMessageTable() const override;

    // The commands that change phrases.
    void AddNoun();
    void AddVerb();
    void AddAdverb();
    void EditSelected();
    void DeleteSelected();

private:
    void AddVerbOrAdverb(bool adverb);
    int32_t StoreAddedPhrase(const PhraseInput& phrase);
    std::string PrepareChange();
    void EditNoun();
    void EditVerbOrAdverb(bool adverb);

private:
    void ShowDuplicateCheckFailures(const DuplicateCheck& check);
    // One state's title bar, drawn into its own memory DC and bitmap.
    void BuildCaptionBitmap(HDC window, bool active, bool flat);
    bool OpenPhraseSet();
    void AddAboutItem();
    void StoreColumnWidths();
    void PressFilterButton(int buttonId);
    void SetFilter(int filterCode, bool emptyFirst);
    void RunTest();
    // The list control shows the model's rows and selection again.
    void ShowRows();
    // The list control's selection into the model.
    void ReadSelection();
    void FillList();
    void ShowWarning(const std::string& text, const char* title);
    void ShowQueryFailure(const char* text, const char* title);

    LRESULT OnAddButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnRefresh(WPARAM wParam, LPARAM lParam);
    LRESULT OnFilterButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnTestButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetupButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnDatabaseButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDisplayInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnColumnClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnListClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnListRightClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnListDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);

    CBuddyLabel m_phraseLabel;
    CBuddyLabel m_listShowsLabel;
    CBuddyLabel m_listLabel;
    CButton m_editButton;
    CButton m_deleteButton;
    CButton m_addButton;
    CButton m_allButton;
    CListCtrl m_list;
    HICON m_hLargeIcon = nullptr;
    CPhraseMenu m_menu;
    bool m_bOwnCaption = false;
    // The bitmaps before the DCs that hold them: the DCs go first.
    std::unique_ptr<CBitmap> m_pInactiveCaptionBitmap;
    std::unique_ptr<CBitmap> m_pActiveCaptionBitmap;
    CMemoryDC m_dcInactiveCaption;
    CMemoryDC m_dcActiveCaption;
    std::unique_ptr<CFont> m_pCaptionFont;
    HICON m_hSmallIcon = nullptr;
    bool m_bActive = true;
    int m_nFilterCode = -1;
    CSortKeys m_sortKeys;
    std::unique_ptr<CSaverWnd> m_pTestWnd;

    CStoreContext& m_store;
    CPhraseService m_phrases;
    CPhraseListModel m_rows;
    // The list was set up; only then are its column widths worth storing.
    bool m_bListReady = false;
};
