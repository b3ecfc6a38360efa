#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vortane/gauge.h"

namespace vortane {
namespace {

std::vector<std::string> played;

int32_t VORTANE_CALL record_play(const char* path, const char* arg2, int32_t arg3) {
  played.push_back(std::string(path) + "|" + arg2 + "|" + std::to_string(arg3));
  return 0;
}

TEST(PowerButton, StepsAndClicksOnEveryPress) {
  const SoundBinding sound{.play = record_play};
  struct Case {
    int32_t from;
    bool upper;
    int32_t to;
  } cases[] = {
      {Dark, true, Avail},  {Avail, true, Avail}, {InUse, true, Dark},
      {Dark, false, Dark},  {Avail, false, InUse}, {InUse, false, InUse},
  };
  for (const Case& c : cases) {
    played.clear();
    int32_t state = c.from;
    c.upper ? press_upper_half(state, sound) : press_lower_half(state, sound);
    EXPECT_EQ(state, c.to) << "from " << c.from << (c.upper ? " upper" : " lower");
    EXPECT_EQ(played, std::vector<std::string>{"sound\\CLICK.WAV||0"});
  }
}

TEST(ToggleSwitch, AnythingButZeroGoesOff) {
  const SoundBinding sound{.play = record_play};
  struct Case {
    int32_t from, to;
  } cases[] = {{0, 1}, {1, 0}, {2, 0}, {-1, 0}};
  for (const Case& c : cases) {
    played.clear();
    int32_t state = c.from;
    toggle_switch(state, sound);
    EXPECT_EQ(state, c.to);
    EXPECT_EQ(played, std::vector<std::string>{"sound\\SWITCH.WAV||0"});
  }
}

TEST(SoundBinding, MissingPlayIsSilentAndHarmless) {
  const SoundBinding silent{};
  int32_t state = Dark;
  press_upper_half(state, silent);
  EXPECT_EQ(state, Avail);
}

TEST(ElementFlags, LitAndHiddenLeaveOtherBitsAlone) {
  Element element{.flags = kFlagsAtLoad};
  set_lit(&element, true);
  show_when(&element, false);
  EXPECT_EQ(element.flags, kFlagsAtLoad | kFlagLit | kFlagHidden);
  light_with_panel(&element, 0.5);
  show_when(&element, true);
  EXPECT_EQ(element.flags, uint32_t{kFlagsAtLoad});
  for (double power : {1.0, 2.0, -1.0, 0.0}) {
    light_with_panel(&element, power);
    EXPECT_EQ((element.flags & kFlagLit) != 0, power == 1.0) << power;
  }
}

}  // namespace
}  // namespace vortane
