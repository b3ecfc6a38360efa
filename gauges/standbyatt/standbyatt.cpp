// Standby attitude indicator: attitude ball, bank pointer and inclinometer.
#include "vortane/gauge.h"

namespace vortane {
namespace {

constexpr uint32_t kPitch = 78;
constexpr uint32_t kBank = 80;
constexpr uint32_t kSlip = 69;

// Module-global storage, zero at load.
int32_t first_draw_latch;
ModuleVariable header_variables[] = {token(kBank)};
SoundBinding sound;

double bank() { return header_variables[0].value.number; }

// Straight up at 60; held at the ends of the scale beyond 60 degrees of bank.
double VORTANE_CALL bank_pointer(Element* element) {
  set_lit(element, true);
  double value = 60 + bank();
  if (value > 120) value = 120;
  if (value < 0) value = 0;
  return value;
}

NonlinearityPoint bank_scale[] = {
    {.x = 52, .y = 67, .value = 0},
    {.x = 87, .y = 47, .value = 60},
    {.x = 122, .y = 67, .value = 120},
};

// The chain, in draw order.
extern StaticImageElement background;
extern SpriteElement ball;
extern NeedleElement pointer;
extern IconElement tube;
extern SliderElement slip_ball;

StaticImageElement background = {
    .element = element_at(ElementKind::static_image, 0x100, {0, 0}, {0, 0}, followed_by<ball>),
};

// Pitches along its own vertical, 1.26 pixels a unit (one ladder step of 5
// units is 6.3 pixels), and turns clockwise with the bank.
SpriteElement ball = {
    .element = element_at(ElementKind::sprite, 0x1600, {0, 0}, {85, 85}, followed_by<pointer>),
    .x_source = token(0), .x_scale = 0,
    .y_source = token(kPitch), .y_scale = 1.26,
    .rotation_source = token(kBank), .rotation_scale = -1,
    .picture_scale_x = 1, .picture_scale_y = 1,
    .x_callback = lit_own_x,
    .y_callback = lit_own_y,
    .rotation_callback = lit_own_rotation,
};

NeedleElement pointer = {
    .element = element_at(ElementKind::needle, 0x1400, {85, 85}, {4, 5}, followed_by<tube>),
    .source = token(0),
    .table = bank_scale, .point_count = count_of(bank_scale),
    .callback = bank_pointer,
};

IconElement tube = {
    .element = element_at(ElementKind::icon, 0x1200, {49, 130}, {0, 0}, followed_by<slip_ball>),
    .source = token(0),
    .switch_type = 3, .image_count = 2,
    .callback = lit_own_value,
};

// 26.5 pixels for 127 units of slip.
SliderElement slip_ball = {
    .element = element_at(ElementKind::slider, 0x1500, {80, 132}, {0, 0}, nullptr),
    .x_source = token(kSlip), .x_scale = 0.208661417322835,
    .y_source = token(0), .y_scale = 0,
    .x_callback = lit_own_x,
    .y_callback = lit_own_y,
};

Element* root = &background.element;

MouseArea mouse_areas[] = {kMouseListParent, kMouseListEnd};

const GaugeLifecycle life = {
    .sound = &sound,
    .first_draw_latch = &first_draw_latch,
    .header_variables = header_variables, .header_variable_count = count_of(header_variables),
    .named_variables = nullptr, .named_variable_count = 0,
    .first_draw_reset = nullptr,
    .update = nullptr,
};

}  // namespace

GaugeDescriptor module_gauge = gauge_descriptor("VORTANE", &root, mouse_areas, gauge_callback<life>);

}  // namespace vortane
