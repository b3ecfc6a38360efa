#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vortane::host::render::raster {
namespace {

inline uint32_t div255(uint32_t v) { return (v + 128 + ((v + 128) >> 8)) >> 8; }

// A premultiplied pixel over dst.
inline void over(uint8_t* dst, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  if (a == 0) return;
  if (a == 255) {
    dst[0] = static_cast<uint8_t>(r);
    dst[1] = static_cast<uint8_t>(g);
    dst[2] = static_cast<uint8_t>(b);
    dst[3] = 255;
    return;
  }
  const uint32_t keep = 255 - a;
  dst[0] = static_cast<uint8_t>(r + div255(dst[0] * keep));
  dst[1] = static_cast<uint8_t>(g + div255(dst[1] * keep));
  dst[2] = static_cast<uint8_t>(b + div255(dst[2] * keep));
  dst[3] = static_cast<uint8_t>(a + div255(dst[3] * keep));
}

inline void over_toned(uint8_t* dst, const uint8_t* s, Tone tone) {
  if (tone == kFullTone)
    over(dst, s[0], s[1], s[2], s[3]);
  else
    over(dst, (s[0] * tone) >> 8, (s[1] * tone) >> 8, (s[2] * tone) >> 8, s[3]);
}

inline uint8_t* at(Image& image, int32_t x, int32_t y) {
  return &image.rgba[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4];
}

inline const uint8_t* at(const Image& image, int32_t x, int32_t y) {
  return &image.rgba[(static_cast<size_t>(y) * static_cast<size_t>(image.width) + static_cast<size_t>(x)) * 4];
}

inline uint32_t load(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// Two pixels mixed, w of 256 towards b, two channels a lane (each lane holds
// at most 255 × 256, so lanes never spill into each other). w = 0 gives a exactly.
inline uint32_t mix(uint32_t a, uint32_t b, uint32_t w) {
  const uint32_t rb = (((a & 0x00FF00FFu) * (256 - w) + (b & 0x00FF00FFu) * w) >> 8) & 0x00FF00FFu;
  const uint32_t ga = (((a >> 8) & 0x00FF00FFu) * (256 - w) + ((b >> 8) & 0x00FF00FFu) * w) & 0xFF00FF00u;
  return rb | ga;
}

// Bilinear sample at continuous (u, v) into out; false when nothing of the
// picture is there.
inline bool sample(const Image& src, double u, double v, uint8_t out[4]) {
  const double fx = u - 0.5;
  const double fy = v - 0.5;
  // The comparisons also turn NaN away before anything is converted.
  if (!(fx > -1.0 && fx < src.width && fy > -1.0 && fy < src.height)) return false;
  // Truncating a value above -1 after adding 1 is its floor plus 1.
  const int32_t x0 = static_cast<int32_t>(fx + 1.0) - 1;
  const int32_t y0 = static_cast<int32_t>(fy + 1.0) - 1;
  const uint32_t wx = static_cast<uint32_t>((fx - x0) * 256.0 + 0.5);
  const uint32_t wy = static_cast<uint32_t>((fy - y0) * 256.0 + 0.5);
  uint32_t p00, p10, p01, p11;
  if (x0 >= 0 && y0 >= 0 && x0 + 1 < src.width && y0 + 1 < src.height) {
    const uint8_t* row = at(src, x0, y0);
    const size_t stride = static_cast<size_t>(src.width) * 4;
    p00 = load(row);
    p10 = load(row + 4);
    p01 = load(row + stride);
    p11 = load(row + stride + 4);
  } else {
    auto texel = [&src](int32_t x, int32_t y) {
      return x >= 0 && y >= 0 && x < src.width && y < src.height ? load(at(src, x, y)) : 0u;
    };
    p00 = texel(x0, y0);
    p10 = texel(x0 + 1, y0);
    p01 = texel(x0, y0 + 1);
    p11 = texel(x0 + 1, y0 + 1);
  }
  const uint32_t p = mix(mix(p00, p10, wx), mix(p01, p11, wx), wy);
  std::memcpy(out, &p, 4);
  return out[3] != 0;
}

}  // namespace

Rect Rect::intersect(const Rect& o) const {
  return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
}

int32_t floor_within(double value, int32_t lo, int32_t hi) {
  if (!(value >= lo)) return lo;
  if (value >= hi) return hi;
  return static_cast<int32_t>(std::floor(value));
}

bool Affine::invert(Affine& out) const {
  const double det = a * d - b * c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
  out.a = d / det;
  out.b = -b / det;
  out.c = -c / det;
  out.d = a / det;
  out.e = -(out.a * e + out.b * f);
  out.f = -(out.c * e + out.d * f);
  return std::isfinite(out.e) && std::isfinite(out.f);
}

Rect Affine::cover(double w, double h, const Rect& clip) const {
  const double xs[4] = {x(0, 0), x(w, 0), x(0, h), x(w, h)};
  const double ys[4] = {y(0, 0), y(w, 0), y(0, h), y(w, h)};
  const auto [xmin, xmax] = std::minmax_element(xs, xs + 4);
  const auto [ymin, ymax] = std::minmax_element(ys, ys + 4);
  constexpr int32_t kFar = 1 << 28;
  const Rect r{floor_within(*xmin - 1.0, -kFar, kFar), floor_within(*ymin - 1.0, -kFar, kFar),
               floor_within(*xmax + 2.0, -kFar, kFar), floor_within(*ymax + 2.0, -kFar, kFar)};
  return r.intersect(clip);
}

void blit(Image& dst, const Image& src, int32_t x, int32_t y, Tone tone) {
  // 64-bit sums: positions come from module data and may sit anywhere.
  const int64_t x0 = std::max<int64_t>(0, x), y0 = std::max<int64_t>(0, y);
  const int64_t x1 = std::min<int64_t>(dst.width, int64_t{x} + src.width);
  const int64_t y1 = std::min<int64_t>(dst.height, int64_t{y} + src.height);
  for (int64_t dy = y0; dy < y1; ++dy) {
    uint8_t* d = at(dst, static_cast<int32_t>(x0), static_cast<int32_t>(dy));
    const uint8_t* s = at(src, static_cast<int32_t>(x0 - x), static_cast<int32_t>(dy - y));
    for (int64_t dx = x0; dx < x1; ++dx, d += 4, s += 4) over_toned(d, s, tone);
  }
}

void draw_mapped(Image& dst, const Image& src, const Affine& m, Rect area, Tone tone, const WindowMask* window,
                 int32_t wx, int32_t wy) {
  area = area.intersect(whole(dst));
  if (window != nullptr) {
    const Rect win{wx, wy, static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{wx} + window->overlay.width)),
                   static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{wy} + window->overlay.height))};
    area = area.intersect(win);
  }
  uint8_t px[4];
  for (int32_t y = area.y0; y < area.y1; ++y) {
    const double cy = y + 0.5;
    double u = m.x(area.x0 + 0.5, cy);
    double v = m.y(area.x0 + 0.5, cy);
    uint8_t* d = at(dst, area.x0, y);
    const uint8_t* overlay = nullptr;
    const uint8_t* shows = nullptr;
    if (window != nullptr) {
      const size_t row = static_cast<size_t>(y - wy) * static_cast<size_t>(window->overlay.width);
      const size_t col = static_cast<size_t>(area.x0 - wx);
      overlay = &window->overlay.rgba[(row + col) * 4];
      shows = &window->shows[row + col];
    }
    for (int32_t x = area.x0; x < area.x1; ++x, d += 4, u += m.a, v += m.c) {
      if (window != nullptr) {
        const uint8_t* o = overlay;
        const bool show = *shows != 0;
        overlay += 4;
        ++shows;
        if (o[3] != 0) {
          over_toned(d, o, tone);
          continue;
        }
        if (!show) continue;
      }
      if (sample(src, u, v, px)) over_toned(d, px, tone);
    }
  }
}

void blend_coverage(Image& dst, const uint8_t* coverage, int32_t pitch, int32_t w, int32_t h, int32_t x, int32_t y,
                    const Rect& clip, Rgba colour, Tone tone) {
  const Rect r = Rect{x, y, static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{x} + w)),
                      static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{y} + h))}
                     .intersect(clip)
                     .intersect(whole(dst));
  const uint32_t cr = (colour.r * uint32_t{tone}) >> 8;
  const uint32_t cg = (colour.g * uint32_t{tone}) >> 8;
  const uint32_t cb = (colour.b * uint32_t{tone}) >> 8;
  for (int32_t py = r.y0; py < r.y1; ++py) {
    const uint8_t* c = coverage + static_cast<ptrdiff_t>(py - y) * pitch + (r.x0 - x);
    uint8_t* d = at(dst, r.x0, py);
    for (int32_t px = r.x0; px < r.x1; ++px, ++c, d += 4) {
      const uint32_t a = div255(uint32_t{*c} * colour.a);
      over(d, div255(cr * a), div255(cg * a), div255(cb * a), a);
    }
  }
}

}  // namespace vortane::host::render::raster
