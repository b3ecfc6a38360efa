// What the electrical power panel's files share: its module state and the
// battery master, read by the chain and changed by the mouse areas.
#pragma once

#include "vortane/gauge.h"

namespace vortane::elecpanel {

// Panel-local positions; nothing outside this module reads them.
extern int32_t dc_button;  // PowerButtonState
extern int32_t ac_button;  // PowerButtonState
extern int32_t dc_service_switch;
extern int32_t gen1_switch;
extern int32_t apu_gen_switch;
extern int32_t gen2_switch;

extern SoundBinding sound;

// Token 364 as of the latest update: the battery master, the panel's power.
double battery_master();

extern Element* root;
extern MouseArea mouse_areas[];

}  // namespace vortane::elecpanel
