// Pictures the host draws into: RGBA, top row first, premultiplied alpha.
//
// Premultiplied so that bilinear sampling across a transparent edge never
// pulls in the colour of the transparent pixels, and so that drawing one
// picture over another is one multiply-add per channel.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vortane::host::render {

// Anything the drawing cannot do (an unusable bitmap, a missing font, a file
// that cannot be written); the message says what and, where it can, how to fix it.
struct RenderError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A colour with straight (not premultiplied) alpha.
struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;  // premultiplied, 4 bytes a pixel

  Image() = default;
  // Fully transparent. Throws RenderError for a size below 0 or above 16384.
  Image(int32_t width, int32_t height);

  // The pixel with its alpha divided back out; outside the image, transparent.
  Rgba pixel(int32_t x, int32_t y) const;
  // Every pixel set to one colour (straight alpha).
  void fill(Rgba colour);
};

// The panel lighting: by day everything is drawn as stored; at night what is
// not lit is dimmed, so that only lit elements stand out.
enum class Lighting { day, night };

}  // namespace vortane::host::render
