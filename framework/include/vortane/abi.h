// The module boundary: every record that crosses between a gauge module and the
// panel host, in the field order both sides rely on.
//
// A gauge module exports exactly two data records, `Linkage` and `ImportTable`.
// The host reads `Linkage`, writes its `HostServices` table into `ImportTable`,
// then drives the one gauge of the module through the `GaugeDescriptor`: its
// element chain (what is drawn), its mouse-area list (what is clicked) and its
// gauge callback (the points of its life).
//
// Ownership, in one line each:
//   - every record here is module-global storage that lives as long as the
//     loaded module; the host never frees any of it;
//   - fields marked "host" belong to the host: the module leaves them zero;
//   - the text buffer of a string element and the storage behind a named
//     variable's binding are the host's; the module writes into them only.
#pragma once

#include <cstddef>
#include <cstdint>

// Every function that crosses the boundary uses the platform's calling
// convention for such calls: stdcall on 32-bit Windows (callee cleans the
// stack), the default everywhere else.
#if defined(_WIN32) && !defined(_WIN64)
#define VORTANE_CALL __stdcall
#else
#define VORTANE_CALL
#endif

namespace vortane {

struct GaugeDescriptor;
struct Element;

// ---------------------------------------------------------------------------
// Constants of the boundary

inline constexpr uint32_t kModuleId = 0x13;
inline constexpr uint32_t kModuleVersion = 0x800;
inline constexpr uint32_t kGaugeHeaderVersion = 800;
inline constexpr uint32_t kImportServicesId = 0x0F;
inline constexpr uint32_t kDefaultGaugeSize = 100;

// Capacity of every string element's text buffer, terminating null included.
// The longest text any gauge writes is 507 characters.
inline constexpr size_t kTextCapacity = 512;

enum GaugeService : int32_t {
  kServiceInitialise = 4,  // once when the gauge is set up, before its first update
  kServiceUpdate = 6,      // once per cycle, before the element callbacks
  kServicePreDraw = 10,    // once per cycle, before the gauge is drawn
  kServiceKill = 12,       // once when the gauge is taken down
};

// ---------------------------------------------------------------------------
// Module record

using ModuleHookFn = void(VORTANE_CALL*)();

// Exported as `Linkage`. Read by the host once, after loading; never written.
struct Linkage {
  uint32_t module_id;            // kModuleId
  ModuleHookFn module_init;      // host may call it any time; does nothing
  ModuleHookFn module_deinit;    // host may call it any time; does nothing
  uint32_t flags;                // 0
  uint32_t priority;             // 0
  uint32_t module_version;       // kModuleVersion
  GaugeDescriptor* gauges[2];    // exactly one gauge, then null
};

struct ImportEntry {
  uint32_t id;
  void* reference;
};

// Exported as `ImportTable`. Entry `services` is null as built; the host writes
// its HostServices table there before the first gauge callback. Modules read
// the reference afresh at every use and never write it.
struct ImportTable {
  ImportEntry services;  // id kImportServicesId, reference HostServices*
  ImportEntry end;       // id 0, reference null
};

// ---------------------------------------------------------------------------
// Variables

// One host variable slot. The host fills `value` on lookup_var (header
// variables) or before an element's callbacks (element source variables);
// a token of 0 names no variable and keeps the value 0.
union ModuleVariableValue {
  double number;     // every token but the packed integer ones
  int32_t integer;   // integer-typed tokens: the low four bytes
};

struct ModuleVariable {
  uint32_t token;
  void* binding;             // host: named variable storage (at least 32 bits)
  uint32_t variable_type;    // host
  ModuleVariableValue value;
  double second_value;       // host; never read by modules
};

// ---------------------------------------------------------------------------
// Host services

using LookupVarFn = void(VORTANE_CALL*)(ModuleVariable* slot);
using InitializeVarByNameFn = void(VORTANE_CALL*)(ModuleVariable* slot, const char* name);
using TriggerKeyEventFn = int32_t(VORTANE_CALL*)(uint32_t event, int32_t value);

// The host's services table: pointer-sized entries, of which modules use three.
// Their indices give the byte offsets 0x90, 0x9c and 0xa0 on 32-bit platforms.
struct HostServices {
  void* reserved_0[36];
  TriggerKeyEventFn trigger_key_event;           // [36] key event to the simulator; mouse handlers only
  void* reserved_37[2];
  InitializeVarByNameFn initialize_var_by_name;  // [39] binds slot->binding to the named storage; initialise only
  LookupVarFn lookup_var;                        // [40] refreshes slot->value; update only
  void* reserved_41[23];
};

inline constexpr size_t kHostServicesEntries = sizeof(HostServices) / sizeof(void*);

// ---------------------------------------------------------------------------
// Elements

enum class ElementKind : uint32_t {
  static_image = 0,
  needle = 1,
  string = 2,
  slider = 3,
  icon = 4,
  moving_image = 5,
  sprite = 6,
};
inline constexpr uint32_t kElementKindCount = 7;

enum ElementFlags : uint32_t {
  kFlagsAtLoad = 0x83,        // drawing options set in every element; never changed
  kFlagLit = 0x4,             // drawn self-illuminated
  kFlagHidden = 0x40000000,   // this element is skipped; the rest of the chain is drawn
};

inline constexpr uint32_t kNoResource = 0xFFFFFFFF;  // a string has no bitmap

struct PixelPoint {
  int32_t x;
  int32_t y;
};

// One host drawing condition; every list holds just the all-zero end entry.
struct HostCondition {
  uint32_t words[3];
};

// The host calls it whenever it needs the element's value. It may set or clear
// kFlagLit and kFlagHidden and, for a string, must write the text; it changes
// nothing else of the element.
using ElementCallback = double(VORTANE_CALL*)(Element* element);

// Common part of every element; the kind-specific records below start with it.
struct Element {
  ElementKind kind;
  uint32_t resource_id;
  PixelPoint position;
  PixelPoint previous_position;    // host
  PixelPoint offset;
  GaugeDescriptor* gauge;
  Element* previous_element;       // host
  Element** children;              // null-terminated list, or null for the top element
  const HostCondition* conditions; // ends with an all-zero entry
  uint32_t flags;                  // ElementFlags
  uint32_t host_words[2];          // host
};

struct StaticImageElement {
  Element element;
};

// A needle calibration point: at `value` the needle points from its pivot
// towards (x, y). Points are listed in increasing value.
struct NonlinearityPoint {
  int32_t x;
  int32_t y;
  double value;
  double host_value;  // host
};

struct NeedleElement {
  Element element;
  ModuleVariable source;
  NonlinearityPoint* table;
  uint32_t point_count;
  ElementCallback callback;
};

struct StringElement {
  Element element;
  ModuleVariable source[3];  // only the first is used
  char* text;                // host: kTextCapacity bytes
  int32_t box_width;
  int32_t box_height;
  uint32_t colours[3];       // 0x00BBGGRR; the first is the text colour
  char font_name[32];
  uint32_t font_weight;
  uint32_t charset;
  uint32_t reserved;         // 0
  uint32_t options;          // 0x4240
  ElementCallback callback;
};

struct SliderElement {
  Element element;
  ModuleVariable x_source;
  double x_scale;
  ModuleVariable y_source;
  double y_scale;
  ElementCallback x_callback;
  ElementCallback y_callback;
};

struct IconElement {
  Element element;
  ModuleVariable source;
  uint32_t switch_type;  // 3
  uint32_t image_count;  // images at resource_id, resource_id + 1, ...
  ElementCallback callback;
};

// The picture (resource_id) slides behind a window bitmap (resource_id + 1).
struct MovingImageElement {
  Element element;
  ModuleVariable x_source;
  double x_min;
  double x_max;
  ModuleVariable y_source;
  double y_min;
  double y_max;
  ElementCallback x_callback;
  ElementCallback y_callback;
};

// The picture (resource_id), centred on `offset`, is shifted along its own
// axes and turned about `offset`, seen through a window bitmap (resource_id + 1).
struct SpriteElement {
  Element element;
  ModuleVariable x_source;
  double x_scale;
  ModuleVariable y_source;
  double y_scale;
  ModuleVariable rotation_source;
  double rotation_scale;  // degrees per unit, positive counter-clockwise
  float picture_scale_x;
  float picture_scale_y;
  ElementCallback x_callback;
  ElementCallback y_callback;
  ElementCallback rotation_callback;
};

// ---------------------------------------------------------------------------
// Mouse areas

enum MouseAreaKind : uint32_t {
  kMouseParent = 1,
  kMouseChild = 2,
  kMouseEnd = 3,
};

inline constexpr uint32_t kMouseClick = 0x20000000;

struct PixelBox {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// Called by the host when an event named in the area's flags happens inside its box.
using MouseHandler = int32_t(VORTANE_CALL*)(PixelPoint* point, uint32_t event_flags);

// A list is one parent, any number of children, one end record.
struct MouseArea {
  uint32_t kind;        // MouseAreaKind
  PixelBox box;         // the parent's box is all zero
  int32_t cursor;       // -1 on parent and end
  uint32_t help_id;     // 0
  uint32_t event_flags; // 0 on parent and end
  uint32_t event_id;    // 0
  MouseHandler handler; // children only
  uint32_t extra;       // 0
};

// ---------------------------------------------------------------------------
// Gauge descriptor

using GaugeCallback = void(VORTANE_CALL*)(GaugeDescriptor* gauge, int32_t service, uint32_t extra);

struct GaugeDescriptor {
  uint32_t header_version;    // kGaugeHeaderVersion
  const char* name;
  Element** element_root;     // refers to one element reference: the background
  uint32_t host_a[8];         // host
  uint32_t default_size;      // kDefaultGaugeSize
  uint32_t host_b[8];         // host
  MouseArea* mouse_areas;     // always present
  GaugeCallback callback;     // always present
  uint32_t host_rest[16];     // host
};

}  // namespace vortane
