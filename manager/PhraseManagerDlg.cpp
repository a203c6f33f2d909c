#include "manager/PhraseManagerDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

#include "dialogs/AboutDlg.h"
#include "dialogs/ConfigDlg.h"
#include "dialogs/NounPhraseDlg.h"
#include "dialogs/VerbPhraseDlg.h"
#include "dialogs/DialogHost.h"
#include "dialogs/PhraseDetailsDlg.h"
#include "framework/win/Gdi.h"
#include "framework/win/MessageBox.h"
#include "manager/core/OwnCaption.h"
#include "store/PhraseService.h"
#include "res/resource.h"
#include "saver/win/SaverWnd.h"
#include "store/CurrentUser.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"
#include "dialogs/DatabaseDlg.h"

namespace {

struct ColumnSpec {
    const char* heading;
    const char* widthValue;
    int defaultWidth;
};
const ColumnSpec kColumns[] = {
    {"Type", "ColWidth0", 60},
    {"Date", "ColWidth1", 70},
    {"Added by", "ColWidth2", 90},
    {"Phrase", "ColWidth3", 300},
};

const int kFilterButtons[] = {IDC_FILTER_ALL, IDC_FILTER_NOUNS, IDC_FILTER_VERBS, IDC_FILTER_ADVERBS};

int FilterCodeOfButton(int buttonId) {
    switch (buttonId) {
        case IDC_FILTER_NOUNS: return 0;
        case IDC_FILTER_VERBS: return 4;
        case IDC_FILTER_ADVERBS: return 5;
        default: return -1;
    }
}

constexpr UINT kTestWindowId = 101;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

void ShowArrowCursor() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }

// The kind icons of the list, one image list for the whole process.
const CImageList& KindImages() {
    static CImageList images;
    if (!images.GetSafeHandle()) {
        images.Create(16, 16, ILC_COLOR4 | ILC_MASK, 3, 0);
        for (UINT icon : {IDI_NOUN, IDI_VERB, IDI_ADVERB})
            images.AddIcon(Instance(), icon);
    }
    return images;
}

// The system's version decides, once, whether the manager paints its own title bar.
bool SystemUsesOwnCaption() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && UsesOwnCaption(version.dwMajorVersion, version.dwMinorVersion);
}

constexpr char kCaptionName[] = "Sorrowline";
constexpr char kCaptionFace[] = "Courier New";

// Where the own title bar goes in the window, from the system's measures.
struct CaptionPlace {
    int frameX;     // SM_CXDLGFRAME
    int frameY;     // SM_CYDLGFRAME
    int height;     // SM_CYCAPTION - SM_CYBORDER
    RECT caption;   // the bar up to the three caption buttons
    int copyWidth;  // what PaintCaption copies
};

CaptionPlace MeasureCaption(HWND hWnd) {
    RECT window;
    GetWindowRect(hWnd, &window);
    const int width = window.right - window.left;
    const int buttons = 3 * GetSystemMetrics(SM_CXSIZE);
    CaptionPlace place;
    place.frameX = GetSystemMetrics(SM_CXDLGFRAME);
    place.frameY = GetSystemMetrics(SM_CYDLGFRAME);
    place.height = GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYBORDER);
    place.caption = {place.frameX, place.frameY, width - buttons - place.frameX,
                     place.height + 1 + place.frameY};
    place.copyWidth = width - buttons - 2 * place.frameX + 1;
    return place;
}

void FillSolid(HDC hDC, const RECT& rect, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(hDC, &rect, brush.GetSafeHandle());
}

}  // namespace

CPhraseManagerDlg::CPhraseManagerDlg(CStoreContext& store, CWnd* pParent)
    : CTiledDialog(IDD_PHRASE_MANAGER, pParent), m_store(store), m_phrases(store, thePhraseSet) {
    m_hLargeIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON));
    m_hSmallIcon = static_cast<HICON>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_APPLICATION_ICON), IMAGE_ICON, 16, 16, LR_SHARED));
    m_bOwnCaption = SystemUsesOwnCaption();
    thePhraseSet.m_strSort = m_sortKeys.Joined();
}

