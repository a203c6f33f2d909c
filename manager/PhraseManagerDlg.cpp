#include "manager/PhraseManagerDlg.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/ConfigDlg.h"
#include "dialogs/DatabaseDlg.h"
#include "dialogs/DialogHost.h"
#include "dialogs/NounPhraseDlg.h"
#include "dialogs/PhraseDetailsDlg.h"
#include "dialogs/TransferProgressDlg.h"
#include "dialogs/VerbPhraseDlg.h"
#include "framework/win/Gdi.h"
#include "framework/win/MessageBox.h"
#include "res/resource.h"
#include "saver/win/SaverWnd.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"

namespace {

struct FilterButton {
    int id;
    int filterCode;
};
const FilterButton kFilterButtons[] = {
    {IDC_FILTER_ALL, -1}, {IDC_FILTER_NOUNS, 0}, {IDC_FILTER_VERBS, 4}, {IDC_FILTER_ADVERBS, 5}};

int FilterCodeOfButton(int buttonId) {
    for (const FilterButton& button : kFilterButtons)
        if (button.id == buttonId)
            return button.filterCode;
    return -1;
}

constexpr UINT kTestWindowId = 101;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

}  // namespace

CPhraseManagerDlg::CPhraseManagerDlg(CStoreContext& store, CWnd* pParent)
    : CTiledDialog(IDD_PHRASE_MANAGER, pParent),
      m_store(store), m_presenter(*this, store, thePhraseSet) {
    m_hLargeIcon = LoadIconForScreen(Instance(), IDI_APPLICATION_ICON, 32);
    m_hSmallIcon = LoadIconForScreen(Instance(), IDI_APPLICATION_ICON, 16);
}

CPhraseManagerDlg::~CPhraseManagerDlg() {
    DestroyIcon(m_hLargeIcon);
    DestroyIcon(m_hSmallIcon);
}

void CPhraseManagerDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PHRASE_LABEL, m_phraseLabel);
    DDX_Control(pDX, IDC_LIST_SHOWS_LABEL, m_listShowsLabel);
    DDX_Control(pDX, IDC_LIST_LABEL, m_listLabel);
    DDX_Control(pDX, IDM_EDIT_PHRASE, m_editButton);
    DDX_Control(pDX, IDM_DELETE_PHRASES, m_deleteButton);
    DDX_Control(pDX, IDC_ADD, m_addButton);
    DDX_Control(pDX, IDC_FILTER_ALL, m_allButton);
    DDX_Control(pDX, IDC_PHRASE_LIST, m_list);
}

bool CPhraseManagerDlg::OnInitDialog() {
    if (!m_presenter.OpenPhraseSet()) {
        ShowMessageBox(nullptr, "Could not open database", "Sorrowline Error", MB_OK | MB_ICONSTOP);
        RefuseAllButExit();
        return true;
    }
    CTiledDialog::OnInitDialog();
    AddAboutItem();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hLargeIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    m_list.SetUp(GetDialogHost()->ConfigSection());
    m_presenter.RefreshList(-1);
    CheckFilterButton(-1);
    m_captionBar.Build(m_hWnd, m_hSmallIcon);
    return true;
}

// Without the phrase set nothing else is set up; the user can only leave.
void CPhraseManagerDlg::RefuseAllButExit() {
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) != IDOK)
            ::EnableWindow(child, FALSE);
}

void CPhraseManagerDlg::AddAboutItem() {
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    char text[128] = "";
    if (!systemMenu || !LoadStringA(Instance(), IDS_ABOUT_ITEM, text, sizeof text) || !*text)
        return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT_BOX, text);
}

// Exit, Escape, Enter and the close box all leave the same way.
void CPhraseManagerDlg::OnOK() {
    m_list.StoreColumnWidths(GetDialogHost()->ConfigSection());
    EndDialog(IDOK);
}

void CPhraseManagerDlg::OnCancel() { OnOK(); }

void CPhraseManagerDlg::ShowContextMenu(POINT screen) {
    m_menu.EnableForSelection(m_list.GetSelectedCount());
    m_menu.TrackContextMenu(screen, m_hWnd);
}

// The previous test window goes before the next one comes; the saver runs
// beside the dialog and closes its own window.
void CPhraseManagerDlg::RunTest() {
    m_pTestWnd.reset();
    m_pTestWnd = std::make_unique<CSaverWnd>(SaverRunFlags{false, true}, GetDialogHost()->ConfigSection(), m_store);
    m_pTestWnd->CreateFullScreen(kTestWindowId);
}

