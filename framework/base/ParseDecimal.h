#pragma once
#include <cstdint>

// The value of the leading decimal digits of text (0 when it begins with no
// digit), in 32-bit arithmetic that wraps as the saver's always has.
uint32_t ParseDecimal(const char* text);