CPhraseManagerDlg::~CPhraseManagerDlg() = default;

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
    if (!OpenPhraseSet())
        return true;
    CTiledDialog::OnInitDialog();
    AddAboutItem();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hLargeIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hLargeIcon));
    SetupList();
    PressFilterButton(IDC_FILTER_ALL);
    BuildCaptionBitmaps();
    return true;
}

// Without the phrase set nothing else is set up; the user can only leave.
bool CPhraseManagerDlg::OpenPhraseSet() {
    try {
        // The list runs its own query right after: opening has to prove the
        // table can be read, not read all of it.
        thePhraseSet.m_strFilter = "PhraseNumber = ?";
        thePhraseSet.m_NumberParam = 0;
        thePhraseSet.Open(CRecordset::useDefaultType, nullptr, CRecordset::skipDeletedRecords);
        return true;
    } catch (const std::exception&) {
        ShowMessageBox(nullptr, "Could not open database", "Sorrowline Error", MB_OK | MB_ICONSTOP);
    }
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) != IDOK)
            ::EnableWindow(child, FALSE);
    return false;
}

void CPhraseManagerDlg::AddAboutItem() {
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    char text[128] = "";
    if (!systemMenu || !LoadStringA(Instance(), IDS_ABOUT_ITEM, text, sizeof text) || !*text)
        return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUT_BOX, text);
}

void CPhraseManagerDlg::SetupList() {
    m_list.SetImageList(KindImages(), LVSIL_SMALL);
    // A click anywhere on a row selects it, not only on its first cell.
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    CProfileSection& settings = GetDialogHost()->ConfigSection();
    for (int column = 0; column < 4; ++column) {
        uint32_t width = 0;
        if (!settings.ReadNumber(kColumns[column].widthValue, width))
            width = static_cast<uint32_t>(kColumns[column].defaultWidth);
        m_list.InsertColumn(column, kColumns[column].heading, LVCFMT_LEFT, static_cast<int>(width));
    }
    m_bListReady = true;
    RefreshList(-1);
}

void CPhraseManagerDlg::StoreColumnWidths() {
    if (!m_bListReady)
        return;  // an unprepared list would replace the user's widths
    CProfileSection& settings = GetDialogHost()->ConfigSection();
    for (int column = 0; column < 4; ++column)
        settings.WriteNumber(kColumns[column].widthValue,
                             static_cast<uint32_t>(m_list.GetColumnWidth(column)));
}

// Exit, Escape, Enter and the close box all leave the same way.
void CPhraseManagerDlg::OnOK() {
    StoreColumnWidths();
    EndDialog(IDOK);
}

void CPhraseManagerDlg::OnCancel() { OnOK(); }

void CPhraseManagerDlg::ShowWarning(const std::string& text, const char* title) {
    ShowMessageBox(m_hWnd, text, title, MB_OK | MB_ICONWARNING);
}

// After the shared set's query failed: the driver's words below the message.
void CPhraseManagerDlg::ShowQueryFailure(const char* text, const char* title) {
    ShowWarning(WithCause(text, thePhraseSet.LastError().m_strError), title);
}

void CPhraseManagerDlg::RefreshList(int filterCode) {
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    m_rows.Clear();
    ShowRows();
    const ListFilter filter = ListFilterFor(filterCode);
    try {
        thePhraseSet.m_strFilter = filter.condition;
        if (filter.setsParameter)
            thePhraseSet.m_NumberParam = filter.parameter;
        if (!thePhraseSet.Rerun()) {
            ShowArrowCursor();
            ShowQueryFailure("Could not refresh phrase list", "Error");
            return;
        }
        FillList();
    } catch (const std::exception& e) {
        ShowRows();  // the rows read before the error stay listed
        ShowWarning(WithCause("Could not refresh phrase list", e.what()), "Error");
    }
    ShowArrowCursor();
}

// Each row goes to the top, so the screen shows the query's order reversed.
void CPhraseManagerDlg::FillList() {
    for (; !thePhraseSet.IsEOF(); thePhraseSet.MoveNext()) {
        PhraseListRow row;
        if (MakeListRow(thePhraseSet, row))
            m_rows.InsertTop(std::move(row));
    }
    ShowRows();
}

