#include "framework/base/Random.h"

namespace {

uint32_t s_state = 0;

// Single-precision nearest value to 1/32767: 32767 * k stays just below 1, so
// the result never reaches n.
constexpr float kScale = 3.0518509e-05f;

int NextDraw() {
    s_state = s_state * 214013u + 2531011u;
    return static_cast<int>((s_state >> 16) & 0x7FFF);
}

}  // namespace

void SeedRandom(uint32_t seed) { s_state = seed; }

int RandomInt(int n) {
    const int r = NextDraw();
    if (n <= 1)
        return 0;
    // In double: r * (n - 1) overflows 32 bits once a pool passes 65537 entries.
    return static_cast<int>(static_cast<double>(r) * (n - 1) * static_cast<double>(kScale) + 0.5);
}
