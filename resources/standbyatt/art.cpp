// Standby attitude indicator: a ball that the host shifts by pitch and turns
// by bank, seen through a round window carrying the bank scale and the
// aircraft symbol; a bank pointer; an inclinometer tube and ball.
#include <algorithm>
#include <array>

#include "artgen/gauge_art.h"
#include "artgen/text.h"

namespace artgen {
namespace {

constexpr Rgb face_grey{42, 43, 42};
constexpr Rgb top_band{0, 2, 1};
constexpr Rgb symbol_orange{231, 99, 63};
constexpr Rgb sky_blue{38, 128, 206};
constexpr Rgb ground_brown{128, 82, 40};
constexpr Rgb level_grey{150, 150, 150};
constexpr Rgb glass_white{236, 236, 230};
constexpr Rgb ball_grey{48, 48, 50};

Canvas face() {
    Canvas c(170, 170);
    c.declare_key(face_grey);
    c.set_mask_backdrop(face_grey);
    c.fill_disc({85.0f, 84.5f}, 39.5f, face_grey);
    return c;
}

// The ball is centred on (85, 85); one ladder step of 5 degrees is about 6.3 rows.
Canvas ball() {
    Canvas c(170, 170);
    for (Rgb k : {sky_blue, ground_brown, white}) c.declare_key(k);
    c.fill_rect(0, 0, 170, 85, sky_blue);
    c.fill_rect(0, 85, 170, 170, ground_brown);
    c.fill_rect(0, 85, 170, 86, white);

    struct Rung {
        int row;
        int degrees;  // 0 for an unlabelled short rung
    };
    static constexpr std::array<Rung, 10> ladder{{
        {53, 0}, {60, 20}, {66, 0}, {73, 10}, {79, 0},
        {91, 0}, {97, 10}, {103, 0}, {109, 20}, {115, 0},
    }};
    const TextStyle label{.face = Typeface::sans_bold, .size = 8.0f, .colour = white, .h = HAlign::centre,
                          .v = VAlign::middle};
    for (const Rung& r : ladder) {
        const float y = static_cast<float>(r.row);
        const float half = r.degrees != 0 ? 12.0f : 6.0f;
        c.fill_rect(85.0f - half, y, 85.0f + half, y + 1.0f, white);
        if (r.degrees != 0) {
            const char* text = r.degrees == 10 ? "10" : "20";
            draw_text(c, text, {85.0f - half - 7.0f, y + 0.5f}, label);
            draw_text(c, text, {85.0f + half + 7.5f, y + 0.5f}, label);
        }
    }
    return c;
}

Canvas ball_window() {
    Canvas c(170, 170);
    for (Rgb k : {top_band, symbol_orange, level_grey, white}) c.declare_key(k);
    c.set_mask_backdrop({30, 30, 30});
    const Point centre{84.5f, 85.5f};
    c.fill_disc(centre, 39.0f, window);

    // Darkened cap over the top of the ball, so the index and the pointer stand out.
    c.fill_shape({63, 38, 109, 49}, [](float x, float y) {
        return std::max({distance_disc(x, y, {85.5f, 85.0f}, 47.0f), y - 49.0f, 63.0f - x, x - 109.0f});
    }, top_band);

    // Bank scale: 10, 20, 30, 45 and 60 degrees each side; 30 and 60 long.
    const Point pivot{85.0f, 85.0f};
    for (int side : {-1, 1}) {
        for (int deg : {10, 20, 30, 45, 60}) {
            const bool long_mark = deg == 30 || deg == 60;
            const float a = static_cast<float>(side * deg);
            c.radial_tick(pivot, a, 38.0f, long_mark ? 45.5f : 42.5f, long_mark ? 2.0f : 1.5f, white);
        }
        // Level marks at the sides of the ball.
        const float x0 = side < 0 ? 39.0f : 118.0f;
        c.fill_rect(x0, 84, x0 + 12.0f, 86, level_grey);
    }
    const std::array<Point, 3> index{{{80.5f, 40.0f}, {89.5f, 40.0f}, {85.0f, 47.5f}}};
    c.fill_polygon(index, white);

    // Aircraft symbol: two L-shaped wings with a gap where the pointer's centre mark shows.
    for (int side : {-1, 1}) {
        auto x = [side](float dx) { return 84.5f + static_cast<float>(side) * dx; };
        const std::array<Point, 6> wing{{
            {x(31.0f), 87.0f}, {x(10.0f), 87.0f}, {x(10.0f), 97.0f},
            {x(14.0f), 97.0f}, {x(14.0f), 91.0f}, {x(31.0f), 91.0f},
        }};
        c.fill_polygon(wing, symbol_orange);
    }
    return c;
}

// Lies along +x from its pivot (4, 5): a centre mark at the pivot, the pointer
// triangle at the far end pointing outwards.
Canvas bank_pointer() {
    Canvas c(42, 6);
    c.declare_key(white);
    c.declare_key(symbol_orange);
    c.set_mask_backdrop({30, 30, 30});
    const std::array<Point, 3> tip{{{33.0f, 0.0f}, {42.0f, 3.0f}, {33.0f, 6.0f}}};
    c.fill_polygon(tip, white);
    c.fill_rect(3, 3, 6, 6, symbol_orange);
    return c;
}

Canvas inclinometer_tube() {
    Canvas c(72, 9);
    c.declare_key(glass_white);
    c.set_mask_backdrop(face_grey);
    c.fill_rounded_rect(0, 0, 72, 9, 4.5f, vertical_gradient(0, {252, 252, 248}, 9, {200, 200, 196}));
    c.fill_rounded_rect(1.5f, 2.0f, 70.5f, 3.5f, 1.0f, glass_white);
    // The ball rests between these at x 31 to 40.
    c.fill_rect(29, 0.5f, 30.5f, 8.5f, {40, 40, 40});
    c.fill_rect(40.5f, 0.5f, 42, 8.5f, {40, 40, 40});
    return c;
}

Canvas inclinometer_ball() {
    Canvas c(9, 7);
    c.declare_key(ball_grey);
    c.set_mask_backdrop(glass_white);
    c.fill_ellipse({4.5f, 3.5f}, 4.5f, 3.5f, ball_grey);
    c.fill_disc({3.3f, 2.3f}, 1.1f, {110, 110, 112});
    return c;
}

}  // namespace

std::vector<Picture> draw_standbyatt() {
    std::vector<Picture> out;
    out.push_back({0x100, face()});
    out.push_back({0x1600, ball()});
    out.push_back({0x1601, ball_window()});
    out.push_back({0x1400, bank_pointer()});
    out.push_back({0x1200, inclinometer_tube()});
    out.push_back({0x1500, inclinometer_ball()});
    return out;
}

}  // namespace artgen
