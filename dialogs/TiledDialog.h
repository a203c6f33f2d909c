#pragma once
#include <windows.h>

#include "framework/win/Dialog.h"
#include "framework/win/Gdi.h"

// Covers a client area with the dialog tile, unscaled, from the top-left
// corner: at x = 0, 70, 140, ... and y = 0, 70, 140, ... while within it.
// Without a tile (none built yet) the area gets the button face colour.
void PaintDialogTile(HDC hDC, const RECT& client);

// Makes brush a brush of the dialog tile, for a control that fills its
// background itself: in the control's DC it lines up with the tile of the
// dialog around it. Returns it; null without a tile.
HBRUSH MakeTileBrush(HWND control, HDC hDC, CGdiObject<HBRUSH>& brush);

// The base of the program's dialogs: paints the tiled background and shows
// context help in a pop-up of our own.
class CTiledDialog : public CDialog {
public:
    using CDialog::CDialog;

protected:
    const MessageTable* GetMessageTable() const override;

    // The help topic number of a control; a dialog may replace the one the
    // control carries.
    virtual DWORD HelpContextFor(int controlId, DWORD contextId);

    // Between BeginPaint and EndPaint.
    void PaintTile(HDC hDC);

private:
    LRESULT OnEraseBackground();
    LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
};
