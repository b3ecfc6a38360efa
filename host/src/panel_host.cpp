#include "vortane/host/panel_host.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "vortane/host_hooks.h"

namespace vortane::host {
namespace {

PanelHost* g_host = nullptr;

void VORTANE_CALL services_lookup_var(ModuleVariable* slot) { g_host->lookup_var(slot); }
void VORTANE_CALL services_initialize_var_by_name(ModuleVariable* slot, const char* name) {
  g_host->initialize_var_by_name(slot, name);
}
int32_t VORTANE_CALL services_trigger_key_event(uint32_t event, int32_t value) {
  return g_host->trigger_key_event(event, value);
}

// One table for every module: the entries only forward to the live host.
HostServices g_services = [] {
  HostServices table{};
  table.trigger_key_event = services_trigger_key_event;
  table.initialize_var_by_name = services_initialize_var_by_name;
  table.lookup_var = services_lookup_var;
  return table;
}();

int32_t hook_library_available(const char* name) {
  return g_host == nullptr || g_host->library_available(name) ? 1 : 0;
}

void hook_library_call(const char* call, const char* name, int32_t ok) {
  if (g_host == nullptr || call == nullptr) return;
  Event event;
  if (std::strcmp(call, "library_load") == 0)
    event.type = EventType::library_load;
  else if (std::strcmp(call, "library_find") == 0)
    event.type = EventType::library_find;
  else if (std::strcmp(call, "library_free") == 0)
    event.type = EventType::library_free;
  else
    return;
  event.text = name != nullptr ? name : "";
  event.ok = ok != 0;
  g_host->record(std::move(event));
}

void hook_play_sound(const char* name, uint32_t flags) {
  if (g_host == nullptr) return;
  Event event;
  event.type = EventType::playsound;
  event.text = name != nullptr ? name : "";
  event.flags = flags;
  g_host->record(std::move(event));
}

void hook_sound_library_call(const char* call, const char* path, const char* arg2, int32_t arg3) {
  if (g_host == nullptr || call == nullptr) return;
  Event event;
  if (std::strcmp(call, "gaugesound_play") == 0) {
    event.type = EventType::gaugesound_play;
    event.text = path != nullptr ? path : "";
    event.arg2 = arg2 != nullptr ? arg2 : "";
    event.number = arg3;
  } else if (std::strcmp(call, "gaugesound_stop") == 0) {
    event.type = EventType::gaugesound_stop;
  } else if (std::strcmp(call, "gaugesound_terminate") == 0) {
    event.type = EventType::gaugesound_terminate;
  } else {
    return;
  }
  g_host->record(std::move(event));
}

}  // namespace
}  // namespace vortane::host

// Found by the modules' platform layer and by the stand-in sound library with
// dlsym(RTLD_DEFAULT, ...): the executable must export its symbols.
#if defined(_WIN32)
#define VORTANE_HOST_EXPORT __declspec(dllexport)
#else
#define VORTANE_HOST_EXPORT __attribute__((visibility("default"), used))
#endif
extern "C" {
VORTANE_HOST_EXPORT VortaneHostHooks vortane_host_hooks = {
    sizeof(VortaneHostHooks),
    vortane::host::hook_library_available,
    vortane::host::hook_library_call,
    vortane::host::hook_play_sound,
    vortane::host::hook_sound_library_call,
};
}

namespace vortane::host {

const char* event_type_name(EventType type) {
  switch (type) {
    case EventType::key: return "key";
    case EventType::gaugesound_play: return "gaugesound_play";
    case EventType::gaugesound_stop: return "gaugesound_stop";
    case EventType::gaugesound_terminate: return "gaugesound_terminate";
    case EventType::playsound: return "playsound";
    case EventType::library_load: return "library_load";
    case EventType::library_find: return "library_find";
    case EventType::library_free: return "library_free";
  }
  return "unknown";
}

// Marks which gauge the host is calling into, for the event log; calls nest
// only when a module's platform layer reports back during the call.
class PanelHost::Calling {
 public:
  Calling(PanelHost& host, LoadedGauge& gauge) : host_(host), outer_(host.current_) { host.current_ = &gauge; }
  ~Calling() { host_.current_ = outer_; }
  Calling(const Calling&) = delete;
  Calling& operator=(const Calling&) = delete;