void CPhraseManagerDlg::ShowRows() {
    m_list.SetItemCountEx(static_cast<int>(m_rows.Size()));
    m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (long long row = m_rows.NextSelected(-1); row >= 0; row = m_rows.NextSelected(row))
        m_list.SetItemState(static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    for (size_t row = 0; row < m_rows.Size(); ++row)
        if (m_rows.Row(row).focused)
            m_list.SetItemState(static_cast<int>(row), LVIS_FOCUSED, LVIS_FOCUSED);
    InvalidateRect(m_list.GetSafeHwnd(), nullptr, TRUE);
}

void CPhraseManagerDlg::ReadSelection() {
    m_rows.ClearSelection();
    for (int row = m_list.GetNextItem(-1, LVNI_SELECTED); row >= 0 && row < static_cast<int>(m_rows.Size());
         row = m_list.GetNextItem(row, LVNI_SELECTED))
        m_rows.Row(static_cast<size_t>(row)).selected = true;
    const int focused = m_list.GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0 && focused < static_cast<int>(m_rows.Size()))
        m_rows.Row(static_cast<size_t>(focused)).focused = true;
}

void CPhraseManagerDlg::UpdateButtons() {
    const SelectionCommands commands = CommandsForSelection(m_list.GetSelectedCount());
    m_editButton.EnableWindow(commands.edit);
    m_deleteButton.EnableWindow(commands.remove);
}

void CPhraseManagerDlg::ShowContextMenu(POINT screen) {
    m_menu.EnableForSelection(m_list.GetSelectedCount());
    m_menu.TrackContextMenu(screen, m_hWnd);
}

void CPhraseManagerDlg::PressFilterButton(int buttonId) {
    for (int id : kFilterButtons)
        ::SendMessageA(GetDlgItem(id), BM_SETCHECK, id == buttonId ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CPhraseManagerDlg::SetFilter(int filterCode, bool emptyFirst) {
    if (emptyFirst) {
        m_rows.Clear();
        ShowRows();
    }
    m_nFilterCode = filterCode;
    RefreshList(filterCode);
}

void CPhraseManagerDlg::ShowDetails(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.Size()))
        return;
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = m_rows.Row(static_cast<size_t>(row)).phraseNumber;
    if (!thePhraseSet.Rerun()) {
        ShowQueryFailure("Cannot view phrase details", "Database Error");
        return;
    }
    // A phrase deleted meanwhile has nothing to show either.
    if (thePhraseSet.IsEOF()) {
        ShowWarning("Cannot view phrase details", "Database Error");
        return;
    }
    CPhraseDetailsDlg details(this, thePhraseSet);
    details.DoModal();
}

// The row goes to the top, or to the bottom while the list shows the oldest
// first; not to its sorted place, which the next refresh gives it.
void CPhraseManagerDlg::ShowPhraseRow(int32_t phraseNumber) {
    ReadSelection();
    const long long existing = m_rows.Find(phraseNumber);
    bool changed = existing >= 0;
    if (changed)
        m_rows.Erase(static_cast<size_t>(existing));
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = phraseNumber;
    const bool found = thePhraseSet.Rerun() && !thePhraseSet.IsEOF();
    PhraseListRow row;
    if (found && MakeListRow(thePhraseSet, row)) {
        const size_t position = m_sortKeys[0] == "DateAdded DESC" ? m_rows.Size() : 0;
        m_rows.InsertAt(position, std::move(row));
        changed = true;
    }
    if (changed)
        ShowRows();  // once, for the removal and the insertion together
    if (found)
        SelectPhraseRow(phraseNumber);
}

void CPhraseManagerDlg::SelectPhraseRow(int32_t phraseNumber) {
    ReadSelection();
    const long long found = m_rows.Find(phraseNumber);
    if (found < 0)
        return;
    const long long firstSelected = m_rows.NextSelected(-1);
    if (firstSelected >= 0) {
        m_rows.Row(static_cast<size_t>(firstSelected)).selected = false;
        m_rows.Row(static_cast<size_t>(firstSelected)).focused = false;
    }
    for (size_t row = 0; row < m_rows.Size(); ++row)
        m_rows.Row(row).focused = false;
    m_rows.Row(static_cast<size_t>(found)).selected = true;
    m_rows.Row(static_cast<size_t>(found)).focused = true;
    ShowRows();
    m_list.EnsureVisible(static_cast<int>(found), false);
    UpdateButtons();
}

