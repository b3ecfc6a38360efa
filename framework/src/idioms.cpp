#include <cstdio>

#include "vortane/gauge.h"
#include "vortane/numbers.h"

namespace vortane {

double own_value(const Element* element, Axis axis) {
  switch (element->kind) {
    case ElementKind::needle:
      return reinterpret_cast<const NeedleElement*>(element)->source.value.number;
    case ElementKind::icon:
      return reinterpret_cast<const IconElement*>(element)->source.value.number;
    case ElementKind::string:
      return reinterpret_cast<const StringElement*>(element)->source[0].value.number;
    case ElementKind::slider: {
      auto* slider = reinterpret_cast<const SliderElement*>(element);
      return axis == Axis::y ? slider->y_source.value.number : slider->x_source.value.number;
    }
    case ElementKind::moving_image: {
      auto* image = reinterpret_cast<const MovingImageElement*>(element);
      return axis == Axis::y ? image->y_source.value.number : image->x_source.value.number;
    }
    case ElementKind::sprite: {
      auto* sprite = reinterpret_cast<const SpriteElement*>(element);
      if (axis == Axis::rotation) return sprite->rotation_source.value.number;
      return axis == Axis::y ? sprite->y_source.value.number : sprite->x_source.value.number;
    }
    case ElementKind::static_image:
      break;
  }
  return 0;
}

double VORTANE_CALL lit_own_value(Element* element) {
  set_lit(element, true);
  return own_value(element);
}

double VORTANE_CALL lit_own_x(Element* element) {
  set_lit(element, true);
  return own_value(element, Axis::x);
}

double VORTANE_CALL lit_own_y(Element* element) {
  set_lit(element, true);
  return own_value(element, Axis::y);
}

double VORTANE_CALL lit_own_rotation(Element* element) {
  set_lit(element, true);
  return own_value(element, Axis::rotation);
}

void write_text(Element* element, const char* format, double value) {
  char* text = as_string(element)->text;
  if (text == nullptr) return;
  // Bounded: a text longer than the buffer is cut off, never written past it.
  std::snprintf(text, kTextCapacity, format, narrow_to_single(value));
}

void toggle_switch(int32_t& state, const SoundBinding& sound) {
  state = state == 0 ? 1 : 0;
  sound_play(sound, kSwitchSound);
}

void key_event_switch(uint32_t event, const SoundBinding& sound, const char* sound_path) {
  send_key_event(event);
  if (sound_path != nullptr) sound_play(sound, sound_path);
}

void press_upper_half(int32_t& state, const SoundBinding& sound) {
  if (state == Dark) {
    state = Avail;
  } else if (state == InUse) {
    state = Dark;
  }
  sound_play(sound, kClickSound);
}

void press_lower_half(int32_t& state, const SoundBinding& sound) {
  if (state == Avail) state = InUse;
  sound_play(sound, kClickSound);
}

}  // namespace vortane
