#include "framework/base/DpiScale.h"

#include <algorithm>

namespace {

int EffectiveDpi(int dpi) { return std::max(dpi, kBaseDpi); }

// a * b / c rounded half away from zero, in 64 bits so large lengths cannot overflow.
int MulDivRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int ScaleToDpi(int length, int dpi) { return MulDivRounded(length, EffectiveDpi(dpi), kBaseDpi); }

int ScaleFromDpi(int pixels, int dpi) { return MulDivRounded(pixels, kBaseDpi, EffectiveDpi(dpi)); }

int StoredLengthAtDpi(uint32_t stored, int dpi, int limit) {
    const int length = static_cast<int>(std::min<uint32_t>(stored, static_cast<uint32_t>(std::max(limit, 0))));
    return ScaleToDpi(length, dpi);
}