void CPhraseManagerDlg::AddNoun() {
    CNounPhraseDlg dialog(this, nullptr);
    if (!thePhraseSet.CanAppend()) {
        ShowWarning("Cannot create phrase", "Database Error");
        return;
    }
    if (dialog.DoModal() != IDOK || dialog.m_nForm == -1 || dialog.m_strText.empty())
        return;
    PhraseInput noun;
    noun.phraseType = static_cast<uint8_t>(dialog.m_nForm);
    noun.texts[0] = dialog.m_strText;
    const int32_t added = StoreAddedPhrase(noun);
    if (added < 0)
        return;
    if (m_nFilterCode == -1 || m_nFilterCode == 0) {
        ShowPhraseRow(added);
        return;
    }
    PressFilterButton(IDC_FILTER_NOUNS);
    SetFilter(0, true);
    SelectPhraseRow(added);
}

void CPhraseManagerDlg::AddVerb() { AddVerbOrAdverb(false); }

void CPhraseManagerDlg::AddAdverb() { AddVerbOrAdverb(true); }

void CPhraseManagerDlg::AddVerbOrAdverb(bool adverb) {
    CVerbPhraseDlg dialog(this, nullptr, adverb);
    if (!thePhraseSet.CanAppend()) {
        ShowWarning("Cannot create phrase", "Database Error");
        return;
    }
    if (dialog.DoModal() != IDOK)
        return;
    for (const std::string& text : dialog.m_texts)
        if (text.empty())
            return;
    PhraseInput phrase;
    phrase.phraseType = adverb ? kAdverbType : kVerbType;
    phrase.texts = dialog.m_texts;
    const int32_t added = StoreAddedPhrase(phrase);
    if (added < 0)
        return;
    const int filterCode = phrase.phraseType;
    if (m_nFilterCode != -1 && m_nFilterCode != filterCode) {
        PressFilterButton(adverb ? IDC_FILTER_ADVERBS : IDC_FILTER_VERBS);
        SetFilter(filterCode, true);
        SelectPhraseRow(added);
    }
    ShowPhraseRow(added);
}

// The duplicate question, the recount and the store that every add shares.
// Returns the number of the user's newest phrase (0 if none is found), or
// -1 when nothing was stored.
int32_t CPhraseManagerDlg::StoreAddedPhrase(const PhraseInput& phrase) {
    const DuplicateCheck duplicate = m_phrases.CheckDuplicate(phrase);
    ShowDuplicateCheckFailures(duplicate);
    if (duplicate.exists &&
        ShowMessageBox(m_hWnd, "This phrase already exists. Add anyway?", "Duplicate phrase",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
        return -1;
    std::string user;
    const bool haveUser = GetCurrentUserName(user);
    const AddOutcome added = m_phrases.Add(phrase, haveUser ? &user : nullptr);
    if (!added.stored) {
        // The phrase is lost unless the user hears of it.
        ShowWarning(WithCause("Cannot create phrase", added.failure), "Database Error");
        return -1;
    }
    if (!added.lookupFailure.empty())
        CMessageBoxSink().ShowWarning("Unable to select phrase", "Sorrowline Error");
    return added.phraseNumber;
}

void CPhraseManagerDlg::ShowDuplicateCheckFailures(const DuplicateCheck& check) {
    CMessageBoxSink lookups;
    for (const std::string& cause : check.failures)
        lookups.ShowWarning(WithCause("Unable to check phrase", cause), "Sorrowline Error");
}

// Before an edit or a deletion: the set filtered by number, the counts and
// the owner as they are now; returns who asks.
std::string CPhraseManagerDlg::PrepareChange() {
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    m_store.m_configRecord.Recount();
    std::string user;
    GetCurrentUserName(user);
    return user;
}

void CPhraseManagerDlg::EditSelected() {
    if (m_list.GetSelectedCount() != 1)
        return;
    CConfigRecord& config = m_store.m_configRecord;
    const std::string user = PrepareChange();
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_rows.Size()))
        return;
    thePhraseSet.m_NumberParam = m_rows.Row(static_cast<size_t>(row)).phraseNumber;
    if (!thePhraseSet.Rerun()) {
        ShowQueryFailure("Cannot edit phrase", "Database Error");
        return;
    }
    // A phrase deleted meanwhile cannot be edited either.
    if (!thePhraseSet.CanUpdate() || thePhraseSet.IsEOF()) {
        ShowWarning("Cannot edit phrase", "Database Error");
        return;
    }
    if (!config.MayChangePhrase(thePhraseSet.m_AddedBy, user)) {
        ShowMessageBox(m_hWnd, "You do not have permission to edit this item", "Permission Denied",
                       MB_OK | MB_ICONINFORMATION);
        return;
    }
    thePhraseSet.Edit();
    switch (KindOfPhraseType(thePhraseSet.m_PhraseType)) {
        case PhraseKind::Noun: EditNoun(); break;
        case PhraseKind::Verb: EditVerbOrAdverb(false); break;
        case PhraseKind::Adverb: EditVerbOrAdverb(true); break;
        case PhraseKind::None: break;
    }
}

