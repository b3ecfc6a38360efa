// Reduce an RGB picture to an 8-bit palette picture.
//
// A picture of at most 256 colours keeps them all exactly. A richer one is
// reduced by median cut, except that the mask colours (transparent, window)
// and the given key colours keep their own exact entries, and no other colour
// is ever mapped onto a mask colour.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "artgen/canvas.h"

namespace artgen {

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<Rgb> palette;             // at most 256 entries
    std::vector<std::uint8_t> pixels;     // row-major, top row first

    Rgb at(int x, int y) const { return palette[pixels[static_cast<std::size_t>(y * width + x)]]; }
};

IndexedImage quantize(int width, int height, std::span<const Rgb> pixels, std::span<const Rgb> keys);
IndexedImage quantize(const Canvas& canvas);

}  // namespace artgen
