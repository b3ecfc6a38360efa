#include "vortane/host/render/image.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vortane::host::render {

namespace {
constexpr int32_t kMaxSide = 16384;
}

Image::Image(int32_t w, int32_t h) : width(w), height(h) {
  if (w < 0 || h < 0 || w > kMaxSide || h > kMaxSide)
    throw RenderError("picture size " + std::to_string(w) + " x " + std::to_string(h) + " is out of range (0 to " +
                      std::to_string(kMaxSide) + " a side)");
  rgba.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
}

Rgba Image::pixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {};
  const uint8_t* p = &rgba[(static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4];
  const unsigned a = p[3];
  if (a == 0) return {};
  auto straight = [a](unsigned c) { return static_cast<uint8_t>(std::min(255u, (c * 255 + a / 2) / a)); };
  return {straight(p[0]), straight(p[1]), straight(p[2]), static_cast<uint8_t>(a)};
}

void Image::fill(Rgba c) {
  auto pre = [&c](unsigned v) { return static_cast<uint8_t>((v * c.a + 127) / 255); };
  const uint8_t px[4] = {pre(c.r), pre(c.g), pre(c.b), c.a};
  if (rgba.empty()) return;
  // One row by hand, the rest copied from it.
  const size_t row = static_cast<size_t>(width) * 4;
  for (size_t i = 0; i < row; i += 4) std::memcpy(&rgba[i], px, 4);
  for (size_t at = row; at < rgba.size(); at += row) std::memcpy(&rgba[at], rgba.data(), row);
}

}  // namespace vortane::host::render