// An edit moves the date to now and keeps the author; Cancel stores nothing.
void CPhraseManagerDlg::EditNoun() {
    CNounPhraseDlg dialog(this, &thePhraseSet);
    if (dialog.DoModal() != IDOK)
        return;
    thePhraseSet.m_DateAdded = CDbTime::Now();
    thePhraseSet.m_PhraseType = static_cast<uint8_t>(dialog.m_nForm);
    thePhraseSet.m_OPhrase = ColumnText(dialog.m_strText);
    thePhraseSet.Update();
    ShowPhraseRow(thePhraseSet.m_PhraseNumber);
}

void CPhraseManagerDlg::EditVerbOrAdverb(bool adverb) {
    CVerbPhraseDlg dialog(this, &thePhraseSet, adverb);
    if (dialog.DoModal() != IDOK)
        return;
    thePhraseSet.m_DateAdded = CDbTime::Now();
    thePhraseSet.m_OPhrase = ColumnText(dialog.m_texts[0]);
    thePhraseSet.m_MPhrase = ColumnText(dialog.m_texts[1]);
    thePhraseSet.m_FPhrase = ColumnText(dialog.m_texts[2]);
    thePhraseSet.m_PPhrase = ColumnText(dialog.m_texts[3]);
    thePhraseSet.Update();
    ShowPhraseRow(thePhraseSet.m_PhraseNumber);
}

