#include "vortane/gauge.h"

namespace vortane {
namespace {

// Read afresh at every call: the host may fill the table at any time before
// the first gauge callback.
HostServices* host_services() { return static_cast<HostServices*>(::ImportTable.services.reference); }

}  // namespace

void run_gauge_service(const GaugeLifecycle& life, int32_t service) {
  switch (service) {
    case kServiceInitialise:
      sound_initialise(*life.sound);
      for (uint32_t i = 0; i < life.named_variable_count; ++i) {
        host_services()->initialize_var_by_name(life.named_variables[i].slot, life.named_variables[i].name);
      }
      break;
    case kServiceUpdate:
      sound_update(*life.sound);
      for (uint32_t i = 0; i < life.header_variable_count; ++i) {
        host_services()->lookup_var(&life.header_variables[i]);
      }
      if (life.update != nullptr) life.update();
      break;
    case kServicePreDraw:
      // Once per load of the module: the latch survives kill and initialise.
      if (*life.first_draw_latch == 0) {
        *life.first_draw_latch = 1;
        if (life.first_draw_reset != nullptr) life.first_draw_reset();
      }
      break;
    case kServiceKill:
      sound_kill(*life.sound);
      break;
    default:
      break;
  }
}

void send_key_event(uint32_t event) {
  host_services()->trigger_key_event(event, 0);
}

int32_t named_read(const ModuleVariable& slot) { return *static_cast<const int32_t*>(slot.binding); }

void named_write(ModuleVariable& slot, int32_t value) { *static_cast<int32_t*>(slot.binding) = value; }

}  // namespace vortane
