#pragma once
#include <array>

#include "framework/base/Colour.h"

// The dialog tile is drawn in twelve greys; at load time each grey is mapped
// to a step between the system's button face and highlight colours.
constexpr int kTileSize = 70;
constexpr int kTileGreyCount = 12;

struct TileColourMapping {
    Colour from;
    Colour to;
};

// Grey i (165, 173, ... 255) maps to face + i * (highlight - face) / 12 per
// channel, truncated toward zero: entry 0 is the face itself.
std::array<TileColourMapping, kTileGreyCount> TileColourMap(Colour face, Colour highlight);

// Whether a screen reporting numColours (-1 for more than 256) gets the
// gradient tile rather than a plain face-coloured square.
constexpr bool UsesGradientTile(int numColours) { return numColours == -1 || numColours >= 8; }
