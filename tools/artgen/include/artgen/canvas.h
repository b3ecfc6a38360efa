// An RGB drawing surface for gauge artwork, with anti-aliased shapes in float
// pixel coordinates (pixel (i, j) covers [i, i+1) x [j, j+1)).
//
// Two colours are masks, not colours: `transparent` (0,0,0) lets the panel show
// and `window` (1,1,1) lets a moving picture show. Only a fill made explicitly
// with one of them produces them; such fills are hard-edged. Every blended
// result that lands on a mask value by accident is nudged to (2,2,2).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace artgen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
    constexpr auto operator<=>(const Rgb&) const = default;
};

inline constexpr Rgb transparent{0, 0, 0};
inline constexpr Rgb window{1, 1, 1};
// The darkest colour that is drawn as itself everywhere.
inline constexpr Rgb ink_black{2, 2, 2};
inline constexpr Rgb white{255, 255, 255};

constexpr bool is_mask(Rgb c) { return c == transparent || c == window; }

Rgb mix(Rgb a, Rgb b, float t);  // t = 0 gives a, 1 gives b; never a mask value

struct Point {
    float x = 0, y = 0;
};

// Turn p about c by deg degrees, clockwise on the screen (y grows downwards).
Point rotate(Point p, Point c, float deg);
// The point at radius r from c in the instrument direction deg: 0 up, clockwise.
Point polar(Point c, float r, float deg);

// Signed distance to a shape's edge, negative inside.
using Distance = std::function<float(float x, float y)>;
// Colour of a shape at a point, for gradients.
using Paint = std::function<Rgb(float x, float y)>;

struct Box {
    float x0, y0, x1, y1;
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = transparent);

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
    std::span<const Rgb> pixels() const { return pixels_; }

    // Colours the palette must keep exact (named colours of the artwork).
    void declare_key(Rgb c);
    const std::vector<Rgb>& keys() const { return keys_; }

    // What an anti-aliased edge is blended with where it meets a mask pixel,
    // since the mask itself has no colour: pick what will usually show there.
    void set_mask_backdrop(Rgb c) { backdrop_ = c; }

    // Exact write, no blending and no nudging.
    void put(int x, int y, Rgb c);
    // Blend c over the pixel by coverage a in [0, 1].
    void blend(int x, int y, Rgb c, float a);

    void clear(Rgb c);

    // Any shape given by its signed distance, within bounds.
    void fill_shape(Box bounds, const Distance& distance, Rgb c);
    void fill_shape(Box bounds, const Distance& distance, const Paint& paint);

    void fill_rect(float x0, float y0, float x1, float y1, Rgb c);
    void fill_rect(float x0, float y0, float x1, float y1, const Paint& paint);
    void fill_rounded_rect(float x0, float y0, float x1, float y1, float radius, Rgb c);
    void fill_rounded_rect(float x0, float y0, float x1, float y1, float radius, const Paint& paint);
    // The band of the given width just inside the rounded rectangle's edge.
    void stroke_rounded_rect(float x0, float y0, float x1, float y1, float radius, float width, Rgb c);

    void fill_disc(Point c, float r, Rgb colour);
    void fill_disc(Point c, float r, const Paint& paint);
    void fill_ellipse(Point c, float rx, float ry, Rgb colour);
    void fill_annulus(Point c, float r_inner, float r_outer, Rgb colour);
    void stroke_circle(Point c, float r, float width, Rgb colour);
    // Part of an annulus between two instrument angles (0 up, clockwise), a0 < a1.
    void fill_arc(Point c, float r_inner, float r_outer, float a0, float a1, Rgb colour);

    enum class Cap { butt, round };
    void line(Point a, Point b, float width, Rgb c, Cap cap = Cap::butt);
    // A straight mark along the radius at an instrument angle.
    void radial_tick(Point c, float deg, float r_inner, float r_outer, float width, Rgb colour);

    void fill_polygon(std::span<const Point> points, Rgb c);
    void fill_polygon(std::span<const Point> points, const Paint& paint);
    void stroke_polygon(std::span<const Point> points, float width, Rgb c, bool closed = true);

private:
    int width_, height_;
    std::vector<Rgb> pixels_;
    std::vector<Rgb> keys_;
    Rgb backdrop_{40, 40, 40};
};

// Paints for gradients.
Paint vertical_gradient(float y0, Rgb top, float y1, Rgb bottom);
Paint horizontal_gradient(float x0, Rgb left, float x1, Rgb right);
Paint radial_gradient(Point c, float r, Rgb centre, Rgb edge);

// Signed distances, usable with fill_shape and combinable with max/min.
float distance_disc(float x, float y, Point c, float r);
float distance_rounded_rect(float x, float y, float x0, float y0, float x1, float y1, float radius);
float distance_segment(float x, float y, Point a, Point b);
float distance_polygon(float x, float y, std::span<const Point> points);

}  // namespace artgen