 private:
  PanelHost& host_;
  LoadedGauge* outer_;
};

PanelHost::PanelHost() {
  if (g_host != nullptr) throw std::logic_error("only one PanelHost may exist at a time");
  g_host = this;
}

PanelHost::~PanelHost() {
  gauges_.clear();  // unloads the modules while the hooks still reach this host
  g_host = nullptr;
}

LoadedGauge& PanelHost::load(const std::filesystem::path& file) {
  const std::string name = file.stem().string();
  // A second load of one file would share the first one's storage.
  if (find(name) != nullptr) throw LoadError("module " + name + ": is already loaded");
  auto module = GaugeModule::load(file);
  module->imports().services.reference = &g_services;
  return gauges_.emplace_back(LoadedGauge{std::move(module), false, {}});
}

LoadedGauge* PanelHost::find(std::string_view name) {
  for (LoadedGauge& gauge : gauges_)
    if (gauge.module->name() == name) return &gauge;
  return nullptr;
}

void PanelHost::service(LoadedGauge& gauge, int32_t id) {
  GaugeDescriptor& descriptor = gauge.module->descriptor();
  {
    Calling calling(*this, gauge);
    descriptor.callback(&descriptor, id, 0);
  }
  if (id == kServiceInitialise) gauge.live = true;
  if (id == kServiceKill) gauge.live = false;
}

void PanelHost::cycle() {
  for (LoadedGauge& gauge : gauges_) {
    if (!gauge.live) continue;
    GaugeDescriptor& descriptor = gauge.module->descriptor();
    Calling calling(*this, gauge);
    descriptor.callback(&descriptor, kServiceUpdate, 0);
    update_elements(gauge);
    descriptor.callback(&descriptor, kServicePreDraw, 0);
    if (draw) draw(gauge);
  }
}

void PanelHost::update_elements(LoadedGauge& gauge) {
  for (ElementState& state : gauge.module->elements()) {
    Element* e = state.element;
    auto& v = state.values;
    switch (e->kind) {
      case ElementKind::static_image:
        continue;
      case ElementKind::needle: {
        auto* needle = reinterpret_cast<NeedleElement*>(e);
        variables_.refresh(needle->source);
        v[0] = needle->callback(e);
        break;
      }
      case ElementKind::string: {
        auto* string = reinterpret_cast<StringElement*>(e);
        for (ModuleVariable& source : string->source) variables_.refresh(source);
        v[0] = string->callback(e);
        break;
      }
      case ElementKind::slider: {
        auto* slider = reinterpret_cast<SliderElement*>(e);
        variables_.refresh(slider->x_source);
        variables_.refresh(slider->y_source);
        v[0] = slider->x_callback(e);
        v[1] = slider->y_callback(e);
        break;
      }
      case ElementKind::icon: {
        auto* icon = reinterpret_cast<IconElement*>(e);
        variables_.refresh(icon->source);
        v[0] = icon->callback(e);
        break;
      }
      case ElementKind::moving_image: {
        auto* moving = reinterpret_cast<MovingImageElement*>(e);
        variables_.refresh(moving->x_source);
        variables_.refresh(moving->y_source);
        v[0] = moving->x_callback(e);
        v[1] = moving->y_callback(e);
        break;
      }
      case ElementKind::sprite: {
        auto* sprite = reinterpret_cast<SpriteElement*>(e);
        variables_.refresh(sprite->x_source);
        variables_.refresh(sprite->y_source);
        variables_.refresh(sprite->rotation_source);
        v[0] = sprite->x_callback(e);
        v[1] = sprite->y_callback(e);
        v[2] = sprite->rotation_callback(e);
        break;
      }
    }
    state.called = true;
  }
}

void PanelHost::click_area(LoadedGauge& gauge, size_t area) {
  const auto areas = gauge.module->mouse_areas();
  if (area < 1 || area > areas.size())
    throw std::out_of_range("module " + gauge.module->name() + " has " + std::to_string(areas.size()) +
                            " mouse areas, not " + std::to_string(area));
  MouseArea& a = *areas[area - 1];
  press(gauge, a, PixelPoint{a.box.x + a.box.width / 2, a.box.y + a.box.height / 2});
}

bool PanelHost::click_at(LoadedGauge& gauge, int32_t x, int32_t y) {
  for (MouseArea* area : gauge.module->mouse_areas()) {
    const PixelBox& b = area->box;
    // 64-bit sums: a box near the edge of the integer range must not wrap.
    const bool inside = x >= b.x && int64_t{x} < int64_t{b.x} + b.width && y >= b.y &&
                        int64_t{y} < int64_t{b.y} + b.height;
    if (inside && (area->event_flags & kMouseClick) != 0) {
      press(gauge, *area, PixelPoint{x, y});
      return true;
    }
  }
  return false;
}

void PanelHost::press(LoadedGauge& gauge, MouseArea& area, PixelPoint point) {
  Calling calling(*this, gauge);
  area.handler(&point, area.event_flags);
}

std::vector<Event> PanelHost::take_events() { return std::exchange(events_, {}); }

void PanelHost::record(Event event) {
  if (current_ != nullptr) event.module = current_->module->name();
  events_.push_back(std::move(event));
}

void PanelHost::lookup_var(ModuleVariable* slot) {
  if (slot != nullptr) variables_.refresh(*slot);
}

void PanelHost::initialize_var_by_name(ModuleVariable* slot, const char* name) {
  if (slot == nullptr) return;
  const std::string key = name != nullptr ? name : "";
  slot->binding = named_.storage(key);
  if (current_ != nullptr && std::find(current_->named.begin(), current_->named.end(), key) == current_->named.end())
    current_->named.push_back(key);
}

int32_t PanelHost::trigger_key_event(uint32_t event, int32_t value) {
  Event e;
  e.type = EventType::key;
  e.key_event = event;
  e.number = value;
  record(std::move(e));
  return 1;
}

bool PanelHost::library_available(const char* name) const {
  if (sound_available_ || name == nullptr) return true;
  // The modules ask by bare name; a path or a suffix names the same library.
  std::string stem = std::filesystem::path(name).stem().string();
  std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::tolower(c); });
  return stem != "gaugesound";
}

}  // namespace vortane::host
