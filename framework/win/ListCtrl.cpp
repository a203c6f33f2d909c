#include "framework/win/ListCtrl.h"

CImageList::~CImageList() {
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
}

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    m_cx = cx;
    m_cy = cy;
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

int CImageList::AddIcon(HINSTANCE instance, UINT iconId) {
    HICON icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, m_cx, m_cy, LR_DEFAULTCOLOR));
    if (!icon)
        return -1;
    const int index = ImageList_AddIcon(m_hImageList, icon);
    DestroyIcon(icon);  // the list keeps its own copy
    return index;
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width) {
    LVCOLUMNA lvc = {};
    lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    lvc.fmt = format;
    lvc.cx = width;
    lvc.pszText = const_cast<char*>(heading);
    lvc.iSubItem = column;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc)));
}

int CListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

void CListCtrl::SetImageList(const CImageList& images, int which) {
    SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which),
                reinterpret_cast<LPARAM>(images.GetSafeHandle()));
}

void CListCtrl::SetItemCountEx(int count, DWORD flags) {
    SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), static_cast<LPARAM>(flags));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags));
}

void CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

void CListCtrl::EnsureVisible(int row, bool partialOK) {
    SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOK ? TRUE : FALSE);
}

void CListCtrl::RedrawItems(int first, int last) {
    SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last);
    UpdateWindow(m_hWnd);
}
