#include "manager/core/OwnCaption.h"

namespace {

int Channel(Colour colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

int BandChannel(Colour end, Colour caption, int shift, int band) {
    const int from = Channel(end, shift);
    const int to = Channel(caption, shift);
    return static_cast<int>(from + band * static_cast<double>(to - from) / kCaptionBands);
}

}  // namespace

CaptionColours CaptionLook(bool flat, Colour caption, Colour captionText) {
    if (flat)
        return {caption, caption, captionText};
    return {caption, captionText, caption};
}

std::array<CaptionBand, kCaptionBands> CaptionBands(int left, int width, Colour caption, Colour end) {
    std::array<CaptionBand, kCaptionBands> bands;
    const float step = static_cast<float>(width) / kCaptionBands;
    float bandLeft = static_cast<float>(left);
    float bandRight = bandLeft + step;
    for (int i = 0; i < kCaptionBands; ++i) {
        bands[static_cast<size_t>(i)] = {
            static_cast<int>(bandLeft), static_cast<int>(bandRight),
            MakeColour(BandChannel(end, caption, 0, i), BandChannel(end, caption, 8, i),
                       BandChannel(end, caption, 16, i))};
        bandLeft += step;
        bandRight += step;
    }
    return bands;
}
