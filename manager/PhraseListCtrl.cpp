#include "manager/PhraseListCtrl.h"

#include <cstdio>

#include "framework/base/DpiScale.h"
#include "framework/win/Gdi.h"
#include "res/resource.h"

namespace {

struct ListColumn {
    const char* heading;
    const char* widthValue;
    int defaultWidth;
};
const ListColumn kColumns[] = {
    {"Type", "ColWidth0", 60},
    {"Date", "ColWidth1", 70},
    {"Added by", "ColWidth2", 90},
    {"Phrase", "ColWidth3", 300},
};
constexpr int kColumnCount = sizeof kColumns / sizeof kColumns[0];
// No column is kept wider than this at 96 DPI; a larger stored value is damage.
constexpr int kWidestColumn = 4096;

// The kind icons at the screen's small-icon size, in full colour with their
// soft edges.
void MakeKindImages(CImageList& images, int dpi) {
    const int side = ScaleToDpi(16, dpi);
    images.Create(side, side, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (UINT icon : {IDI_NOUN, IDI_VERB, IDI_ADVERB})
        images.AddIcon(GetModuleHandleA(nullptr), icon);
}

const char* CellText(const PhraseListRow& row, int column) {
    switch (column) {
        case 0: return PhraseKindLabel(row.phraseType);
        case 1: return row.date.c_str();
        case 2: return row.addedBy.c_str();
        case 3: return row.phrase.c_str();
        default: return "";
    }
}

}  // namespace

void CPhraseListCtrl::SetUp(const CProfileSection& settings) {
    m_dpi = ScreenDpi();
    // The list keeps the images this object owns: it must not destroy them
    // when it goes, or a list made after it would show none.
    SetWindowLongA(m_hWnd, GWL_STYLE, GetWindowLongA(m_hWnd, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    if (!m_kindImages.GetSafeHandle())
        MakeKindImages(m_kindImages, m_dpi);
    SetImageList(m_kindImages, LVSIL_SMALL);
    // A click anywhere on a row selects it, not only on its first cell.
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // Widths are kept at 96 DPI (DpiScale.h), shown at the screen's.
    for (int index = 0; index < kColumnCount; ++index) {
        const ListColumn& column = kColumns[index];
        uint32_t width = 0;
        if (!settings.ReadNumber(column.widthValue, width))
            width = static_cast<uint32_t>(column.defaultWidth);
        InsertColumn(index, column.heading, LVCFMT_LEFT, StoredLengthAtDpi(width, m_dpi, kWidestColumn));
    }
    m_bSetUp = true;
}

void CPhraseListCtrl::StoreColumnWidths(CProfileSection& settings) const {
    if (!m_bSetUp)
        return;
    for (int index = 0; index < kColumnCount; ++index) {
        const int width = ScaleFromDpi(GetColumnWidth(index), m_dpi);
        settings.WriteNumber(kColumns[index].widthValue, static_cast<uint32_t>(width));
    }
}

void CPhraseListCtrl::ShowRows(const CPhraseListModel& rows) {
    SetItemCountEx(static_cast<int>(rows.Size()));
    // Clearing every row's state is a pass over all rows in some list
    // controls (Wine's): only a list with a selection or a focus pays it.
    if (GetSelectedCount() > 0 || FocusedRow() >= 0)
        SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (long long row = rows.NextSelected(-1); row >= 0; row = rows.NextSelected(row))
        SetItemState(static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    for (size_t row = 0; row < rows.Size(); ++row)
        if (rows.Row(row).focused)
            SetItemState(static_cast<int>(row), LVIS_FOCUSED, LVIS_FOCUSED);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

std::vector<int> CPhraseListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void CPhraseListCtrl::FillCell(LVITEMA& item, CPhraseListModel& rows, bool mayReadStore) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(rows.Size()))
        return;
    const size_t index = static_cast<size_t>(item.iItem);
    const PhraseListRow& row = mayReadStore ? rows.RowWithCells(index) : rows.Row(index);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const char* text = CellText(row, item.iSubItem);
        std::snprintf(item.pszText, static_cast<size_t>(item.cchTextMax), "%s", text ? text : "");
    }
    if (item.mask & LVIF_IMAGE)
        item.iImage = item.iSubItem == 0 ? PhraseKindImage(row.phraseType) : -1;
}

const MessageTable* CPhraseListCtrl::GetMessageTable() const {
    static const auto table = MessageTableOf<CPhraseListCtrl>(nullptr, {
        OnMessage(WM_SYSKEYDOWN, &CPhraseListCtrl::OnSysKeyDown),
        OnMessage(WM_SYSCHAR, &CPhraseListCtrl::OnSysChar),
    });
    return &table;
}

// Alt+Enter asks for the details, as it asks for properties elsewhere in
// the system; the dialog manager keeps Enter alone for the default button.
LRESULT CPhraseListCtrl::OnSysKeyDown(WPARAM key, LPARAM) {
    if (key != VK_RETURN)
        return Default();
    ::SendMessageA(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(IDM_PHRASE_DETAILS, 0), 0);
    return 0;
}

// The character Alt+Enter also makes would only beep.
LRESULT CPhraseListCtrl::OnSysChar(WPARAM character, LPARAM) { return character == '\r' ? 0 : Default(); }
