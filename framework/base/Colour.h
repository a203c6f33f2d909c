#pragma once
#include <cstdint>

// Colours are 0x00BBGGRR, red in the low byte, as Windows keeps them.
using Colour = uint32_t;

constexpr Colour MakeColour(int r, int g, int b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}
