#pragma once
#include <windows.h>

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"

// A bordered static that shows one colour: the dialog colours it with a
// solid brush of that colour.
class CColourSwatch : public CStatic {
public:
    // Takes a new brush of the colour and repaints the swatch at once.
    void SetColour(COLORREF colour);
    HBRUSH CtlColor(HDC hDC) override;

private:
    CGdiObject<HBRUSH> m_brush;
};
