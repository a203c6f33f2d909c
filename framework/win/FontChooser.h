#pragma once
#include <windows.h>

// A font as the font chooser takes and gives it: its description and its
// size in tenths of a point.
struct FontChoice {
    LOGFONTA logFont = {};
    int pointSizeTenths = 0;
};

// The font chooser the program opens. The shipped program always shows the
// platform's; a test puts a stand-in in its place that answers it.
class CFontChooser {
public:
    virtual ~CFontChooser() = default;
    // Opens on font.logFont, offering the screen's fonts without effects or
    // a script choice, and accepting only fonts that exist. True with the
    // chosen font in font; false, and font unchanged, when the user cancels.
    virtual bool Choose(HWND owner, FontChoice& font) = 0;
};

// The platform's chooser, unless a stand-in is in place.
CFontChooser& FontChooser();
// Null: the platform's chooser again.
void SetFontChooser(CFontChooser* chooser);
