#include "dialogs/core/TileColours.h"

namespace {

constexpr int kTileGreys[kTileGreyCount] = {165, 173, 181, 189, 198, 206,
                                            214, 222, 231, 239, 247, 255};

int Channel(Colour c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

int Step(int face, int highlight, int i) {
    return static_cast<int>(face + i * (highlight - face) / static_cast<double>(kTileGreyCount));
}

}  // namespace

std::array<TileColourMapping, kTileGreyCount> TileColourMap(Colour face, Colour highlight) {
    std::array<TileColourMapping, kTileGreyCount> map{};
    for (int i = 0; i < kTileGreyCount; ++i) {
        const int grey = kTileGreys[i];
        map[i].from = MakeColour(grey, grey, grey);
        map[i].to = MakeColour(Step(Channel(face, 0), Channel(highlight, 0), i),
                               Step(Channel(face, 8), Channel(highlight, 8), i),
                               Step(Channel(face, 16), Channel(highlight, 16), i));
    }
    return map;
}
