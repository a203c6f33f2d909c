#include "dialogs/TiledDialog.h"

#include "dialogs/core/TileColours.h"
#include "dialogs/DialogHost.h"
#include "framework/win/FocusLabel.h"
#include "framework/win/Gdi.h"

namespace {

// The tile's side in pixels: kTileSize at 96 DPI, more on a denser screen.
int TileSide(HDC tile) {
    BITMAP bitmap = {};
    if (!GetObjectA(GetCurrentObject(tile, OBJ_BITMAP), sizeof bitmap, &bitmap) || bitmap.bmWidth <= 0)
        return kTileSize;
    return bitmap.bmWidth;
}

}  // namespace

void PaintDialogTile(HDC hDC, const RECT& client) {
    CDialogHost* host = GetDialogHost();
    HDC tile = host ? host->TileDC() : nullptr;
    if (!tile) {
        FillRect(hDC, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const int side = TileSide(tile);
    for (int y = 0; y < client.bottom; y += side)
        for (int x = 0; x < client.right; x += side)
            BitBlt(hDC, x, y, side, side, tile, 0, 0, SRCCOPY);
}

// Made anew on every call, so it always shows the tile as it is now.
HBRUSH MakeTileBrush(HWND control, HDC hDC, CGdiObject<HBRUSH>& brush) {
    CDialogHost* host = GetDialogHost();
    HDC tile = host ? host->TileDC() : nullptr;
    if (!tile) {
        brush.DeleteObject();
        return nullptr;
    }
    brush.Attach(CreatePatternBrush(static_cast<HBITMAP>(GetCurrentObject(tile, OBJ_BITMAP))));
    POINT origin = {0, 0};
    MapWindowPoints(control, GetParent(control), &origin, 1);
    const int side = TileSide(tile);
    SetBrushOrgEx(hDC, -(origin.x % side), -(origin.y % side), nullptr);
    return brush.GetSafeHandle();
}

const MessageTable* CTiledDialog::GetMessageTable() const {
    static const auto table = MessageTableOf<CTiledDialog>(CDialog::GetMessageTable(), {
        OnPaintMessage(&CTiledDialog::PaintTile),
        OnMessage(WM_ERASEBKGND, &CTiledDialog::OnEraseBackground),
        OnMessage(WM_HELP, &CTiledDialog::OnHelp),
    });
    return &table;
}

void CTiledDialog::PaintTile(HDC hDC) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    PaintDialogTile(hDC, client);
}

// The paint handler covers the whole client area with the tile.
LRESULT CTiledDialog::OnEraseBackground() { return TRUE; }

DWORD CTiledDialog::HelpContextFor(int, DWORD contextId) { return contextId; }

// A label with a buddy hands its help request to the buddy.
LRESULT CTiledDialog::OnHelp(WPARAM, LPARAM lParam) {
    const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
    if (!info || info->iContextType != HELPINFO_WINDOW)
        return TRUE;
    HWND control = HelpControlOf(static_cast<HWND>(info->hItemHandle));
    const DWORD contextId = HelpContextFor(GetDlgCtrlID(control), GetWindowContextHelpId(control));
    if (CDialogHost* host = GetDialogHost())
        host->WinHelp(contextId, control);
    return TRUE;
}
