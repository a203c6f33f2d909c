#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/win/Wnd.h"

// An image list, destroyed with its object.
class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    // Adds an icon resource at the list's size; returns its index, -1 on failure.
    int AddIcon(HINSTANCE instance, UINT iconId);
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

private:
    HIMAGELIST m_hImageList = nullptr;
    int m_cx = 0;
    int m_cy = 0;
};

// A report list view. The program uses it with owner data: the list asks its
// parent for the texts of the rows it shows (LVN_GETDISPINFO).
class CListCtrl : public CWnd {
public:
    int InsertColumn(int column, const char* heading, int format, int width);
    int GetColumnWidth(int column) const;
    void SetImageList(const CImageList& images, int which);
    void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }

    // The number of rows of an owner-data list.
    void SetItemCountEx(int count, DWORD flags = LVSICF_NOSCROLL);
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // The next row after start (-1: from the first) with the given LVNI_ flags, or -1.
    int GetNextItem(int start, int flags) const;
    // Row -1: every row.
    void SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    void EnsureVisible(int row, bool partialOK);
    void RedrawItems(int first, int last);
};
