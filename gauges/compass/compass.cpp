// Standby compass: a card turned by the heading behind a fixed aircraft outline.
#include "vortane/gauge.h"

namespace vortane {
namespace {

constexpr uint32_t kHeading = 83;

// Module-global storage, zero at load.
int32_t first_draw_latch;
SoundBinding sound;

// The chain, in draw order.
extern StaticImageElement background;
extern SpriteElement card;

StaticImageElement background = {
    .element = element_at(ElementKind::static_image, 0x100, {0, 0}, {0, 0}, followed_by<card>),
};

// Turned about the gauge centre by the heading, counter-clockwise, so the
// heading's graduation comes to the top under the aircraft's nose.
SpriteElement card = {
    .element = element_at(ElementKind::sprite, 0x1100, {0, 0}, {90, 90}, nullptr),
    .x_source = token(0), .x_scale = 0,
    .y_source = token(0), .y_scale = 0,
    .rotation_source = token(kHeading), .rotation_scale = 1,
    .picture_scale_x = 1, .picture_scale_y = 1,
    .x_callback = lit_own_x,
    .y_callback = lit_own_y,
    .rotation_callback = lit_own_rotation,
};

Element* root = &background.element;

MouseArea mouse_areas[] = {kMouseListParent, kMouseListEnd};

const GaugeLifecycle life = {
    .sound = &sound,
    .first_draw_latch = &first_draw_latch,
    .header_variables = nullptr, .header_variable_count = 0,
    .named_variables = nullptr, .named_variable_count = 0,
    .first_draw_reset = nullptr,
    .update = nullptr,
};

}  // namespace

GaugeDescriptor module_gauge = gauge_descriptor("VORTANE", &root, mouse_areas, gauge_callback<life>);

}  // namespace vortane
