// Combined standby instrument: altimeter dial with counter window, the two
// barometric setting words, and the airspeed tape behind its window.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "artgen/gauge_art.h"
#include "artgen/text.h"

namespace artgen {
namespace {

constexpr Rgb body{30, 31, 34};
constexpr Rgb rim{64, 66, 70};
constexpr Rgb dial_black{14, 14, 16};
constexpr Rgb frame_grey{130, 132, 136};
constexpr Rgb word_white{225, 225, 225};
constexpr Rgb tape_black{22, 22, 24};
constexpr Rgb stripe_red{210, 24, 24};

// The needle's pivot; the needle bitmap is centred on its pixel (5, 6).
constexpr Point pivot{97.5f, 60.5f};

void screw(Canvas& c, Point at) {
    c.fill_disc(at, 4.5f, radial_gradient({at.x - 1.5f, at.y - 1.5f}, 6.0f, {150, 150, 154}, {70, 70, 74}));
    c.stroke_circle(at, 4.5f, 1.0f, {20, 20, 22});
    c.line(rotate({at.x - 3.5f, at.y}, at, 35), rotate({at.x + 3.5f, at.y}, at, 35), 1.4f, {30, 30, 32});
}

void altimeter_dial(Canvas& c) {
    c.fill_disc(pivot, 58.0f, rim);
    c.fill_disc(pivot, 56.8f, dial_black);
    // 20 units a step, 1000 units a turn.
    for (int step = 0; step < 50; ++step) {
        const float deg = 7.2f * static_cast<float>(step);
        if (step % 5 == 0)
            c.radial_tick(pivot, deg, 50.5f, 56.5f, 2.4f, white);
        else
            c.radial_tick(pivot, deg, 53.0f, 56.5f, 1.3f, white);
    }
    const TextStyle numeral{.face = Typeface::sans_bold, .size = 12.0f, .colour = white, .h = HAlign::centre,
                            .v = VAlign::middle};
    for (int k = 0; k < 10; ++k)
        draw_text(c, std::to_string(k), polar(pivot, 45.5f, 36.0f * static_cast<float>(k)), numeral);

    // Counter window: the host writes the five digits into it.
    c.fill_rounded_rect(64, 28, 125, 59, 2.0f, frame_grey);
    c.fill_rounded_rect(66, 30, 123, 57, 1.0f, {6, 6, 7});

    draw_text(c, "ALT", {pivot.x, 84.0f},
              {.face = Typeface::sans_bold, .size = 10.0f, .colour = word_white, .h = HAlign::centre,
               .v = VAlign::middle});
    c.fill_disc(pivot, 5.0f, {58, 58, 62});
    c.fill_disc(pivot, 2.2f, {20, 20, 22});
}

Canvas face() {
    Canvas c(190, 190);
    for (Rgb k : {body, dial_black, frame_grey, white, word_white}) c.declare_key(k);
    c.set_mask_backdrop({60, 62, 66});
    c.fill_rounded_rect(0, 0, 190, 190, 9.0f, rim);
    c.fill_rounded_rect(2, 2, 188, 188, 7.5f, body);

    // The knob sits on the panel behind, seen through this opening.
    const auto opening = [](float x, float y) {
        return std::min({distance_disc(x, y, {16.5f, 176.0f}, 17.0f),
                         distance_rounded_rect(x, y, -5.0f, 176.0f, 33.5f, 195.0f, 0.0f),
                         distance_rounded_rect(x, y, -5.0f, 159.0f, 16.5f, 195.0f, 0.0f)});
    };
    c.fill_shape({0, 155, 38, 190}, [&](float x, float y) { return opening(x, y) - 2.0f; }, rim);
    c.fill_shape({0, 155, 38, 190}, opening, transparent);

    for (Point s : {Point{10, 10}, Point{180, 10}, Point{180, 180}}) screw(c, s);

    altimeter_dial(c);

    const TextStyle word{.face = Typeface::sans_bold, .size = 11.0f, .colour = word_white};
    draw_text(c, "mb", {9.0f, 98.0f}, word);
    draw_text(c, "in Hg", {148.0f, 98.0f}, word);

    c.fill_rect(8, 120, 182, 121.5f, white);

    // Frame of the tape window (x 36 to 153, y 126 to 160).
    c.stroke_rounded_rect(33.5f, 123.5f, 155.5f, 162.5f, 2.0f, 2.0f, frame_grey);

    const std::array<Point, 7> pointer{{
        {94.5f, 164.5f}, {99.5f, 173.5f}, {96.0f, 173.5f}, {96.0f, 185.0f},
        {93.0f, 185.0f}, {93.0f, 173.5f}, {89.5f, 173.5f},
    }};
    c.fill_polygon(pointer, white);
    draw_text(c, "IAS", {128.0f, 180.0f},
              {.face = Typeface::sans_bold, .size = 11.0f, .colour = word_white, .h = HAlign::centre});
    return c;
}

// A white arrow along +x from the pivot pixel (5, 6), with a short tail.
Canvas needle() {
    Canvas c(50, 9);
    c.declare_key(white);
    c.set_mask_backdrop(dial_black);
    const float axis = 6.5f;
    c.fill_rect(0.5f, axis - 1.0f, 39.0f, axis + 1.0f, white);
    const std::array<Point, 3> head{{{37.0f, axis - 2.5f}, {50.0f, axis}, {37.0f, axis + 2.5f}}};
    c.fill_polygon(head, white);
    c.fill_disc({5.5f, axis}, 2.5f, white);
    c.fill_disc({5.5f, axis}, 1.0f, {60, 60, 64});
    return c;
}

// 0 at x 58, a long mark every 50 units (52 pixels); below 0 the red and white stripes.
Canvas tape() {
    Canvas c(610, 34, tape_black);
    for (Rgb k : {tape_black, stripe_red, white}) c.declare_key(k);
    c.fill_rect(0, 0, 50, 34, white);
    for (float x0 = -34.0f; x0 < 50.0f; x0 += 12.0f) {
        const std::array<Point, 4> stripe{{{x0, 34}, {x0 + 6, 34}, {x0 + 40, 0}, {x0 + 34, 0}}};
        c.fill_shape({x0, 0, x0 + 40, 34},
                     [&stripe](float x, float y) { return std::max(distance_polygon(x, y, stripe), x - 50.0f); },
                     stripe_red);
    }

    static constexpr std::array labels{"0", "50", "100", "150", "200", "250", "300", "350", "400", "450", "500"};
    const TextStyle label{.face = Typeface::sans_bold, .size = 13.0f, .colour = white, .h = HAlign::centre};
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const float x = 58.0f + 52.0f * static_cast<float>(k);
        c.fill_rect(x - 1.0f, 20.0f, x + 1.0f, 34.0f, white);
        draw_text(c, labels[k], {x, 15.0f}, label);
        for (int minor = 1; minor < 5 && k + 1 < labels.size(); ++minor) {
            const float mx = x + 10.4f * static_cast<float>(minor);
            c.fill_rect(mx - 0.6f, 27.0f, mx + 0.6f, 34.0f, white);
        }
    }
    return c;
}

}  // namespace

std::vector<Picture> draw_combi() {
    std::vector<Picture> out;
    out.push_back({0x100, Canvas(190, 190)});
    out.push_back({0x1600, face()});
    out.push_back({0x1400, needle()});
    out.push_back({0x1700, tape()});
    out.push_back({0x1701, Canvas(117, 34, window)});
    return out;
}

}  // namespace artgen