void CPhraseManagerDlg::ShowRows(CPhraseListModel& rows) { m_list.ShowRows(rows); }

std::vector<int> CPhraseManagerDlg::SelectedRows() const { return m_list.SelectedRows(); }

int CPhraseManagerDlg::FocusedRow() const { return m_list.FocusedRow(); }

int CPhraseManagerDlg::SelectedCount() const { return m_list.GetSelectedCount(); }

void CPhraseManagerDlg::ScrollToRow(int row) { m_list.EnsureVisible(row, false); }

void CPhraseManagerDlg::EnableSelectionCommands(const SelectionCommands& commands) {
    m_editButton.EnableWindow(commands.edit);
    m_deleteButton.EnableWindow(commands.remove);
}

void CPhraseManagerDlg::CheckFilterButton(int filterCode) {
    for (const FilterButton& button : kFilterButtons)
        ::SendMessageA(GetDlgItem(button.id), BM_SETCHECK,
                       button.filterCode == filterCode ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CPhraseManagerDlg::ShowBusy(bool busy) { SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

void CPhraseManagerDlg::ShowWarning(const std::string& text, const std::string& title) {
    ShowMessageBox(m_hWnd, text, title, MB_OK | MB_ICONWARNING);
}

void CPhraseManagerDlg::ShowInformation(const std::string& text, const std::string& title) {
    ShowMessageBox(m_hWnd, text, title, MB_OK | MB_ICONINFORMATION);
}

bool CPhraseManagerDlg::AskYesNo(const std::string& text, const std::string& title) {
    return ShowMessageBox(m_hWnd, text, title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CPhraseManagerDlg::EditNoun(const CPhraseRec* record, int& form, std::string& text) {
    CNounPhraseDlg dialog(this, record);
    dialog.m_nForm = form;
    dialog.m_strText = text;
    if (dialog.DoModal() != IDOK)
        return false;
    form = dialog.m_nForm;
    text = dialog.m_strText;
    return true;
}

bool CPhraseManagerDlg::EditVerbOrAdverb(const CPhraseRec* record, bool adverb, FormTexts& texts) {
    CVerbPhraseDlg dialog(this, record, adverb);
    dialog.m_texts = texts;
    if (dialog.DoModal() != IDOK)
        return false;
    texts = dialog.m_texts;
    return true;
}

void CPhraseManagerDlg::ShowDetails(const CPhraseRec& phrase) {
    CPhraseDetailsDlg details(this, phrase);
    details.DoModal();
}

const MessageTable* CPhraseManagerDlg::GetMessageTable() const {
    using T = CPhraseManagerDlg;
    static const auto table = MessageTableOf<T>(CTiledDialog::GetMessageTable(), {
        OnCommand(IDC_ADD, &T::OnAddButton),
        OnCommand(IDM_NEW_NOUN, &T::OnMenuCommand),
        OnCommand(IDM_NEW_VERB, &T::OnMenuCommand),
        OnCommand(IDM_NEW_ADVERB, &T::OnMenuCommand),
        OnCommand(IDM_EDIT_PHRASE, &T::OnMenuCommand),
        OnCommand(IDM_DELETE_PHRASES, &T::OnMenuCommand),
        OnCommand(IDM_PHRASE_DETAILS, &T::OnDetailsCommand),
        OnCommand(IDC_REFRESH, &T::OnRefresh),
        OnCommand(IDC_FILTER_ALL, &T::OnFilterButton),
        OnCommand(IDC_FILTER_NOUNS, &T::OnFilterButton),
        OnCommand(IDC_FILTER_VERBS, &T::OnFilterButton),
        OnCommand(IDC_FILTER_ADVERBS, &T::OnFilterButton),
        OnCommand(IDC_TEST, &T::RunTest),
        OnCommand(IDC_SETUP, &T::OnSetupButton),
        OnCommand(IDC_DATABASE, &T::OnDatabaseButton),
        OnNotify<NMLVDISPINFOA>(IDC_PHRASE_LIST, LVN_GETDISPINFOA, &T::OnGetDisplayInfo),
        OnNotify<NMLISTVIEW>(IDC_PHRASE_LIST, LVN_COLUMNCLICK, &T::OnColumnClick),
        OnNotify<NMHDR>(IDC_PHRASE_LIST, NM_CLICK, &T::OnListClick),
        OnNotify<NMHDR>(IDC_PHRASE_LIST, NM_RCLICK, &T::OnListRightClick),
        OnNotify<NMHDR>(IDC_PHRASE_LIST, NM_DBLCLK, &T::OnListDoubleClick),
        OnNotify<NMLISTVIEW>(IDC_PHRASE_LIST, LVN_ITEMCHANGED, &T::OnItemChanged),
        OnNotify<NMLVODSTATECHANGE>(IDC_PHRASE_LIST, LVN_ODSTATECHANGED, &T::OnRangeStateChanged),
        OnNotify<NMLVKEYDOWN>(IDC_PHRASE_LIST, LVN_KEYDOWN, &T::OnListKeyDown),
        OnMessage(kSelectionChanged, &T::OnSelectionChanged),
        OnMessage(WM_CONTEXTMENU, &T::OnContextMenu),
        OnMouseMessage(WM_RBUTTONDOWN, &T::OnRightButtonDown),
        OnMessage(WM_SYSCOMMAND, &T::OnSysCommand),
        OnPaintMessage(&T::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &T::OnQueryDragIcon),
        OnMessage(WM_DESTROY, &T::OnDestroy),
        OnMessage(WM_NCPAINT, &T::OnNcPaint),
        OnMessage(WM_NCACTIVATE, &T::OnNcActivate),
        OnMessage(WM_SETTEXT, &T::OnSetText),
        OnMessage(WM_SYSCOLORCHANGE, &T::OnSysColorChange),
    });
    return &table;
}

// The "New" submenu opens at the button's top-right corner.
void CPhraseManagerDlg::OnAddButton() {
    RECT button;
    GetWindowRect(m_addButton.GetSafeHwnd(), &button);
    m_menu.TrackNewMenu({button.right, button.top}, m_hWnd);
}

void CPhraseManagerDlg::OnMenuCommand(UINT id) {
    switch (id) {
        case IDM_NEW_NOUN: m_presenter.AddNoun(); break;
        case IDM_NEW_VERB: m_presenter.AddVerbOrAdverb(false); break;
        case IDM_NEW_ADVERB: m_presenter.AddVerbOrAdverb(true); break;
        case IDM_EDIT_PHRASE: m_presenter.EditSelected(); break;
        case IDM_DELETE_PHRASES: m_presenter.DeleteSelected(); break;
    }
}

void CPhraseManagerDlg::OnRefresh() { m_presenter.Refresh(); }

void CPhraseManagerDlg::OnFilterButton(UINT id) { m_presenter.ChooseFilter(FilterCodeOfButton(id)); }

void CPhraseManagerDlg::OnSetupButton() {
    CConfigDlg config(this);
    config.DoModal();
}

// The list is read anew however the dialog ends: a load or an Empty may
// have changed every row.
void CPhraseManagerDlg::OnDatabaseButton() {
    if (!m_presenter.ReachStoreForDatabaseDialog())
        return;
    {
        CDatabaseDlg database(this, m_store);
        database.DoModal();
    }
    m_presenter.Refresh();
}

// The list hands in the item it wants filled.
// While a transfer's thread works on the store's connection, the list shows
// the cells it has and reads the others once the transfer is over.
void CPhraseManagerDlg::OnGetDisplayInfo(const NMLVDISPINFOA& info) {
    CPhraseListCtrl::FillCell(const_cast<LVITEMA&>(info.item), m_presenter.Rows(), !g_bTransferBusy);
}

void CPhraseManagerDlg::OnColumnClick(const NMLISTVIEW& click) { m_presenter.SortByColumn(click.iSubItem); }

void CPhraseManagerDlg::OnListClick(const NMHDR&) { m_presenter.UpdateButtons(); }

void CPhraseManagerDlg::OnListRightClick(const NMHDR&) {
    const DWORD position = GetMessagePos();
    ShowContextMenu({static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))});
    m_presenter.UpdateButtons();
}

void CPhraseManagerDlg::OnListDoubleClick(const NMHDR&) { m_presenter.ShowDetailsOfSelected(); }

void CPhraseManagerDlg::OnItemChanged(const NMLISTVIEW& change) {
    if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
        NoteSelectionChange();
}

void CPhraseManagerDlg::OnRangeStateChanged(const NMLVODSTATECHANGE& change) {
    if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)
        NoteSelectionChange();
}

// Selecting all of a long list changes every row; the buttons follow once,
// after the list is done.
void CPhraseManagerDlg::NoteSelectionChange() {
    if (m_bSelectionChangePosted)
        return;
    m_bSelectionChangePosted = PostMessageA(m_hWnd, kSelectionChanged, 0, 0) != FALSE;
}

LRESULT CPhraseManagerDlg::OnSelectionChanged() {
    m_bSelectionChangePosted = false;
    m_presenter.UpdateButtons();
    return 0;
}

// The list view has no Ctrl+A of its own; Delete asks as the button does;
// Ctrl and a column's number sort as a click on its heading does, for the
// keyboard cannot reach the headings.
void CPhraseManagerDlg::OnListKeyDown(const NMLVKEYDOWN& key) {
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int column = key.wVKey - '1';
    if (key.wVKey == 'A' && control)
        m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    else if (key.wVKey == VK_DELETE && !control)
        m_presenter.DeleteSelected();
    else if (control && column >= 0 && column < ColumnCount())
        m_presenter.SortByColumn(column);
}

int CPhraseManagerDlg::ColumnCount() const {
    return Header_GetItemCount(ListView_GetHeader(m_list.GetSafeHwnd()));
}

void CPhraseManagerDlg::OnDetailsCommand() { m_presenter.ShowDetailsOfSelected(); }

// Shift+F10 and the menu key come without a point; a right click on the
// list or the background has its own way to the menu, one on a button
// offers the button's help.
LRESULT CPhraseManagerDlg::OnContextMenu(WPARAM wParam, LPARAM lParam) {
    const HWND target = reinterpret_cast<HWND>(wParam);
    if (lParam != -1 && (target == m_hWnd || target == m_list.GetSafeHwnd()))
        return Default();
    if (lParam != -1)
        return OfferWhatsThis(wParam, lParam);
    ShowContextMenu(KeyboardMenuPoint());
    m_presenter.UpdateButtons();
    return 0;
}

// Below the focused row's text, or at the list's top-left corner when no
// row has the focus.
POINT CPhraseManagerDlg::KeyboardMenuPoint() {
    const int focused = m_list.FocusedRow();
    POINT point = {0, 0};
    RECT row = {LVIR_LABEL, 0, 0, 0};
    if (focused >= 0) {
        m_list.EnsureVisible(focused, false);
        if (::SendMessageA(m_list.GetSafeHwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(focused),
                           reinterpret_cast<LPARAM>(&row)))
            point = {row.left, row.bottom};
    }
    ClientToScreen(m_list.GetSafeHwnd(), &point);
    return point;
}

LRESULT CPhraseManagerDlg::OnRightButtonDown(UINT, POINT point) {
    ClientToScreen(m_hWnd, &point);
    ShowContextMenu(point);
    return Default();
}

LRESULT CPhraseManagerDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    switch (wParam & 0xFFF0) {
        case SC_MAXIMIZE:
            return 0;  // never maximised, also not from the title bar
        case IDM_ABOUT_BOX: {
            CAboutDlg about;
            about.DoModal();
            return 0;
        }
        default: {
            const LRESULT result = Default();
            if (m_hWnd && IsWindow(m_hWnd)) {
                m_captionBar.SetActive(true);
                PaintCaption();
            }
            return result;
        }
    }
}

// Minimised, the window shows the program's icon in place of the tile.
void CPhraseManagerDlg::OnPaint(HDC hDC) {
    if (!IsIconic(m_hWnd)) {
        PaintTile(hDC);
        return;
    }
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC));
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(hDC, x, y, m_hLargeIcon);
}

LRESULT CPhraseManagerDlg::OnQueryDragIcon() {
    return reinterpret_cast<LRESULT>(m_hLargeIcon);
}

LRESULT CPhraseManagerDlg::OnDestroy() {
    thePhraseSet.Close();
    return Default();
}

void CPhraseManagerDlg::PaintCaption() { m_captionBar.Paint(m_hWnd); }

LRESULT CPhraseManagerDlg::OnNcPaint() {
    const LRESULT result = Default();
    PaintCaption();
    return result;
}

LRESULT CPhraseManagerDlg::OnNcActivate(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    m_captionBar.SetActive(wParam != FALSE);
    PaintCaption();
    return result;
}

LRESULT CPhraseManagerDlg::OnSetText() {
    const LRESULT result = Default();
    PaintCaption();
    return result;
}

// The title bars and the shared tile in the new colours; the controls hear
// of the change too, the list among them.
LRESULT CPhraseManagerDlg::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
    m_captionBar.Build(m_hWnd, m_hSmallIcon);
    GetDialogHost()->BuildDialogTile();
    const LRESULT result = Default();
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ::SendMessageA(child, WM_SYSCOLORCHANGE, wParam, lParam);
    return result;
}
