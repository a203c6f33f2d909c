#pragma once
#include "dialogs/TiledDialog.h"
#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"

// A track bar that shows the dialog's tile behind it, not a flat colour.
class CTiledSlider : public CSliderCtrl {
public:
    HBRUSH CtlColor(HDC hDC) override { return MakeTileBrush(m_hWnd, hDC, m_tileBrush); }

private:
    CGdiObject<HBRUSH> m_tileBrush;
};
