#include "artgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace artgen {
namespace {

constexpr float deg_to_rad = std::numbers::pi_v<float> / 180.0f;

std::uint8_t channel(float v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

Rgb nudged(Rgb c) { return is_mask(c) ? ink_black : c; }

Box polygon_bounds(std::span<const Point> points, float margin) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Point& p : points) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    return {b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

// Signed distance to a box of half sizes (hx, hy) centred on the origin.
float distance_centred_box(float x, float y, float hx, float hy) {
    const float dx = std::abs(x) - hx, dy = std::abs(y) - hy;
    const float outside = std::hypot(std::max(dx, 0.0f), std::max(dy, 0.0f));
    return outside + std::min(std::max(dx, dy), 0.0f);
}

}  // namespace

Rgb mix(Rgb a, Rgb b, float t) {
    const float s = 1.0f - t;
    return nudged({channel(a.r * s + b.r * t), channel(a.g * s + b.g * t), channel(a.b * s + b.b * t)});
}

Point rotate(Point p, Point c, float deg) {
    const float s = std::sin(deg * deg_to_rad), k = std::cos(deg * deg_to_rad);
    const float dx = p.x - c.x, dy = p.y - c.y;
    return {c.x + dx * k - dy * s, c.y + dx * s + dy * k};
}

Point polar(Point c, float r, float deg) {
    return {c.x + r * std::sin(deg * deg_to_rad), c.y - r * std::cos(deg * deg_to_rad)};
}

Canvas::Canvas(int width, int height, Rgb fill) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("canvas size must be positive");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

void Canvas::declare_key(Rgb c) {
    if (std::find(keys_.begin(), keys_.end(), c) == keys_.end()) keys_.push_back(c);
}

void Canvas::put(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
}

void Canvas::blend(int x, int y, Rgb c, float a) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0.0f) return;
    Rgb& d = pixels_[static_cast<std::size_t>(y * width_ + x)];
    if (is_mask(c)) {
        // Masks have no partial form: a pixel is either in or out.
        if (a >= 0.5f) d = c;
        return;
    }
    if (a >= 0.996f) {
        d = c;
        return;
    }
    Rgb under = d;
    if (is_mask(d)) {
        // A faint edge over a mask would become an opaque speck: leave it out.
        if (a < 0.3f) return;
        under = backdrop_;
    }
    d = mix(under, c, a);
}

void Canvas::clear(Rgb c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fill_shape(Box bounds, const Distance& distance, const Paint& paint) {
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.x0)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y0)) - 1);
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(bounds.x1)) + 1);
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(bounds.y1)) + 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float a = std::clamp(0.5f - distance(px, py), 0.0f, 1.0f);
            if (a > 0.0f) blend(x, y, paint(px, py), a);
        }
    }
}

void Canvas::fill_shape(Box bounds, const Distance& distance, Rgb c) {
    fill_shape(bounds, distance, [c](float, float) { return c; });
}

void Canvas::fill_rect(float x0, float y0, float x1, float y1, Rgb c) { fill_rounded_rect(x0, y0, x1, y1, 0.0f, c); }

void Canvas::fill_rect(float x0, float y0, float x1, float y1, const Paint& paint) {
    fill_rounded_rect(x0, y0, x1, y1, 0.0f, paint);
}

void Canvas::fill_rounded_rect(float x0, float y0, float x1, float y1, float radius, Rgb c) {
    fill_rounded_rect(x0, y0, x1, y1, radius, [c](float, float) { return c; });
}

void Canvas::fill_rounded_rect(float x0, float y0, float x1, float y1, float radius, const Paint& paint) {
    fill_shape({x0, y0, x1, y1},
               [=](float x, float y) { return distance_rounded_rect(x, y, x0, y0, x1, y1, radius); }, paint);
}

void Canvas::stroke_rounded_rect(float x0, float y0, float x1, float y1, float radius, float width, Rgb c) {
    fill_shape(
        {x0, y0, x1, y1},
        [=](float x, float y) {
            const float d = distance_rounded_rect(x, y, x0, y0, x1, y1, radius);
            return std::max(d, -d - width);
        },
        c);
}

void Canvas::fill_disc(Point c, float r, Rgb colour) {
    fill_disc(c, r, [colour](float, float) { return colour; });
}

void Canvas::fill_disc(Point c, float r, const Paint& paint) {
    fill_shape({c.x - r, c.y - r, c.x + r, c.y + r}, [=](float x, float y) { return distance_disc(x, y, c, r); },
               paint);
}

void Canvas::fill_ellipse(Point c, float rx, float ry, Rgb colour) {
    // Scaled circle distance; close enough for the small ellipses of artwork.
    const float rmin = std::min(rx, ry);
    fill_shape(
        {c.x - rx, c.y - ry, c.x + rx, c.y + ry},
        [=](float x, float y) {
            const float nx = (x - c.x) / rx, ny = (y - c.y) / ry;
            return (std::hypot(nx, ny) - 1.0f) * rmin;
        },
        colour);
}

void Canvas::fill_annulus(Point c, float r_inner, float r_outer, Rgb colour) {
    fill_shape(
        {c.x - r_outer, c.y - r_outer, c.x + r_outer, c.y + r_outer},
        [=](float x, float y) {
            const float d = std::hypot(x - c.x, y - c.y);
            return std::max(d - r_outer, r_inner - d);
        },
        colour);
}

