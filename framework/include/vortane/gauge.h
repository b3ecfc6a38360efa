// What every gauge module is made of: its descriptor and element chain as
// static data, its gauge callback built from a lifecycle description, and the
// idioms its element callbacks and mouse handlers share.
//
// A gauge defines `vortane::module_gauge`, its descriptor; the framework's
// module boundary exports `Linkage` and `ImportTable` around it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vortane/abi.h"
#include "vortane/sound.h"

// The module's two exports, defined by the framework's module boundary.
extern "C" vortane::Linkage Linkage;
extern "C" vortane::ImportTable ImportTable;

namespace vortane {

// The one gauge of this module, defined by the gauge.
extern GaugeDescriptor module_gauge;

// ---------------------------------------------------------------------------
// Declaring the chain

// Every element's host condition list: the end entry alone.
inline constexpr HostCondition kNoConditions[] = {{{0, 0, 0}}};

// The child list of an element whose only child is `next`: `.children = followed_by<next>`.
template <auto& next>
inline Element* followed_by[2] = {&next.element, nullptr};

// The common part of an element as it stands at load.
constexpr Element element_at(ElementKind kind, uint32_t resource_id, PixelPoint position,
                             PixelPoint offset, Element** children) {
  return Element{
      .kind = kind,
      .resource_id = resource_id,
      .position = position,
      .previous_position = {0, 0},
      .offset = offset,
      .gauge = &module_gauge,
      .previous_element = nullptr,
      .children = children,
      .conditions = kNoConditions,
      .flags = kFlagsAtLoad,
      .host_words = {0, 0},
  };
}

// The number of entries of a table, for the count field declared beside it.
template <typename T, size_t N>
constexpr uint32_t count_of(const T (&)[N]) {
  return static_cast<uint32_t>(N);
}

constexpr ModuleVariable token(uint32_t number) { return ModuleVariable{.token = number}; }

struct BoxSize {
  int32_t width;
  int32_t height;
};

// Text colour first; the other two are carried for the host and never relied on.
struct StringColours {
  uint32_t text;
  uint32_t second;
  uint32_t third;
};

// A string element as every gauge declares it: weight 500, character set 1,
// options 0x4240, only the first source variable used.
constexpr StringElement string_at(PixelPoint position, BoxSize box, ModuleVariable source, StringColours colours,
                                  const char* font, ElementCallback callback, Element** children) {
  StringElement text{
      .element = element_at(ElementKind::string, kNoResource, position, {0, 0}, children),
      .source = {source, token(0), token(0)},
      .text = nullptr,
      .box_width = box.width,
      .box_height = box.height,
      .colours = {colours.text, colours.second, colours.third},
      .font_name = {},
      .font_weight = 500,
      .charset = 1,
      .reserved = 0,
      .options = 0x4240,
      .callback = callback,
  };
  for (size_t i = 0; font[i] != '\0' && i + 1 < sizeof text.font_name; ++i) text.font_name[i] = font[i];
  return text;
}

// A fixed-size text usable as a template argument: `readout<"%05.0f">`.
template <size_t N>
struct FormatText {
  char text[N];
  constexpr FormatText(const char (&s)[N]) {
    for (size_t i = 0; i < N; ++i) text[i] = s[i];
  }
};

// The descriptor of a gauge as it stands at load.
constexpr GaugeDescriptor gauge_descriptor(const char* name, Element** root, MouseArea* mouse_areas,
                                           GaugeCallback callback) {
  return GaugeDescriptor{
      .header_version = kGaugeHeaderVersion,
      .name = name,
      .element_root = root,
      .host_a = {},
      .default_size = kDefaultGaugeSize,
      .host_b = {},
      .mouse_areas = mouse_areas,
      .callback = callback,
      .host_rest = {},
  };
}

inline constexpr MouseArea kMouseListParent = {kMouseParent, {0, 0, 0, 0}, -1, 0, 0, 0, nullptr, 0};
inline constexpr MouseArea kMouseListEnd = {kMouseEnd, {0, 0, 0, 0}, -1, 0, 0, 0, nullptr, 0};

constexpr MouseArea click_area(PixelBox box, int32_t cursor, MouseHandler handler,
                               uint32_t event_flags = kMouseClick) {
  return MouseArea{kMouseChild, box, cursor, 0, event_flags, 0, handler, 0};
}

// ---------------------------------------------------------------------------
// The gauge callback

struct NamedVariable {
  const char* name;
  ModuleVariable* slot;
};

// What distinguishes one gauge's life from another's; everything else of the
// gauge callback is common.
struct GaugeLifecycle {
  SoundBinding* sound;
  int32_t* first_draw_latch;
  ModuleVariable* header_variables;  // refreshed in order on every update
  uint32_t header_variable_count;
  const NamedVariable* named_variables;  // bound in order at initialise
  uint32_t named_variable_count;
  void (*first_draw_reset)();  // the one-time reset at the first pre-draw; may be null
  void (*update)();            // the gauge's own update logic; may be null
};

void run_gauge_service(const GaugeLifecycle& life, int32_t service);

template <const GaugeLifecycle& life>
void VORTANE_CALL gauge_callback(GaugeDescriptor*, int32_t service, uint32_t) {
  run_gauge_service(life, service);
}

// ---------------------------------------------------------------------------
// Host services, read afresh from ImportTable at every call

void send_key_event(uint32_t event);  // with the value 0
int32_t named_read(const ModuleVariable& slot);
void named_write(ModuleVariable& slot, int32_t value);

// ---------------------------------------------------------------------------
// Element callback idioms

inline void set_lit(Element* element, bool lit) {
  element->flags = lit ? (element->flags | kFlagLit) : (element->flags & ~uint32_t{kFlagLit});
}
// Shown when `shown`; otherwise hidden. Independent of the lit flag.
inline void show_when(Element* element, bool shown) {
  element->flags = shown ? (element->flags & ~uint32_t{kFlagHidden}) : (element->flags | kFlagHidden);
}
// Lit with the panel: only a panel-power value of exactly 1.0 lights it.
inline void light_with_panel(Element* element, double panel_power) { set_lit(element, panel_power == 1.0); }

enum class Axis { x, y, rotation };

// The element's own source variable for an axis (needle, icon: any axis; a
// slot without a token reads 0).
double own_value(const Element* element, Axis axis = Axis::x);

// Always lit, returning the own value: the callbacks of display-type gauges.
double VORTANE_CALL lit_own_value(Element* element);
double VORTANE_CALL lit_own_x(Element* element);
double VORTANE_CALL lit_own_y(Element* element);
double VORTANE_CALL lit_own_rotation(Element* element);

inline StringElement* as_string(Element* element) { return reinterpret_cast<StringElement*>(element); }

// Writes `format` applied to `value` narrowed to single precision into the
// element's text buffer, cut at its capacity.
void write_text(Element* element, const char* format, double value);

// Readout, always lit: the element's first source variable in `format`.
template <FormatText format>
double VORTANE_CALL lit_readout(Element* element) {
  set_lit(element, true);
  write_text(element, format.text, as_string(element)->source[0].value.number);
  return 0;
}

// Label: the words followed by a wide number conversion ("AC%200.0f"), so
// that only the words fall inside the box.
inline double write_label(Element* element, const char* format) {
  write_text(element, format, as_string(element)->source[0].value.number);
  return 0;
}

// ---------------------------------------------------------------------------
// Mouse handler idioms

// Panel-local toggle switch: 0 becomes 1, anything else 0; then the switch sound.
void toggle_switch(int32_t& state, const SoundBinding& sound);
// Key-event switch: the event with value 0, then the sound if one is named.
void key_event_switch(uint32_t event, const SoundBinding& sound, const char* sound_path);

// Three-state pushbutton: 0 dark, 1 avail, 2 in use.
enum PowerButtonState : int32_t { Dark = 0, Avail = 1, InUse = 2 };
// Upper half: dark to avail, in use to dark, avail stays; then the click.
void press_upper_half(int32_t& state, const SoundBinding& sound);
// Lower half: avail to in use, the others stay; then the click.
void press_lower_half(int32_t& state, const SoundBinding& sound);

}  // namespace vortane