// Every selected row is tried once, from the top; a refused or failed row
// stays listed and the others go on.
void CPhraseManagerDlg::DeleteSelected() {
    const int selected = m_list.GetSelectedCount();
    if (selected == 0)
        return;
    char question[96];
    std::snprintf(question, sizeof question, "Are you sure you want to delete the %d selected item(s)?",
                  selected);
    if (ShowMessageBox(m_hWnd, question, "Delete Items", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    std::string user;
    GetCurrentUserName(user);
    ReadSelection();
    std::vector<int32_t> numbers;
    for (long long row = m_rows.NextSelected(-1); row >= 0; row = m_rows.NextSelected(row))
        numbers.push_back(m_rows.Row(static_cast<size_t>(row)).phraseNumber);
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    std::vector<int32_t> deleted;
    m_phrases.Delete(numbers, user, [&](int32_t number, DeleteOutcome outcome) {
        switch (outcome) {
            case DeleteOutcome::Deleted:
                deleted.push_back(number);
                break;
            case DeleteOutcome::NotDeleted:
                ShowWarning("Could not delete item", "Database Error");
                break;
            case DeleteOutcome::Refused:
                ShowMessageBox(m_hWnd, "You do not have permission to delete this item",
                               "Permission Denied", MB_OK | MB_ICONINFORMATION);
                break;
        }
    });
    ShowArrowCursor();
    std::sort(deleted.begin(), deleted.end());
    m_rows.EraseIf([&](const PhraseListRow& row) {
        return std::binary_search(deleted.begin(), deleted.end(), row.phraseNumber);
    });
    ShowRows();
    UpdateButtons();
}

// The previous test window goes before the next one comes; the saver runs
// beside the dialog and closes its own window.
void CPhraseManagerDlg::RunTest() {
    m_pTestWnd.reset();
    m_pTestWnd = std::make_unique<CSaverWnd>(SaverRunFlags{false, true}, GetDialogHost()->ConfigSection(), m_store);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    m_pTestWnd->Create(0, 0, screen, nullptr, kTestWindowId);
}

const MessageTable* CPhraseManagerDlg::GetMessageTable() const {
    static const MessageEntry entries[] = {
        OnCommand(IDC_ADD, &CPhraseManagerDlg::OnAddButton),
        OnCommand(IDM_NEW_NOUN, &CPhraseManagerDlg::OnMenuCommand),
        OnCommand(IDM_NEW_VERB, &CPhraseManagerDlg::OnMenuCommand),
        OnCommand(IDM_NEW_ADVERB, &CPhraseManagerDlg::OnMenuCommand),
        OnCommand(IDM_EDIT_PHRASE, &CPhraseManagerDlg::OnMenuCommand),
        OnCommand(IDM_DELETE_PHRASES, &CPhraseManagerDlg::OnMenuCommand),
        OnCommand(IDC_REFRESH, &CPhraseManagerDlg::OnRefresh),
        OnCommand(IDC_FILTER_ALL, &CPhraseManagerDlg::OnFilterButton),
        OnCommand(IDC_FILTER_NOUNS, &CPhraseManagerDlg::OnFilterButton),
        OnCommand(IDC_FILTER_VERBS, &CPhraseManagerDlg::OnFilterButton),
        OnCommand(IDC_FILTER_ADVERBS, &CPhraseManagerDlg::OnFilterButton),
        OnCommand(IDC_TEST, &CPhraseManagerDlg::OnTestButton),
        OnCommand(IDC_SETUP, &CPhraseManagerDlg::OnSetupButton),
        OnCommand(IDC_DATABASE, &CPhraseManagerDlg::OnDatabaseButton),
        OnNotify(LVN_GETDISPINFOA, IDC_PHRASE_LIST, &CPhraseManagerDlg::OnGetDisplayInfo),
        OnNotify(LVN_COLUMNCLICK, IDC_PHRASE_LIST, &CPhraseManagerDlg::OnColumnClick),
        OnNotify(NM_CLICK, IDC_PHRASE_LIST, &CPhraseManagerDlg::OnListClick),
        OnNotify(NM_RCLICK, IDC_PHRASE_LIST, &CPhraseManagerDlg::OnListRightClick),
        OnNotify(NM_DBLCLK, IDC_PHRASE_LIST, &CPhraseManagerDlg::OnListDoubleClick),
        OnMessage(WM_RBUTTONDOWN, &CPhraseManagerDlg::OnRightButtonDown),
        OnMessage(WM_SYSCOMMAND, &CPhraseManagerDlg::OnSysCommand),
        OnMessage(WM_PAINT, &CPhraseManagerDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &CPhraseManagerDlg::OnQueryDragIcon),
        OnMessage(WM_DESTROY, &CPhraseManagerDlg::OnDestroy),
        OnMessage(WM_NCPAINT, &CPhraseManagerDlg::OnNcPaint),
        OnMessage(WM_NCACTIVATE, &CPhraseManagerDlg::OnNcActivate),
        OnMessage(WM_SETTEXT, &CPhraseManagerDlg::OnSetText),
        OnMessage(WM_SYSCOLORCHANGE, &CPhraseManagerDlg::OnSysColorChange),
    };
    static const MessageTable table = {CTiledDialog::GetMessageTable(), entries,
                                       sizeof(entries) / sizeof(entries[0])};
    return &table;
}

// The "New" submenu opens at the button's top-right corner.
LRESULT CPhraseManagerDlg::OnAddButton(WPARAM, LPARAM) {
    RECT button;
    GetWindowRect(m_addButton.GetSafeHwnd(), &button);
    m_menu.TrackNewMenu({button.right, button.top}, m_hWnd);
    return 0;
}

LRESULT CPhraseManagerDlg::OnMenuCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
        case IDM_NEW_NOUN: AddNoun(); break;
        case IDM_NEW_VERB: AddVerb(); break;
        case IDM_NEW_ADVERB: AddAdverb(); break;
        case IDM_EDIT_PHRASE: EditSelected(); break;
        case IDM_DELETE_PHRASES: DeleteSelected(); break;
    }
    return 0;
}