void Canvas::stroke_circle(Point c, float r, float width, Rgb colour) {
    fill_annulus(c, r - width / 2.0f, r + width / 2.0f, colour);
}

void Canvas::fill_arc(Point c, float r_inner, float r_outer, float a0, float a1, Rgb colour) {
    const Point far0 = polar(c, r_outer + 4.0f, a0), far1 = polar(c, r_outer + 4.0f, a1);
    fill_shape(
        {c.x - r_outer, c.y - r_outer, c.x + r_outer, c.y + r_outer},
        [=](float x, float y) {
            const float d = std::hypot(x - c.x, y - c.y);
            const float ring = std::max(d - r_outer, r_inner - d);
            // Instrument angle of the point, measured from a0 within one turn.
            float a = std::atan2(x - c.x, -(y - c.y)) / deg_to_rad - a0;
            a = std::fmod(std::fmod(a, 360.0f) + 360.0f, 360.0f);
            const float edge = std::min(distance_segment(x, y, c, far0), distance_segment(x, y, c, far1));
            const float wedge = a <= a1 - a0 ? -edge : edge;
            return std::max(ring, wedge);
        },
        colour);
}

void Canvas::line(Point a, Point b, float width, Rgb c, Cap cap) {
    const float hw = width / 2.0f;
    const Box bounds{std::min(a.x, b.x) - hw, std::min(a.y, b.y) - hw, std::max(a.x, b.x) + hw,
                     std::max(a.y, b.y) + hw};
    if (cap == Cap::round) {
        fill_shape(bounds, [=](float x, float y) { return distance_segment(x, y, a, b) - hw; }, c);
        return;
    }
    const float len = std::hypot(b.x - a.x, b.y - a.y);
    if (len <= 0.0f) return;
    const float ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    const Point m{(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f};
    fill_shape(bounds,
               [=](float x, float y) {
                   const float dx = x - m.x, dy = y - m.y;
                   return distance_centred_box(dx * ux + dy * uy, -dx * uy + dy * ux, len / 2.0f, hw);
               },
               c);
}

void Canvas::radial_tick(Point c, float deg, float r_inner, float r_outer, float width, Rgb colour) {
    line(polar(c, r_inner, deg), polar(c, r_outer, deg), width, colour);
}

void Canvas::fill_polygon(std::span<const Point> points, Rgb c) {
    fill_polygon(points, [c](float, float) { return c; });
}

void Canvas::fill_polygon(std::span<const Point> points, const Paint& paint) {
    if (points.size() < 3) return;
    std::vector<Point> copy(points.begin(), points.end());
    fill_shape(polygon_bounds(points, 0.0f), [copy](float x, float y) { return distance_polygon(x, y, copy); },
               paint);
}

void Canvas::stroke_polygon(std::span<const Point> points, float width, Rgb c, bool closed) {
    if (points.size() < 2) return;
    std::vector<Point> copy(points.begin(), points.end());
    const float hw = width / 2.0f;
    fill_shape(polygon_bounds(points, hw),
               [copy, hw, closed](float x, float y) {
                   float d = 1e9f;
                   const std::size_t n = copy.size(), edges = closed ? n : n - 1;
                   for (std::size_t i = 0; i < edges; ++i)
                       d = std::min(d, distance_segment(x, y, copy[i], copy[(i + 1) % n]));
                   return d - hw;
               },
               c);
}

Paint vertical_gradient(float y0, Rgb top, float y1, Rgb bottom) {
    return [=](float, float y) { return mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Paint horizontal_gradient(float x0, Rgb left, float x1, Rgb right) {
    return [=](float x, float) { return mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.0f, 1.0f)); };
}

Paint radial_gradient(Point c, float r, Rgb centre, Rgb edge) {
    return [=](float x, float y) { return mix(centre, edge, std::clamp(std::hypot(x - c.x, y - c.y) / r, 0.0f, 1.0f)); };
}

float distance_disc(float x, float y, Point c, float r) { return std::hypot(x - c.x, y - c.y) - r; }

float distance_rounded_rect(float x, float y, float x0, float y0, float x1, float y1, float radius) {
    const float hx = (x1 - x0) / 2.0f, hy = (y1 - y0) / 2.0f;
    const float r = std::min({radius, hx, hy});
    return distance_centred_box(x - (x0 + hx), y - (y0 + hy), hx - r, hy - r) - r;
}

float distance_segment(float x, float y, Point a, Point b) {
    const float vx = b.x - a.x, vy = b.y - a.y;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0.0f ? ((x - a.x) * vx + (y - a.y) * vy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(x - (a.x + t * vx), y - (a.y + t * vy));
}

float distance_polygon(float x, float y, std::span<const Point> points) {
    float d = 1e9f;
    int winding = 0;
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = points[i], b = points[(i + 1) % n];
        d = std::min(d, distance_segment(x, y, a, b));
        const float side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
        if (a.y <= y) {
            if (b.y > y && side > 0) ++winding;
        } else if (b.y <= y && side < 0) {
            --winding;
        }
    }
    return winding != 0 ? -d : d;
}

}  // namespace artgen
