#include "saver/core/DisplayRules.h"

#include <climits>
#include <cstdlib>

#include "framework/base/ParseDecimal.h"
#include "framework/base/Random.h"

namespace {

constexpr int kMinColourDistance = 72;
constexpr int kMinFontTenths = 40;

int Channel(Colour c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

double PreviewRatio(const DisplayScale& scale) {
    if (!scale.preview || scale.screenHeight <= 0)
        return 1.0;
    return static_cast<double>(scale.areaHeight) / scale.screenHeight;
}

}  // namespace

bool FarEnoughApart(Colour a, Colour b) {
    int distance = 0;
    for (int shift : {0, 8, 16})
        distance += std::abs(Channel(a, shift) - Channel(b, shift));
    return distance >= kMinColourDistance;
}

Colour ShadowColour(Colour text, Colour background) {
    return MakeColour((Channel(text, 0) + Channel(background, 0)) / 2,
                      (Channel(text, 8) + Channel(background, 8)) / 2,
                      (Channel(text, 16) + Channel(background, 16)) / 2);
}

Colour RandomColourAwayFrom(Colour avoid) {
    for (;;) {
        const int r = RandomInt(256);
        const int g = RandomInt(256);
        const int b = RandomInt(256);
        const Colour c = MakeColour(r, g, b);
        if (FarEnoughApart(c, avoid))
            return c;
    }
}

LineColours FirstLineColours(Colour text, Colour background, uint32_t flags) {
    LineColours colours;
    colours.text = text;
    if (flags & FlagShadow)
        colours.shadow = ShadowColour(text, background);
    return colours;
}

LineColours NewLineColours(const LineColours& current, Colour background, uint32_t flags) {
    if (!(flags & FlagRandomTextCol))
        return current;
    LineColours colours = current;
    colours.text = RandomColourAwayFrom(background);
    if (flags & FlagShadow)
        colours.shadow = ShadowColour(colours.text, background);
    return colours;
}

Colour ChooseBackgroundColour(const SaverSettings& settings) {
    if (!settings.Has(FlagRandomBkgndCol))
        return settings.m_bkgndCol;
    if (settings.Has(FlagRandomTextCol)) {
        const int r = RandomInt(256);
        const int g = RandomInt(256);
        const int b = RandomInt(256);
        return MakeColour(r, g, b);
    }
    return RandomColourAwayFrom(settings.m_textCol);
}

float ScrollStep(int scrollSpeed, const DisplayScale& scale, bool horizontal) {
    const double density = scale.dpi > 96 ? scale.dpi / 96.0 : 1.0;
    float step = static_cast<float>(scrollSpeed * 0.01 * 8 * density);
    if (scale.preview)
        step = static_cast<float>(step * PreviewRatio(scale));
    if (horizontal)
        step *= 2;
    return step < 1 ? 1.0f : step;
}

int FontHeightTenths(const std::string& fontSize, const DisplayScale& scale) {
    double height = static_cast<double>(ParseDecimal(fontSize.c_str())) * 10;
    if (scale.preview)
        height = static_cast<double>(static_cast<long long>(height * PreviewRatio(scale)));
    if (height > INT_MAX)
        height = INT_MAX;  // a FontSize of ten digits is nonsense, not a reason to overflow
    const int tenths = static_cast<int>(height);
    return tenths < kMinFontTenths ? kMinFontTenths : tenths;
}

TickMove AdvanceLine(const LinePosition& line, int step, int areaWidth, int areaHeight,
                     bool horizontal) {
    TickMove move{line.left, line.top - step, false};
    if (!horizontal) {
        if (move.y + line.height < 0) {
            move.y = areaHeight;
            move.newLine = true;
        }
        move.x = 0;
        return move;
    }
    move.x = line.left - step;
    if (move.x + line.width < 0) {
        move.x = areaWidth;
        move.newLine = true;
    }
    // Centred by the height the window has now; a new line is re-centred on
    // the next tick once it has been measured.
    move.y = areaHeight / 2 - line.height / 2;
    return move;
}

std::string NameInList(const std::string& list, int k) {
    size_t start = 0;
    for (int i = 0; i < k; ++i) {
        const size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            return "";
        start = comma + 1;
    }
    const size_t end = list.find(',', start);
    return end == std::string::npos ? "" : list.substr(start, end - start);
}
