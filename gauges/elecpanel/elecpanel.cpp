// Electrical power panel: 32 labels lit by the battery master, the DC and AC
// power pushbuttons, four panel-local toggle switches and the battery master.
#include "elecpanel.h"

namespace vortane::elecpanel {

constexpr uint32_t kBatteryMaster = 364;

namespace {

// Module-global storage, zero at load.
int32_t first_draw_latch;
ModuleVariable header_variables[] = {token(0), token(kBatteryMaster)};

}  // namespace

SoundBinding sound;

int32_t dc_button;
int32_t ac_button;
int32_t dc_service_switch;
int32_t gen1_switch;
int32_t apu_gen_switch;
int32_t gen2_switch;

double battery_master() { return header_variables[1].value.number; }

namespace {

void first_draw_reset() {
  dc_button = Dark;
  ac_button = Dark;
  dc_service_switch = 0;
  gen1_switch = 0;
  apu_gen_switch = 0;
  gen2_switch = 0;
}

const GaugeLifecycle life = {
    .sound = &sound,
    .first_draw_latch = &first_draw_latch,
    .header_variables = header_variables, .header_variable_count = count_of(header_variables),
    .named_variables = nullptr, .named_variable_count = 0,
    .first_draw_reset = first_draw_reset,
    .update = nullptr,
};

}  // namespace
}  // namespace vortane::elecpanel

namespace vortane {

GaugeDescriptor module_gauge =
    gauge_descriptor("VORTANE", &elecpanel::root, elecpanel::mouse_areas, gauge_callback<elecpanel::life>);

}  // namespace vortane
