#include <cstdio>
#include <string>

#include "bytes.h"
#include "vortane/host/bitmaps.h"

namespace vortane::host {
namespace {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;
// Far beyond any gauge face; keeps size arithmetic small and refuses garbage early.
constexpr int32_t kMaxSide = 16384;

}  // namespace

DibInfo read_dib_info(std::span<const uint8_t> dib) {
  if (dib.size() < kInfoHeaderSize) throw BitmapError("bitmap is shorter than its 40-byte header");
  const uint32_t header_size = bytes::u32(dib, 0);
  // Later header versions (V4, V5) start with the same 40 bytes.
  if (header_size < kInfoHeaderSize || header_size > dib.size())
    throw BitmapError("bitmap header size " + std::to_string(header_size) + " is not a BITMAPINFOHEADER");
  DibInfo info;
  info.width = bytes::i32(dib, 4);
  const int32_t height = bytes::i32(dib, 8);
  const uint16_t planes = bytes::u16(dib, 12);
  info.bits_per_pixel = bytes::u16(dib, 14);
  const uint32_t compression = bytes::u32(dib, 16);
  const uint32_t colours_used = bytes::u32(dib, 32);

  if (info.width <= 0 || info.width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    throw BitmapError("bitmap size " + std::to_string(info.width) + " x " + std::to_string(height) +
                      " is out of range");
  info.top_down = height < 0;
  info.height = info.top_down ? -height : height;
  if (planes != 1) throw BitmapError("bitmap has " + std::to_string(planes) + " planes, not 1");
  if (compression != kUncompressed)
    throw BitmapError("bitmap is compressed (type " + std::to_string(compression) + "); only uncompressed bitmaps are read");
  if (info.bits_per_pixel == 8) {
    if (colours_used > 256) throw BitmapError("bitmap palette has " + std::to_string(colours_used) + " entries");
    info.palette_size = colours_used == 0 ? 256 : colours_used;
  } else if (info.bits_per_pixel == 24) {
    info.palette_size = colours_used;  // optional, unused
    if (colours_used > 256) throw BitmapError("bitmap palette has " + std::to_string(colours_used) + " entries");
  } else {
    throw BitmapError("bitmap has " + std::to_string(info.bits_per_pixel) + " bits per pixel; only 8 and 24 are read");
  }
  info.pixels_offset = header_size + 4 * static_cast<size_t>(info.palette_size);
  info.row_stride = ((static_cast<size_t>(info.width) * info.bits_per_pixel + 31) / 32) * 4;
  const uint64_t pixel_bytes = static_cast<uint64_t>(info.row_stride) * static_cast<uint64_t>(info.height);
  if (!bytes::fits(info.pixels_offset, pixel_bytes, dib.size()))
    throw BitmapError("bitmap of " + std::to_string(info.width) + " x " + std::to_string(info.height) + " at " +
                      std::to_string(info.bits_per_pixel) + " bits needs " +
                      std::to_string(info.pixels_offset + pixel_bytes) + " bytes, has " + std::to_string(dib.size()));
  return info;
}

RgbaImage decode_dib(std::span<const uint8_t> dib) {
  const DibInfo info = read_dib_info(dib);
  RgbaImage image;
  image.width = info.width;
  image.height = info.height;
  image.rgba.resize(static_cast<size_t>(info.width) * static_cast<size_t>(info.height) * 4);
  const size_t palette_offset = bytes::u32(dib, 0);
  for (int32_t y = 0; y < info.height; ++y) {
    const size_t stored_row = static_cast<size_t>(info.top_down ? y : info.height - 1 - y);
    const uint8_t* row = dib.data() + info.pixels_offset + stored_row * info.row_stride;
    uint8_t* out = image.rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(info.width) * 4;
    for (int32_t x = 0; x < info.width; ++x, out += 4) {
      if (info.bits_per_pixel == 8) {
        const uint8_t index = row[x];
        if (index >= info.palette_size)
          throw BitmapError("bitmap pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") uses colour " +
                            std::to_string(index) + " of a " + std::to_string(info.palette_size) + "-colour palette");
        const uint8_t* quad = dib.data() + palette_offset + 4 * static_cast<size_t>(index);
        out[0] = quad[2];
        out[1] = quad[1];
        out[2] = quad[0];
      } else {
        const uint8_t* bgr = row + 3 * static_cast<size_t>(x);
        out[0] = bgr[2];
        out[1] = bgr[1];
        out[2] = bgr[0];
      }
      out[3] = 255;
    }
  }
  return image;
}

}  // namespace vortane::host
