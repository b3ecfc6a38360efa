// Combined standby instrument: altimeter needle and counter, the barometric
// setting in mb and in Hg, and the airspeed tape; two knob areas that send
// their key events and keep nothing.
#include <cmath>

#include "vortane/gauge.h"

namespace vortane {
namespace {

constexpr uint32_t kAirspeed = 61;
constexpr uint32_t kAltitude = 74;
constexpr uint32_t kSettingMillibars = 75;
constexpr uint32_t kSettingInchesHg = 76;

constexpr uint32_t kKnobLeft = 65884;
constexpr uint32_t kKnobRight = 65883;

// Module-global storage, zero at load. The header slot is refreshed but never
// read: every callback reads its element's own source.
int32_t first_draw_latch;
ModuleVariable header_variables[] = {token(kAltitude)};
SoundBinding sound;

// One turn per 1000 units; a negative altitude stays negative, off the dial.
double VORTANE_CALL altimeter_needle(Element* element) {
  set_lit(element, true);
  return std::fmod(own_value(element), 1000.0);
}

// 0 straight up from the pivot (97, 60), clockwise, numeral k at 100 k.
NonlinearityPoint altimeter_scale[] = {
    {.x = 97, .y = 8, .value = 0},
    {.x = 129, .y = 106, .value = 400},
    {.x = 66, .y = 106, .value = 600},
    {.x = 46, .y = 42, .value = 800},
    {.x = 96, .y = 5, .value = 999},
};

// The chain, in draw order.
extern StaticImageElement background;
extern IconElement face;
extern MovingImageElement airspeed_tape;
extern NeedleElement needle;
extern StringElement altitude_counter, millibars_readout, inches_readout;

StaticImageElement background = {
    .element = element_at(ElementKind::static_image, 0x100, {0, 0}, {0, 0}, followed_by<face>),
};

// No source: always image 0.
IconElement face = {
    .element = element_at(ElementKind::icon, 0x1600, {0, 0}, {0, 0}, followed_by<airspeed_tape>),
    .source = token(0),
    .switch_type = 3, .image_count = 2,
    .callback = lit_own_value,
};

// 0 puts the tape's 0 mark mid-window over the pointer; 470 shows its right end.
MovingImageElement airspeed_tape = {
    .element = element_at(ElementKind::moving_image, 0x1700, {36, 126}, {0, 0}, followed_by<needle>),
    .x_source = token(kAirspeed), .x_min = 0, .x_max = 470,
    .y_source = token(0), .y_min = 0, .y_max = 0,
    .x_callback = lit_own_x,
    .y_callback = lit_own_y,
};

NeedleElement needle = {
    .element = element_at(ElementKind::needle, 0x1400, {97, 60}, {5, 6}, followed_by<altitude_counter>),
    .source = token(kAltitude),
    .table = altimeter_scale, .point_count = count_of(altimeter_scale),
    .callback = altimeter_needle,
};

StringElement altitude_counter = string_at({72, 32}, {120, 26}, token(kAltitude), {0xffffff, 0x00ffff, 0x000000},
                                           "Arial", lit_readout<"%05.0f">, followed_by<millibars_readout>);
StringElement millibars_readout = string_at({6, 101}, {186, 22}, token(kSettingMillibars), {0xffffff, 0x00ffff, 0x000000},
                                            "Arial", lit_readout<"%04.0f">, followed_by<inches_readout>);
StringElement inches_readout = string_at({143, 101}, {49, 22}, token(kSettingInchesHg), {0xffffff, 0x80ffff, 0x000000},
                                         "Arial", lit_readout<"%.2f">, nullptr);

Element* root = &background.element;

// The two halves of the knob, seen through the opening at the lower left.
int32_t VORTANE_CALL knob_left(PixelPoint*, uint32_t) { send_key_event(kKnobLeft); return 0; }
int32_t VORTANE_CALL knob_right(PixelPoint*, uint32_t) { send_key_event(kKnobRight); return 0; }

MouseArea mouse_areas[] = {
    kMouseListParent,
    click_area({0, 165, 14, 23}, 2, knob_left),
    click_area({16, 164, 17, 23}, 1, knob_right),
    kMouseListEnd,
};

const GaugeLifecycle life = {
    .sound = &sound,
    .first_draw_latch = &first_draw_latch,
    .header_variables = header_variables, .header_variable_count = count_of(header_variables),
    .named_variables = nullptr, .named_variable_count = 0,
    .first_draw_reset = nullptr,
    .update = nullptr,
};

}  // namespace

GaugeDescriptor module_gauge = gauge_descriptor("vortane", &root, mouse_areas, gauge_callback<life>);

}  // namespace vortane
