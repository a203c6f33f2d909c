#pragma once
#include <cstdint>

// Lengths are written for a screen of 96 dots per inch, the platform's 100 %;
// a screen of more dots shows them larger by its DPI / 96, rounded to the
// nearest pixel. Anything the program keeps in pixels (the list's column
// widths) is kept at 96 DPI, so that it means the same size on every screen
// and what earlier versions stored, which knew only 96, keeps its meaning.

constexpr int kBaseDpi = 96;

// A length at 96 DPI in pixels at dpi; dpi below 96 or unknown (0) counts as 96.
int ScaleToDpi(int length, int dpi);

// Pixels at dpi back to the length at 96 DPI. Undoes ScaleToDpi exactly.
int ScaleFromDpi(int pixels, int dpi);

// A stored 96-DPI length, whatever the registry held, as pixels at dpi:
// lengths beyond limit (a damaged value) become limit first.
int StoredLengthAtDpi(uint32_t stored, int dpi, int limit);
