// Standby compass: a card that the host turns by the heading, seen through a
// round window that carries a fixed aircraft outline.
#include <array>
#include <string>

#include "artgen/gauge_art.h"
#include "artgen/text.h"

namespace artgen {
namespace {

constexpr Rgb card_grey{16, 16, 16};
constexpr Rgb outline_orange{237, 129, 91};
constexpr Point centre{90, 90};

Canvas card() {
    Canvas c(180, 180);
    c.declare_key(card_grey);
    c.declare_key(white);
    c.set_mask_backdrop(card_grey);
    c.fill_disc(centre, 90, card_grey);

    for (int deg = 0; deg < 360; deg += 5) {
        const float d = static_cast<float>(deg);
        if (deg % 30 == 0)
            c.radial_tick(centre, d, 73, 88.5f, 2.4f, white);
        else if (deg % 10 == 0)
            c.radial_tick(centre, d, 77, 88.5f, 1.8f, white);
        else
            c.radial_tick(centre, d, 82, 88.5f, 1.4f, white);
    }

    // Every label is turned with its graduation, so it reads upright from outside the card.
    static constexpr std::array labels{"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const float deg = 30.0f * static_cast<float>(i);
        const bool cardinal = i % 3 == 0;
        TextStyle style{.face = Typeface::sans_bold,
                        .size = cardinal ? 21.0f : 16.0f,
                        .colour = white,
                        .h = HAlign::centre,
                        .v = VAlign::middle,
                        .angle = deg};
        draw_text(c, labels[i], polar(centre, cardinal ? 61.0f : 62.0f, deg), style);
    }
    return c;
}

// Aircraft seen from above, nose up: right half, mirrored about x 90.5.
std::vector<Point> aircraft() {
    static constexpr std::array<Point, 14> half{{
        {0.0f, 63.0f}, {2.0f, 63.6f}, {3.4f, 65.3f}, {4.3f, 68.0f}, {4.5f, 80.0f}, {26.0f, 90.0f},
        {26.0f, 94.0f}, {4.5f, 91.0f}, {4.0f, 105.0f}, {12.5f, 112.0f}, {12.5f, 115.5f},
        {2.5f, 113.5f}, {1.5f, 117.0f}, {0.0f, 117.0f},
    }};
    constexpr float axis = 90.5f;
    std::vector<Point> outline;
    for (const Point& p : half) outline.push_back({axis + p.x, p.y});
    for (auto it = half.rbegin() + 1; it != half.rend() - 1; ++it) outline.push_back({axis - it->x, it->y});
    return outline;
}

Canvas card_window() {
    Canvas c(180, 180);
    c.declare_key(outline_orange);
    c.set_mask_backdrop(card_grey);
    c.fill_disc(centre, 90, window);
    const auto plane = aircraft();
    c.fill_polygon(plane, transparent);
    c.stroke_polygon(plane, 1.8f, outline_orange);
    return c;
}

}  // namespace

std::vector<Picture> draw_compass() {
    std::vector<Picture> out;
    out.push_back({0x100, Canvas(180, 180)});
    out.push_back({0x1100, card()});
    out.push_back({0x1101, card_window()});
    return out;
}

}  // namespace artgen