LRESULT CPhraseManagerDlg::OnRefresh(WPARAM, LPARAM) {
    RefreshList(m_nFilterCode);
    return 0;
}

// "All" re-reads the list in place; the others empty it first.
LRESULT CPhraseManagerDlg::OnFilterButton(WPARAM wParam, LPARAM) {
    const int button = LOWORD(wParam);
    SetFilter(FilterCodeOfButton(button), button != IDC_FILTER_ALL);
    return 0;
}

LRESULT CPhraseManagerDlg::OnTestButton(WPARAM, LPARAM) {
    RunTest();
    return 0;
}

LRESULT CPhraseManagerDlg::OnSetupButton(WPARAM, LPARAM) {
    CConfigDlg config(this);
    config.DoModal();
    return 0;
}

// The list is read anew however the dialog ends: a load or an Empty may
// have changed every row.
LRESULT CPhraseManagerDlg::OnDatabaseButton(WPARAM, LPARAM) {
    {
        CDatabaseDlg database(this, m_store);
        database.DoModal();
    }
    RefreshList(m_nFilterCode);
    return 0;
}

// The list asks for the texts of the rows it shows, and only those.
LRESULT CPhraseManagerDlg::OnGetDisplayInfo(WPARAM, LPARAM lParam) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
    if (item.iItem < 0 || item.iItem >= static_cast<int>(m_rows.Size()))
        return 0;
    const PhraseListRow& row = m_rows.Row(static_cast<size_t>(item.iItem));
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const char* text = "";
        switch (item.iSubItem) {
            case 0: text = PhraseKindLabel(row.phraseType); break;
            case 1: text = row.date.c_str(); break;
            case 2: text = row.addedBy.c_str(); break;
            case 3: text = row.phrase.c_str(); break;
        }
        std::snprintf(item.pszText, static_cast<size_t>(item.cchTextMax), "%s", text ? text : "");
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = item.iSubItem == 0 ? PhraseKindImage(row.phraseType) : -1;
    return 0;
}

LRESULT CPhraseManagerDlg::OnColumnClick(WPARAM, LPARAM lParam) {
    const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
    m_sortKeys.Toggle(SortColumnName(column));
    thePhraseSet.m_strSort = m_sortKeys.Joined();
    RefreshList(m_nFilterCode);
    return 0;
}

LRESULT CPhraseManagerDlg::OnListClick(WPARAM, LPARAM) {
    UpdateButtons();
    return 0;
}

LRESULT CPhraseManagerDlg::OnListRightClick(WPARAM, LPARAM) {
    const DWORD position = GetMessagePos();
    ShowContextMenu({static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))});
    UpdateButtons();
    return 0;
}

LRESULT CPhraseManagerDlg::OnListDoubleClick(WPARAM, LPARAM) {
    if (m_list.GetSelectedCount() == 1)
        ShowDetails(m_list.GetNextItem(-1, LVNI_SELECTED));
    return 0;
}

LRESULT CPhraseManagerDlg::OnRightButtonDown(WPARAM, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
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
                m_bActive = true;
                PaintCaption();
            }
            return result;
        }
    }
}

LRESULT CPhraseManagerDlg::OnPaint(WPARAM wParam, LPARAM lParam) {
    if (!IsIconic(m_hWnd))
        return CTiledDialog::OnPaint(wParam, lParam);
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc.GetSafeHdc(), x, y, m_hLargeIcon);
    return 0;
}

LRESULT CPhraseManagerDlg::OnQueryDragIcon(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(m_hLargeIcon);
}

LRESULT CPhraseManagerDlg::OnDestroy(WPARAM, LPARAM) {
    thePhraseSet.Close();
    return Default();
}

