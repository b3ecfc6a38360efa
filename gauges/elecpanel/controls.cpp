// The nine mouse areas: two halves of each power pushbutton, then the five
// toggle switches from left to right, top row first.
#include "elecpanel.h"

namespace vortane::elecpanel {
namespace {

constexpr uint32_t kToggleBatteryMaster = 66241;

int32_t VORTANE_CALL dc_upper_half(PixelPoint*, uint32_t) { press_upper_half(dc_button, sound); return 0; }
int32_t VORTANE_CALL dc_lower_half(PixelPoint*, uint32_t) { press_lower_half(dc_button, sound); return 0; }
int32_t VORTANE_CALL ac_upper_half(PixelPoint*, uint32_t) { press_upper_half(ac_button, sound); return 0; }
int32_t VORTANE_CALL ac_lower_half(PixelPoint*, uint32_t) { press_lower_half(ac_button, sound); return 0; }
int32_t VORTANE_CALL dc_service(PixelPoint*, uint32_t) { toggle_switch(dc_service_switch, sound); return 0; }
// No state of its own: the lever shows token 364, which the simulator toggles.
int32_t VORTANE_CALL battery(PixelPoint*, uint32_t) { key_event_switch(kToggleBatteryMaster, sound, kSwitchSound); return 0; }
int32_t VORTANE_CALL gen1(PixelPoint*, uint32_t) { toggle_switch(gen1_switch, sound); return 0; }
int32_t VORTANE_CALL apu_gen(PixelPoint*, uint32_t) { toggle_switch(apu_gen_switch, sound); return 0; }
int32_t VORTANE_CALL gen2(PixelPoint*, uint32_t) { toggle_switch(gen2_switch, sound); return 0; }

}  // namespace

// Areas 1 and 2 share the row y = 23; which one a click there reaches is the host's choice.
MouseArea mouse_areas[] = {
    kMouseListParent,
    click_area({100, 12, 29, 12}, 5, dc_upper_half),
    click_area({100, 23, 28, 15}, 5, dc_lower_half),
    click_area({139, 12, 30, 13}, 5, ac_upper_half),
    click_area({140, 25, 30, 13}, 5, ac_lower_half),
    click_area({24, 23, 17, 29}, 1, dc_service),
    click_area({66, 24, 20, 26}, 1, battery),
    click_area({25, 112, 16, 27}, 5, gen1),
    click_area({86, 113, 16, 25}, 5, apu_gen),
    click_area({143, 112, 15, 27}, 5, gen2),
    kMouseListEnd,
};

}  // namespace vortane::elecpanel
