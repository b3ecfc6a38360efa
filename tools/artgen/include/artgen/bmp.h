// Uncompressed 8-bit palette BMP files: BITMAPFILEHEADER, a 40-byte
// BITMAPINFOHEADER, the palette (biClrUsed entries), then bottom-up rows padded
// to four bytes. The form that resource compilers and every reader accept.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "artgen/palette.h"

namespace artgen {

std::vector<std::uint8_t> encode_bmp(const IndexedImage& image);

// Reads back exactly the form above; throws std::runtime_error on anything else.
IndexedImage decode_bmp(std::span<const std::uint8_t> bytes);

// Writes through a temporary file in the same directory, so a failed run never
// leaves half a file under the final name.
void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> read_file(const std::filesystem::path& path);

}  // namespace artgen
