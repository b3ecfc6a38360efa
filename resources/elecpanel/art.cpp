// Electrical power panel: the grey panel with its painted (non-reacting)
// buttons and switch bases, the two power pushbutton lamps and the toggle
// levers. The label words are drawn by the host as text, so the panel leaves
// them out; only the painted buttons carry their own legends.
#include <algorithm>
#include <array>
#include <string>

#include "artgen/gauge_art.h"
#include "artgen/text.h"

namespace artgen {
namespace {

constexpr Rgb panel_grey{86, 90, 95};
constexpr Rgb lamp_black{12, 12, 13};
constexpr Rgb avail_green{0, 224, 72};
constexpr Rgb in_use_yellow{255, 212, 0};
constexpr Rgb legend_unlit{36, 36, 37};
constexpr Rgb avail_glow{0, 38, 14};
constexpr Rgb in_use_glow{44, 36, 0};
constexpr Rgb bezel_grey{62, 64, 68};
constexpr Rgb guard_yellow{228, 188, 24};
constexpr Rgb guard_black{24, 24, 24};
constexpr Rgb painted_amber{170, 120, 40};
constexpr Rgb painted_white{190, 190, 190};

// Largest size up to `size` at which the legend fits the width.
TextStyle legend_style(std::string_view text, float width, float size, Rgb colour) {
    TextStyle s{.face = Typeface::sans_narrow_bold, .size = size, .colour = colour, .h = HAlign::centre,
                .v = VAlign::middle};
    while (s.size > 5.0f && text_width(text, s) > width) s.size -= 0.5f;
    return s;
}

void fastener(Canvas& c, Point at) {
    c.fill_disc({at.x + 0.6f, at.y + 0.8f}, 4.2f, {50, 52, 55});
    c.fill_disc(at, 4.0f, radial_gradient({at.x - 1.2f, at.y - 1.2f}, 5.5f, {200, 202, 205}, {96, 98, 102}));
    c.line(rotate({at.x - 3.0f, at.y}, at, 45), rotate({at.x + 3.0f, at.y}, at, 45), 1.2f, {40, 40, 42});
    c.line(rotate({at.x - 3.0f, at.y}, at, -45), rotate({at.x + 3.0f, at.y}, at, -45), 1.2f, {40, 40, 42});
}

// The round base a toggle lever stands in: a knurled nut around a dark bush.
void switch_base(Canvas& c, Point at) {
    c.fill_disc({at.x + 0.8f, at.y + 1.0f}, 8.6f, {52, 54, 58});
    c.fill_disc(at, 8.2f, {36, 36, 38});
    c.fill_disc(at, 7.2f, radial_gradient({at.x - 2.5f, at.y - 2.5f}, 10.0f, {215, 215, 218}, {105, 105, 110}));
    for (int k = 0; k < 24; ++k) c.radial_tick(at, 15.0f * static_cast<float>(k), 5.6f, 7.2f, 0.8f, {120, 120, 125});
    c.fill_disc(at, 3.6f, {28, 28, 30});
}

// A square lamp button: metal bezel, black face, one or two legends.
void lamp_face(Canvas& c, float x0, float y0, float w, float h) {
    c.fill_rounded_rect(x0, y0, x0 + w, y0 + h, 2.0f, vertical_gradient(y0, {120, 122, 126}, y0 + h, {48, 50, 54}));
    c.fill_rounded_rect(x0 + 1.5f, y0 + 1.5f, x0 + w - 1.5f, y0 + h - 1.5f, 1.5f, bezel_grey);
    c.fill_rect(x0 + 3, y0 + 3, x0 + w - 3, y0 + h - 3, lamp_black);
}

void painted_button(Canvas& c, Point centre, std::string_view upper, Rgb upper_colour, std::string_view lower,
                    Rgb lower_colour, float w = 24, float h = 22) {
    const float x0 = centre.x - w / 2, y0 = centre.y - h / 2;
    c.fill_rect(x0 - 1, y0 - 1, x0 + w + 1.5f, y0 + h + 1.5f, {44, 46, 50});
    lamp_face(c, x0, y0, w, h);
    const float inner = w - 8;
    if (lower.empty()) {
        draw_text(c, upper, centre, legend_style(upper, inner, 7.5f, upper_colour));
        return;
    }
    if (!upper.empty()) draw_text(c, upper, {centre.x, centre.y - 4.0f}, legend_style(upper, inner, 7.0f, upper_colour));
    draw_text(c, lower, {centre.x, centre.y + 4.5f}, legend_style(lower, inner, 7.0f, lower_colour));
}

// The disconnect buttons sit under a guard painted in yellow and black stripes.
void guarded_button(Canvas& c, Point centre, std::string_view upper, std::string_view lower) {
    const float x0 = centre.x - 16, y0 = centre.y - 17, x1 = centre.x + 16, y1 = centre.y + 17;
    c.fill_rounded_rect(x0, y0, x1, y1, 3.0f, guard_black);
    for (float s = x0 - 40; s < x1; s += 8.0f) {
        const std::array<Point, 4> stripe{{{s, y1}, {s + 4, y1}, {s + 4 + 34, y0}, {s + 34, y0}}};
        c.fill_shape({x0, y0, x1, y1},
                     [&](float x, float y) {
                         return std::max(distance_polygon(x, y, stripe),
                                         distance_rounded_rect(x, y, x0 + 1, y0 + 1, x1 - 1, y1 - 1, 2.5f));
                     },
                     guard_yellow);
    }
    painted_button(c, centre, upper, painted_amber, lower, painted_white);
}

Canvas panel() {
    Canvas c(190, 200);
    for (Rgb k : {lamp_black, guard_yellow, painted_amber, painted_white}) c.declare_key(k);
    c.fill_rect(0, 0, 190, 200, vertical_gradient(0, {96, 100, 105}, 200, {78, 82, 87}));
    // Bevelled edge of the panel plate.
    c.fill_rect(0, 0, 190, 1, {140, 144, 150});
    c.fill_rect(0, 0, 1, 200, {130, 134, 140});
    c.fill_rect(0, 199, 190, 200, {40, 42, 46});
    c.fill_rect(189, 0, 190, 200, {46, 48, 52});

    for (Point p : {Point{6, 6}, Point{184, 6}, Point{6, 194}, Point{184, 194}}) fastener(c, p);

    // Toggle switch bases, under the five lever icons (each 10 x 29).
    for (Point p : {Point{33, 44.5f}, Point{75, 44.5f}, Point{33, 129.5f}, Point{95, 129.5f}, Point{151, 129.5f}})
        switch_base(c, p);

    // Housings of the two power pushbuttons; the lamps are drawn into them.
    c.fill_rounded_rect(101.5f, 11.5f, 133.5f, 43.5f, 2.0f, {40, 42, 46});
    c.fill_rounded_rect(140.5f, 10.5f, 172.5f, 42.5f, 2.0f, {40, 42, 46});

    guarded_button(c, {37, 80}, "FAULT", "DISC");
    painted_button(c, {100, 80}, "", painted_white, "ALTN", painted_white);
    guarded_button(c, {153, 80}, "FAULT", "DISC");

    painted_button(c, {62, 150}, "FAIL", painted_amber, "OFF", painted_white);
    painted_button(c, {132, 150}, "FAIL", painted_amber, "OFF", painted_white);

    for (float x : {48.0f, 98.0f, 145.0f}) painted_button(c, {x, 176}, "CLOSED", painted_white, "", painted_white, 28, 20);
    return c;
}

enum class Lit { none, avail, in_use };

Canvas power_lamp(Lit lit) {
    Canvas c(27, 27);
    for (Rgb k : {lamp_black, avail_green, in_use_yellow, avail_glow, in_use_glow}) c.declare_key(k);
    c.set_mask_backdrop({40, 42, 46});
    lamp_face(c, 0, 0, 27, 27);
    c.fill_rect(4, 13, 23, 14, {30, 30, 32});  // the split between the two legends
    if (lit == Lit::avail) c.fill_rect(4, 4, 23, 13, avail_glow);
    if (lit == Lit::in_use) c.fill_rect(4, 14, 23, 23, in_use_glow);
    draw_text(c, "AVAIL", {13.5f, 8.5f}, legend_style("AVAIL", 20, 9.0f, lit == Lit::avail ? avail_green : legend_unlit));
    draw_text(c, "IN USE", {13.5f, 18.5f},
              legend_style("IN USE", 20, 9.0f, lit == Lit::in_use ? in_use_yellow : legend_unlit));
    return c;
}

// A toggle lever seen from the front: the bush at the middle, the shaft
// running up (off) or down (on) to its round knob.
Canvas lever(bool down) {
    Canvas c(10, 29);
    c.set_mask_backdrop({150, 150, 155});
    const Point bush{5, 14.5f};
    const Point knob{5, down ? 24.0f : 5.0f};
    c.line(bush, knob, 3.2f, {60, 60, 64}, Canvas::Cap::round);
    c.line(bush, knob, 2.2f, {190, 190, 196}, Canvas::Cap::round);
    c.fill_disc({knob.x + 0.3f, knob.y + 0.5f}, 4.6f, {40, 40, 44});
    c.fill_disc(knob, 4.3f, radial_gradient({knob.x - 1.3f, knob.y - 1.5f}, 5.5f, {248, 248, 250}, {120, 120, 126}));
    c.fill_disc(bush, 1.8f, {70, 70, 74});
    return c;
}

}  // namespace

std::vector<Picture> draw_elecpanel() {
    std::vector<Picture> out;
    out.push_back({0x100, panel()});
    for (std::uint32_t base : {0x1900u, 0x2000u}) {
        out.push_back({base, power_lamp(Lit::none)});
        out.push_back({base + 1, power_lamp(Lit::avail)});
        out.push_back({base + 2, power_lamp(Lit::in_use)});
    }
    for (std::uint32_t base : {0x2100u, 0x2200u, 0x2300u, 0x2400u, 0x2500u}) {
        out.push_back({base, lever(false)});
        out.push_back({base + 1, lever(true)});
    }
    return out;
}

}  // namespace artgen
