#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/BuddyLabel.h"
#include "dialogs/TiledDialog.h"
#include "framework/win/Controls.h"
#include "manager/OwnCaptionBar.h"
#include "manager/PhraseListCtrl.h"
#include "manager/PhraseMenu.h"
#include "manager/core/PhraseManagerPresenter.h"
#include "manager/core/PhraseManagerView.h"

class CSaverWnd;
class CStoreContext;

// The configuration mode's window: the phrases of the database in a
// four-column list that can be filtered by kind and sorted by any column,
// and the way to every other function of the configuration mode. Its
// controls and messages reach the presenter, which decides what they do.
class CPhraseManagerDlg : public CTiledDialog, private IPhraseManagerView {
public:
    // The store the list shows and changes.
    explicit CPhraseManagerDlg(CStoreContext& store, CWnd* pParent = nullptr);
    ~CPhraseManagerDlg() override;

    void ShowPhraseRow(int32_t phraseNumber) { m_presenter.ShowPhraseRow(phraseNumber); }
    void SelectPhraseRow(int32_t phraseNumber) { m_presenter.SelectPhraseRow(phraseNumber); }
    void RefreshList(int filterCode) { m_presenter.RefreshList(filterCode); }
    void ShowDetails(int row) { m_presenter.ShowDetails(row); }
    void UpdateButtons() { m_presenter.UpdateButtons(); }
    void ShowContextMenu(POINT screen);

    const COwnCaptionBar& CaptionBar() const { return m_captionBar; }
    int FilterCode() const { return m_presenter.FilterCode(); }
    const CSortKeys& SortKeys() const { return m_presenter.SortKeys(); }
    const CPhraseListModel& Rows() const { return m_presenter.Rows(); }
    CPhraseListCtrl& List() { return m_list; }
    CPhraseMenu& Menu() { return m_menu; }
    CSaverWnd* TestWindow() const { return m_pTestWnd.get(); }

    // Posted once however many rows a change of selection touches.
    static constexpr UINT kSelectionChanged = WM_APP + 2;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    const MessageTable* GetMessageTable() const override;

private:
    // The view the presenter shows its rows, questions and editors through.
    void ShowRows(CPhraseListModel& rows) override;
    std::vector<int> SelectedRows() const override;
    int FocusedRow() const override;
    int SelectedCount() const override;
    void ScrollToRow(int row) override;
    void EnableSelectionCommands(const SelectionCommands& commands) override;
    void CheckFilterButton(int filterCode) override;
    void ShowBusy(bool busy) override;
    void ShowWarning(const std::string& text, const std::string& title) override;
    void ShowInformation(const std::string& text, const std::string& title) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool EditNoun(const CPhraseRec* record, int& form, std::string& text) override;
    bool EditVerbOrAdverb(const CPhraseRec* record, bool adverb, FormTexts& texts) override;
    void ShowDetails(const CPhraseRec& phrase) override;

    void RefuseAllButExit();
    void AddAboutItem();
    void RunTest();
    void PaintCaption();

    void OnAddButton();
    void OnMenuCommand(UINT id);
    void OnRefresh();
    void OnFilterButton(UINT id);
    void OnSetupButton();
    void OnDatabaseButton();
    void OnGetDisplayInfo(const NMLVDISPINFOA& info);
    void OnColumnClick(const NMLISTVIEW& click);
    void OnListClick(const NMHDR&);
    void OnListRightClick(const NMHDR&);
    void OnListDoubleClick(const NMHDR&);
    void OnItemChanged(const NMLISTVIEW& change);
    void OnRangeStateChanged(const NMLVODSTATECHANGE& change);
    void OnListKeyDown(const NMLVKEYDOWN& key);
    int ColumnCount() const;
    void OnDetailsCommand();
    void NoteSelectionChange();
    LRESULT OnSelectionChanged();
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    POINT KeyboardMenuPoint();
    LRESULT OnRightButtonDown(UINT keys, POINT client);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    void OnPaint(HDC hDC);
    LRESULT OnQueryDragIcon();
    LRESULT OnDestroy();
    LRESULT OnNcPaint();
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText();
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);

    CBuddyLabel m_phraseLabel;
    CBuddyLabel m_listShowsLabel;
    CBuddyLabel m_listLabel;
    CButton m_editButton;
    CButton m_deleteButton;
    CButton m_addButton;
    CButton m_allButton;
    CPhraseListCtrl m_list;
    HICON m_hLargeIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    CPhraseMenu m_menu;
    COwnCaptionBar m_captionBar;
    std::unique_ptr<CSaverWnd> m_pTestWnd;
    bool m_bSelectionChangePosted = false;
    CStoreContext& m_store;
    CPhraseManagerPresenter m_presenter;
};
