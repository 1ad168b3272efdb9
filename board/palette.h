#pragma once

#include <array>

#include "platform/colour.h"

// Colours by cell value: 0 .. 63 piece colours, 64 white (open), 65 .. 69 the five fill colours.
inline constexpr int kPaletteSize = 70;
extern const std::array<Rgb, kPaletteSize> palette;
