// Byte layout of the boundary records on every target we build, pinned so a
// change of a field's type or order cannot slip through: 64-bit (Linux and
// Windows agree here) and 32-bit Windows (Microsoft layout: a double inside a
// record is 8-aligned). Each row: record, field, 64-bit offset, 32-bit offset.
#pragma once

#include <cstddef>

#include "vortane/abi.h"

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
#define VORTANE_LAYOUT(wide, narrow) (wide)
#elif defined(_WIN32)
#define VORTANE_LAYOUT(wide, narrow) (narrow)
#endif

#ifdef VORTANE_LAYOUT
#define VORTANE_PIN_SIZE(record, wide, narrow) \
  static_assert(sizeof(vortane::record) == VORTANE_LAYOUT(wide, narrow), "size of " #record)
#define VORTANE_PIN(record, field, wide, narrow) \
  static_assert(offsetof(vortane::record, field) == VORTANE_LAYOUT(wide, narrow), #record "." #field)

VORTANE_PIN_SIZE(Linkage,                                 56,  32);
VORTANE_PIN(Linkage, module_version,                      32,  20);
VORTANE_PIN(Linkage, gauges,                              40,  24);
VORTANE_PIN_SIZE(ImportTable,                             32,  16);
VORTANE_PIN(ImportTable, end,                             16,   8);

VORTANE_PIN_SIZE(ModuleVariable,                          40,  32);
VORTANE_PIN(ModuleVariable, binding,                       8,   4);
VORTANE_PIN(ModuleVariable, variable_type,                16,   8);
VORTANE_PIN(ModuleVariable, value,                        24,  16);
VORTANE_PIN(ModuleVariable, second_value,                 32,  24);

VORTANE_PIN_SIZE(HostServices,                           512, 256);
VORTANE_PIN(HostServices, trigger_key_event,             288, 0x90);
VORTANE_PIN(HostServices, initialize_var_by_name,        312, 0x9c);
VORTANE_PIN(HostServices, lookup_var,                    320, 0xa0);

VORTANE_PIN_SIZE(Element,                                 80,  60);
VORTANE_PIN(Element, gauge,                               32,  32);
VORTANE_PIN(Element, children,                            48,  40);
VORTANE_PIN(Element, conditions,                          56,  44);
VORTANE_PIN(Element, flags,                               64,  48);

VORTANE_PIN_SIZE(NonlinearityPoint,                       24,  24);
VORTANE_PIN(NonlinearityPoint, value,                      8,   8);

VORTANE_PIN_SIZE(NeedleElement,                          144, 112);
VORTANE_PIN(NeedleElement, source,                        80,  64);
VORTANE_PIN(NeedleElement, table,                        120,  96);
VORTANE_PIN(NeedleElement, point_count,                  128, 100);
VORTANE_PIN(NeedleElement, callback,                     136, 104);

VORTANE_PIN_SIZE(StringElement,                          288, 240);
VORTANE_PIN(StringElement, source,                        80,  64);
VORTANE_PIN(StringElement, text,                         200, 160);
VORTANE_PIN(StringElement, box_width,                    208, 164);
VORTANE_PIN(StringElement, colours,                      216, 172);
VORTANE_PIN(StringElement, font_name,                    228, 184);
VORTANE_PIN(StringElement, font_weight,                  260, 216);
VORTANE_PIN(StringElement, options,                      272, 228);
VORTANE_PIN(StringElement, callback,                     280, 232);

VORTANE_PIN_SIZE(SliderElement,                          192, 152);
VORTANE_PIN(SliderElement, x_scale,                      120,  96);
VORTANE_PIN(SliderElement, y_source,                     128, 104);
VORTANE_PIN(SliderElement, y_scale,                      168, 136);
VORTANE_PIN(SliderElement, x_callback,                   176, 144);

VORTANE_PIN_SIZE(IconElement,                            136, 112);
VORTANE_PIN(IconElement, switch_type,                    120,  96);
VORTANE_PIN(IconElement, image_count,                    124, 100);
VORTANE_PIN(IconElement, callback,                       128, 104);

VORTANE_PIN_SIZE(MovingImageElement,                     208, 168);
VORTANE_PIN(MovingImageElement, x_min,                   120,  96);
VORTANE_PIN(MovingImageElement, y_source,                136, 112);
VORTANE_PIN(MovingImageElement, y_min,                   176, 144);
VORTANE_PIN(MovingImageElement, x_callback,              192, 160);

VORTANE_PIN_SIZE(SpriteElement,                          256, 208);
VORTANE_PIN(SpriteElement, x_scale,                      120,  96);
VORTANE_PIN(SpriteElement, rotation_source,              176, 144);
VORTANE_PIN(SpriteElement, rotation_scale,               216, 176);
VORTANE_PIN(SpriteElement, picture_scale_x,              224, 184);
VORTANE_PIN(SpriteElement, x_callback,                   232, 192);
VORTANE_PIN(SpriteElement, rotation_callback,            248, 200);

VORTANE_PIN_SIZE(MouseArea,                               56,  44);
VORTANE_PIN(MouseArea, box,                                4,   4);
VORTANE_PIN(MouseArea, cursor,                            20,  20);
VORTANE_PIN(MouseArea, event_flags,                       28,  28);
VORTANE_PIN(MouseArea, handler,                           40,  36);
VORTANE_PIN(MouseArea, extra,                             48,  40);

VORTANE_PIN_SIZE(GaugeDescriptor,                        176, 152);
VORTANE_PIN(GaugeDescriptor, name,                         8,   4);
VORTANE_PIN(GaugeDescriptor, element_root,                16,   8);
VORTANE_PIN(GaugeDescriptor, default_size,                56,  44);
VORTANE_PIN(GaugeDescriptor, mouse_areas,                 96,  80);
VORTANE_PIN(GaugeDescriptor, callback,                   104,  84);

#undef VORTANE_PIN
#undef VORTANE_PIN_SIZE
#undef VORTANE_LAYOUT
#endif
