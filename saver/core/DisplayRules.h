#pragma once
#include <string>

#include "saver/core/SaverSettings.h"

// The arithmetic of the saver display, apart from the windows that use it.

// Two colours are far enough apart when their channel differences add up to
// at least 72.
bool FarEnoughApart(Colour a, Colour b);

// Each channel the truncated mean of text and background.
Colour ShadowColour(Colour text, Colour background);

// Draws R, G, B (in that order) until the colour is far enough from avoid.
Colour RandomColourAwayFrom(Colour avoid);

// The colours a line is drawn in; the shadow matters only with FlagShadow.
struct LineColours {
    Colour text = 0;
    Colour shadow = 0;
};

// The colours of the first line: the stored text colour (a random one
// replaces it before the first sentence), with its shadow when one is set.
LineColours FirstLineColours(Colour text, Colour background, uint32_t flags);

// The colours of a line that has just come back at the far edge: with
// FlagRandomTextCol a new text colour far enough from the background, and
// its shadow with FlagShadow; otherwise the current ones.
LineColours NewLineColours(const LineColours& current, Colour background, uint32_t flags);

// The saver's background: BkgndCol, or a random colour far enough from the
// fixed text colour (any colour when the text colour is random too).
Colour ChooseBackgroundColour(const SaverSettings& settings);

// Sizes that shrink with the preview: the ratio of the area's height to the
// screen's; and the screen's dots per inch, for lengths given in pixels at 96.
struct DisplayScale {
    bool preview = false;
    int areaHeight = 0;
    int screenHeight = 0;
    int dpi = 96;
};

// Pixels moved per timer tick: ScrollSpeed * 0.08 at 96 DPI, as many more as
// the screen's DPI is above 96 (the text's pixels grow with it, so it keeps
// its pace), scaled in preview, doubled when horizontal, at least 1.
float ScrollStep(int scrollSpeed, const DisplayScale& scale, bool horizontal);

// Font height in tenths of a point: FontSize * 10, scaled in preview, at
// least 40 (4 points).
int FontHeightTenths(const std::string& fontSize, const DisplayScale& scale);

// The shadow offset, and the extra width and height the text window needs
// for it: one pixel per 7 points at 96 DPI, more pixels on a denser screen
// (the font's pixels grow with the DPI, so the shadow keeps its place).
constexpr int ShadowOffset(int fontHeightTenths, int dpi = 96) {
    return static_cast<int>(static_cast<long long>(fontHeightTenths) * (dpi < 96 ? 96 : dpi) / (70 * 96));
}

// Where the text window goes on one timer tick. A line that has left the area
// comes back at the far edge, and then needs a new sentence.
struct LinePosition {
    int left, top, width, height;
};
struct TickMove {
    int x, y;
    bool newLine;
};
TickMove AdvanceLine(const LinePosition& line, int step, int areaWidth, int areaHeight,
                     bool horizontal);

// Name k (from 0) of a list of names each followed by ","; empty when the
// list holds no such name.
std::string NameInList(const std::string& list, int k);