void CPhraseManagerDlg::BuildCaptionBitmaps() {
    if (!m_hWnd)
        return;
    CWindowDC window(m_hWnd);
    if (!window.GetSafeHdc())
        return;  // the bitmaps built before stay in use
    m_dcActiveCaption.DeleteDC();
    m_dcInactiveCaption.DeleteDC();
    m_pActiveCaptionBitmap.reset();
    m_pInactiveCaptionBitmap.reset();
    m_pCaptionFont.reset();

    const CaptionPlace place = MeasureCaption(m_hWnd);
    LOGFONTA name = {};
    name.lfHeight = static_cast<LONG>(0.9 * place.height);
    name.lfWeight = FW_BOLD;
    std::strcpy(name.lfFaceName, kCaptionFace);
    m_pCaptionFont = std::make_unique<CFont>();
    m_pCaptionFont->Attach(CreateFontIndirectA(&name));

    // A palette display gets a flat bar.
    const bool flat = GetDeviceCaps(window.GetSafeHdc(), NUMCOLORS) != -1;
    BuildCaptionBitmap(window.GetSafeHdc(), true, flat);
    BuildCaptionBitmap(window.GetSafeHdc(), false, flat);
}

void CPhraseManagerDlg::BuildCaptionBitmap(HDC window, bool active, bool flat) {
    const CaptionPlace place = MeasureCaption(m_hWnd);
    const CaptionColours look =
        active ? CaptionLook(flat, GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT))
               : CaptionLook(flat, GetSysColor(COLOR_INACTIVECAPTION),
                             GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    CMemoryDC& dc = active ? m_dcActiveCaption : m_dcInactiveCaption;
    std::unique_ptr<CBitmap>& bitmap = active ? m_pActiveCaptionBitmap : m_pInactiveCaptionBitmap;
    dc.CreateCompatibleDC(window);
    bitmap = std::make_unique<CBitmap>(
        CreateCompatibleBitmap(window, place.caption.right, place.caption.bottom));
    HDC hDC = dc.GetSafeHdc();
    SelectObject(hDC, bitmap->GetSafeHandle());

    FillSolid(hDC, place.caption, look.caption);
    const int width = place.caption.right - place.caption.left;
    for (const CaptionBand& band : CaptionBands(place.caption.left, width, look.caption, look.end))
        FillSolid(hDC, {band.left, place.frameY, band.right, place.frameY + place.height}, band.colour);

    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, look.text);
    const int iconWidth = GetSystemMetrics(SM_CXSMICON);
    DrawIconEx(hDC, place.frameX + 2, place.frameY, m_hSmallIcon, iconWidth,
               GetSystemMetrics(SM_CYSMICON), 0, nullptr, DI_NORMAL);
    CSelectGuard font(hDC, m_pCaptionFont->GetSafeHandle());
    SetTextAlign(hDC, TA_LEFT | TA_TOP);
    TextOutA(hDC, place.frameX + 2 + iconWidth, place.frameY, kCaptionName,
             static_cast<int>(std::strlen(kCaptionName)));
}

void CPhraseManagerDlg::PaintCaption() {
    if (!m_hWnd || !m_bOwnCaption)
        return;
    HDC source = CaptionDC(m_bActive);
    const CaptionPlace place = MeasureCaption(m_hWnd);
    if (!source || place.copyWidth <= 0)
        return;  // not built yet, or no room left of the buttons
    CWindowDC window(m_hWnd);
    BitBlt(window.GetSafeHdc(), place.frameX, place.frameY, place.copyWidth, place.height, source,
           place.frameX, place.frameY, SRCCOPY);
}

LRESULT CPhraseManagerDlg::OnNcPaint(WPARAM, LPARAM) {
    const LRESULT result = Default();
    PaintCaption();
    return result;
}

LRESULT CPhraseManagerDlg::OnNcActivate(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    m_bActive = wParam != FALSE;
    PaintCaption();
    return result;
}

LRESULT CPhraseManagerDlg::OnSetText(WPARAM, LPARAM) {
    const LRESULT result = Default();
    PaintCaption();
    return result;
}

// The title bars and the shared tile in the new colours; the controls hear
// of the change too, the list among them.
LRESULT CPhraseManagerDlg::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
    BuildCaptionBitmaps();
    GetDialogHost()->BuildDialogTile();
    const LRESULT result = Default();
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ::SendMessageA(child, WM_SYSCOLORCHANGE, wParam, lParam);
    return result;
}
