// The pixel work of the compositor: drawing a picture into an image, as it is
// or through an affine mapping with bilinear sampling, optionally through a
// window mask, and blending text coverage. Internal to the renderer.
#pragma once

#include <cstdint>
#include <vector>

#include "vortane/host/render/image.h"

namespace vortane::host::render::raster {

// Half-open pixel rectangle.
struct Rect {
  int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x0 >= x1 || y0 >= y1; }
  Rect intersect(const Rect& o) const;
};

inline Rect whole(const Image& image) { return {0, 0, image.width, image.height}; }

// x' = a x + b y + e, y' = c x + d y + f, in continuous coordinates where
// pixel (i, j) covers [i, i + 1) × [j, j + 1).
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  double x(double px, double py) const { return a * px + b * py + e; }
  double y(double px, double py) const { return c * px + d * py + f; }
  // False when the mapping squashes the plane (nothing can be drawn).
  bool invert(Affine& out) const;
  // The pixels that a w × h picture covers once mapped, one pixel of margin
  // for the sampling, held inside `clip`.
  Rect cover(double w, double h, const Rect& clip) const;
};

// Brightness of a drawing: 256 is as stored, less dims the colour (not the alpha).
using Tone = uint16_t;
inline constexpr Tone kFullTone = 256;

// A window bitmap made ready: where the picture shows, and the colours drawn
// over it (premultiplied; transparent where the window is pure black or shows
// the picture).
struct WindowMask {
  Image overlay;
  std::vector<uint8_t> shows;  // 1 where the picture shows
};

// `src` over `dst` with its top left at (x, y).
void blit(Image& dst, const Image& src, int32_t x, int32_t y, Tone tone);

// Every pixel of `area` takes `src` sampled bilinearly at screen_to_src of
// its centre; outside `src` nothing is drawn. With a window, placed at
// (wx, wy), a pixel takes the window's colour where it has one, the picture
// where the window shows it, and nothing elsewhere.
void draw_mapped(Image& dst, const Image& src, const Affine& screen_to_src, Rect area, Tone tone,
                 const WindowMask* window = nullptr, int32_t wx = 0, int32_t wy = 0);

// One colour through a coverage mask (a glyph), top left at (x, y), within `clip`.
void blend_coverage(Image& dst, const uint8_t* coverage, int32_t pitch, int32_t w, int32_t h, int32_t x,
                    int32_t y, const Rect& clip, Rgba colour, Tone tone);

// Floor of a double held within [lo, hi]; NaN gives lo.
int32_t floor_within(double value, int32_t lo, int32_t hi);

}  // namespace vortane::host::render::raster
