#pragma once
#include <windows.h>

// The colour chooser the program opens. The shipped program always shows
// the platform's; a test puts a stand-in in its place that answers it.
class CColourChooser {
public:
    virtual ~CColourChooser() = default;
    // Opens on colour, offering solid colours only. True with the chosen
    // colour in colour; false, and colour unchanged, when the user cancels.
    virtual bool Choose(HWND owner, COLORREF& colour) = 0;
};

// The platform's chooser, unless a stand-in is in place.
CColourChooser& ColourChooser();
// Null: the platform's chooser again.
void SetColourChooser(CColourChooser* chooser);
