#include "manager/PhraseListCtrl.h"

#include <cstdio>

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

// The kind icons of the list, one image list for the whole process.
const CImageList& KindImages() {
    static CImageList images;
    if (!images.GetSafeHandle()) {
        images.Create(16, 16, ILC_COLOR4 | ILC_MASK, 3, 0);
        for (UINT icon : {IDI_NOUN, IDI_VERB, IDI_ADVERB})
            images.AddIcon(GetModuleHandleA(nullptr), icon);
    }
    return images;
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
    SetImageList(KindImages(), LVSIL_SMALL);
    // A click anywhere on a row selects it, not only on its first cell.
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int index = 0; index < kColumnCount; ++index) {
        const ListColumn& column = kColumns[index];
        uint32_t width = 0;
        if (!settings.ReadNumber(column.widthValue, width))
            width = static_cast<uint32_t>(column.defaultWidth);
        InsertColumn(index, column.heading, LVCFMT_LEFT, static_cast<int>(width));
    }
    m_bSetUp = true;
}

void CPhraseListCtrl::StoreColumnWidths(CProfileSection& settings) const {
    if (!m_bSetUp)
        return;
    for (int index = 0; index < kColumnCount; ++index)
        settings.WriteNumber(kColumns[index].widthValue, static_cast<uint32_t>(GetColumnWidth(index)));
}

void CPhraseListCtrl::ShowRows(const CPhraseListModel& rows) {
    SetItemCountEx(static_cast<int>(rows.Size()));
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

void CPhraseListCtrl::FillCell(LVITEMA& item, const CPhraseListModel& rows) {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(rows.Size()))
        return;
    const PhraseListRow& row = rows.Row(static_cast<size_t>(item.iItem));
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
