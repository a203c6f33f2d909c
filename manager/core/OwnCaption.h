#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/base/Colour.h"

// The title bar the phrase manager paints itself on old system versions:
// a gradient of 256 bands from an end colour at the left to almost the
// caption colour at the right.

// Whether a system of this version gets the own title bar: 4.0 and lower.
constexpr bool UsesOwnCaption(unsigned major, unsigned minor) {
    return major < 4 || (major == 4 && minor == 0);
}

// The colours of one look of the title bar: caption colour S, gradient end
// colour E, text colour T.
struct CaptionColours {
    Colour caption;
    Colour end;
    Colour text;
};

// On a palette display (flat) the bar is the caption colour alone, the name
// in the caption-text colour; otherwise it fades from the caption-text
// colour to the caption colour, the name in the caption colour.
CaptionColours CaptionLook(bool flat, Colour caption, Colour captionText);

constexpr int kCaptionBands = 256;

struct CaptionBand {
    int left;
    int right;  // exclusive
    Colour colour;
};

// Band i has, per channel, end + i * (caption - end) / 256, truncated. The
// bands run from left in steps of width / 256, their edges kept as
// single-precision numbers and truncated to whole pixels.
std::array<CaptionBand, kCaptionBands> CaptionBands(int left, int width, Colour caption, Colour end);
