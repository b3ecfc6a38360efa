// The panel host: one panel's modules, variables and event log, and the calls
// into the modules (services, the cycle, clicks).
//
// Everything runs on one thread, one module call at a time. The host knows
// which module it is calling into and tags every event with it. The platform
// calls of the modules reach the host through the process-wide
// `vortane_host_hooks`, so only one PanelHost may exist at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vortane/abi.h"
#include "vortane/host/events.h"
#include "vortane/host/gauge_module.h"
#include "vortane/host/variables.h"

namespace vortane::host {

struct LoadedGauge {
  std::unique_ptr<GaugeModule> module;
  bool live = false;                   // initialised and not killed since
  std::vector<std::string> named;      // names it bound, in first-bound order
};

class PanelHost {
 public:
  PanelHost();
  ~PanelHost();
  PanelHost(const PanelHost&) = delete;
  PanelHost& operator=(const PanelHost&) = delete;

  // Loads and checks a module and hands it the services table; does not
  // initialise it. Throws LoadError naming the module and the fault.
  LoadedGauge& load(const std::filesystem::path& file);
  LoadedGauge* find(std::string_view name);
  // In load order; entries never move.
  std::deque<LoadedGauge>& gauges() { return gauges_; }

  SimVariables& variables() { return variables_; }
  NamedVariables& named() { return named_; }
  // Whether loads of the sound library succeed from now on.
  void set_sound_available(bool available) { sound_available_ = available; }
  bool sound_available() const { return sound_available_; }

  // The gauge callback with any service id, as it is; initialise and kill
  // also decide whether the gauge takes part in the cycle.
  void service(LoadedGauge& gauge, int32_t id);
  void initialise(LoadedGauge& gauge) { service(gauge, kServiceInitialise); }
  void kill(LoadedGauge& gauge) { service(gauge, kServiceKill); }

  // One cycle of every live gauge, in load order: update, each element's
  // sources and callbacks in draw order, pre-draw, then `draw`.
  void cycle();
  std::function<void(LoadedGauge&)> draw;

  // Child area `area` (1-based, list order), clicked at the middle of its box.
  // Throws std::out_of_range for an area the gauge does not have.
  void click_area(LoadedGauge& gauge, size_t area);
  // The first child area in list order whose box holds the point; false when none does.
  bool click_at(LoadedGauge& gauge, int32_t x, int32_t y);

  // The events since the last call, oldest first.
  std::vector<Event> take_events();

  // Called by the hooks and services; public for them only.
  void record(Event event);
  void lookup_var(ModuleVariable* slot);
  void initialize_var_by_name(ModuleVariable* slot, const char* name);
  int32_t trigger_key_event(uint32_t event, int32_t value);
  bool library_available(const char* name) const;

 private:
  class Calling;
  void update_elements(LoadedGauge& gauge);
  void press(LoadedGauge& gauge, MouseArea& area, PixelPoint point);

  std::deque<LoadedGauge> gauges_;
  SimVariables variables_;
  NamedVariables named_;
  std::vector<Event> events_;
  bool sound_available_ = true;
  LoadedGauge* current_ = nullptr;
};

}  // namespace vortane::host
