// The electrical power panel through the real host and module file: what it
// draws, what each click does and sounds like, and what survives a kill.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "probe_harness.h"

namespace vortane::testing {
namespace {

using nlohmann::json;
using Events = std::vector<std::string>;

constexpr size_t kDcLamp = 1, kAcLamp = 2, kFirstLabel = 3, kLastLabel = 34, kBatteryLever = 36;

// A click's events in a line each: "key 66241 0", "play sound\SWITCH.WAV".
Events describe(const json& line) {
  Events out;
  for (const json& e : line.at("events")) {
    const std::string type = e.at("type");
    if (type == "key")
      out.push_back("key " + std::to_string(e.at("event").get<int64_t>()) + " " +
                    std::to_string(e.at("value").get<int64_t>()));
    else if (type == "gaugesound_play")
      out.push_back("play " + e.at("path").get<std::string>() + " '" + e.at("arg2").get<std::string>() + "' " +
                    std::to_string(e.at("arg3").get<int64_t>()));
    else
      out.push_back(type);
  }
  return out;
}

struct Outcome {
  std::vector<json> dumps;
  std::vector<Events> events;
};

// The script after "load elecpanel"; its dump and events lines, in order.
Outcome play(const std::string& script, bool sound_library = true) {
  ProbeRun probe = run_probe(std::string(sound_library ? "" : "sound absent\n") + "load elecpanel\n" + script);
  EXPECT_EQ(probe.status, 0) << probe.errors;
  Outcome out;
  for (const json& line : probe.lines) {
    if (line.contains("events"))
      out.events.push_back(describe(line));
    else
      out.dumps.push_back(line);
  }
  return out;
}

json last_dump(const std::string& script) {
  Outcome r = play(script + "\ndump elecpanel\n");
  if (r.dumps.empty()) {
    ADD_FAILURE() << "no dump";
    return json::object();
  }
  return r.dumps.back();
}

double value_of(const json& dump, size_t index) { return element(dump, index).at("value").get<double>(); }

TEST(ElecPanel, ChainAndMouseAreas) {
  const json dump = last_dump("set 364 1\ncycle");
  EXPECT_EQ(dump["gauge"], "VORTANE");
  ASSERT_EQ(dump["elements"].size(), 40u);

  struct Picture {
    size_t index;
    const char* kind;
    int resource, x, y;
  } pictures[] = {
      {0, "static_image", 0x100, 0, 0}, {1, "icon", 0x1900, 104, 14}, {2, "icon", 0x2000, 143, 13},
      {35, "icon", 0x2100, 28, 30},     {36, "icon", 0x2200, 70, 30}, {37, "icon", 0x2300, 28, 115},
      {38, "icon", 0x2400, 90, 115},    {39, "icon", 0x2500, 146, 115},
  };
  for (const Picture& p : pictures) {
    const json& e = element(dump, p.index);
    EXPECT_EQ(e["kind"], p.kind) << p.index;
    EXPECT_EQ(e["resource"], p.resource) << p.index;
    EXPECT_EQ(e["position"], json::array({p.x, p.y})) << p.index;
  }

  // The words each label shows, with the width of the number field that
  // follows them; the number lands far right of every box.
  struct Label {
    const char* words;
    int field, x, y;
  } labels[] = {
      {"AC", 200, 151, 43},        {"ELECTRICAL POWER SERVICES", 400, 26, 0}, {"DC", 400, 28, 10},
      {"SERVICE", 400, 20, 17},    {"BATTERY", 400, 62, 10},    {"MASTER", 400, 64, 17},
      {"OFF", 400, 12, 32},        {"ON", 400, 12, 41},         {"GEN 1", 400, 24, 108},
      {"APU GEN", 400, 81, 108},   {"GEN 2", 400, 143, 108},    {"OFF", 400, 51, 32},
      {"ON", 400, 51, 41},         {"IDG 1", 400, 29, 50},      {"AC POWER", 400, 74, 50},
      {"IDG 2", 400, 144, 50},     {"DISC", 400, 25, 100},      {"AC ESS XFER", 400, 80, 100},
      {"DISC", 400, 142, 100},     {"OFF/RESET", 400, 42, 118}, {"OFF/RESET", 400, 104, 118},
      {"OFF/RESET", 400, 160, 118}, {"ON", 400, 42, 127},       {"ON", 400, 104, 127},
      {"ON", 400, 160, 127},       {"DC POWER", 400, 78, 153},  {"XFER", 400, 86, 146},
      {"AUTO", 400, 86, 139},      {"TIE 1", 400, 39, 189},     {"TIE 2", 400, 89, 189},
      {"ESS TIE", 400, 130, 189},  {"DC", 400, 110, 43},
  };
  static_assert(std::size(labels) == kLastLabel - kFirstLabel + 1);
  for (size_t i = 0; i < std::size(labels); ++i) {
    const json& e = element(dump, kFirstLabel + i);
    const Label& l = labels[i];
    EXPECT_EQ(e["kind"], "string") << l.words;
    EXPECT_EQ(e["resource"], 0xFFFFFFFFu) << l.words;
    EXPECT_EQ(e["position"], json::array({l.x, l.y})) << l.words;
    EXPECT_EQ(e["value"], 0.0) << l.words;
    EXPECT_EQ(e["text"], std::string(l.words) + std::string(l.field - 1, ' ') + "0") << l.words;
  }

  struct Area {
    int x, y, width, height, cursor;
  } areas[] = {
      {100, 12, 29, 12, 5}, {100, 23, 28, 15, 5}, {139, 12, 30, 13, 5}, {140, 25, 30, 13, 5}, {24, 23, 17, 29, 1},
      {66, 24, 20, 26, 1},  {25, 112, 16, 27, 5}, {86, 113, 16, 25, 5}, {143, 112, 15, 27, 5},
  };
  ASSERT_EQ(dump["mouse_areas"].size(), std::size(areas));
  for (size_t i = 0; i < std::size(areas); ++i) {
    const json& m = dump["mouse_areas"][i];
    const Area& a = areas[i];
    EXPECT_EQ(m["box"], json::array({a.x, a.y, a.width, a.height})) << "area " << i + 1;
    EXPECT_EQ(m["cursor"], a.cursor) << "area " << i + 1;
    EXPECT_EQ(m["flags"], 0x20000000) << "area " << i + 1;
  }
}

// Labels light only at exactly 1.0; the lamps always; the levers never. The
// battery lever shows whatever token 364 holds.
TEST(ElecPanel, LabelsLitWithTheBatteryMasterOnly) {
  struct Case {
    const char* battery;
    bool labels_lit;
    json lever;
  } cases[] = {
      {"0", false, 0.0}, {"0.5", false, 0.5}, {"2", false, 2.0}, {"1", true, 1.0},
      {"-1", false, -1.0}, {"0.9999999999999999", false, 0.9999999999999999}, {"nan", false, "nan"},
  };
  for (const Case& c : cases) {
    const json dump = last_dump(std::string("set 364 ") + c.battery + "\ncycle");
    for (size_t i = kFirstLabel; i <= kLastLabel; ++i)
      EXPECT_EQ(element(dump, i)["lit"], c.labels_lit) << "label " << i << " at " << c.battery;
    EXPECT_EQ(element(dump, kDcLamp)["lit"], true) << c.battery;
    EXPECT_EQ(element(dump, kAcLamp)["lit"], true) << c.battery;
    for (size_t i = 35; i <= 39; ++i) EXPECT_EQ(element(dump, i)["lit"], false) << "lever " << i;
    EXPECT_EQ(element(dump, kBatteryLever)["value"], c.lever) << c.battery;
    EXPECT_EQ(element(dump, 0)["flags"], 0x83) << "the face keeps its load flags";
  }
  // Off again after being on: the flag is cleared, not only ever set.
  const json dump = last_dump("set 364 1\ncycle\nset 364 0\ncycle");
  EXPECT_EQ(element(dump, kFirstLabel)["flags"], 0x83);
}

// Every transition of both pushbuttons, from each state, on each half; the
// other button never moves, and every click plays one click sound.
TEST(ElecPanel, PushbuttonsStepThroughTheirThreeStates) {
  struct Button {
    const char* name;
    int upper, lower;
    size_t lamp, other_lamp;
  } buttons[] = {{"DC", 1, 2, kDcLamp, kAcLamp}, {"AC", 3, 4, kAcLamp, kDcLamp}};
  struct Case {
    int from;  // reached by upper (1), then lower (2)
    bool upper;
    double to;
  } cases[] = {
      {0, true, 1}, {1, true, 1}, {2, true, 0}, {0, false, 0}, {1, false, 2}, {2, false, 2},
  };
  for (const Button& b : buttons) {
    for (const Case& c : cases) {
      std::string script = "cycle\n";
      if (c.from >= 1) script += "click elecpanel " + std::to_string(b.upper) + "\n";
      if (c.from >= 2) script += "click elecpanel " + std::to_string(b.lower) + "\n";
      script += "cycle\ndump elecpanel\nevents\n";
      script += "click elecpanel " + std::to_string(c.upper ? b.upper : b.lower) + "\nevents\ncycle\ndump elecpanel\n";
      const Outcome r = play(script);
      ASSERT_EQ(r.dumps.size(), 2u);
      ASSERT_EQ(r.events.size(), 2u);
      const std::string what = std::string(b.name) + " from " + std::to_string(c.from) + (c.upper ? " upper" : " lower");
      EXPECT_EQ(value_of(r.dumps[0], b.lamp), c.from) << what;
      EXPECT_EQ(value_of(r.dumps[1], b.lamp), c.to) << what;
      EXPECT_EQ(value_of(r.dumps[1], b.other_lamp), 0) << what;
      EXPECT_EQ(r.events[1], Events{"play sound\\CLICK.WAV '' 0"}) << what;
    }
  }
}

TEST(ElecPanel, ThreePressesTakeAButtonRoundAndLeaveTheOtherAlone) {
  const Outcome r = play("cycle\nclick elecpanel 3\ncycle\ndump elecpanel\n"
                    "click elecpanel 1\nclick elecpanel 2\nclick elecpanel 1\ncycle\ndump elecpanel\n");
  ASSERT_EQ(r.dumps.size(), 2u);
  EXPECT_EQ(value_of(r.dumps[0], kAcLamp), 1);
  EXPECT_EQ(value_of(r.dumps[1], kDcLamp), 0);
  EXPECT_EQ(value_of(r.dumps[1], kAcLamp), 1);
}

// Each of the four panel-local switches: on, then off, its lever alone moving.
TEST(ElecPanel, ToggleSwitchesFlipTheirOwnLeverOnly) {
  struct Switch {
    int area;
    size_t lever;
  } switches[] = {{5, 35}, {7, 37}, {8, 38}, {9, 39}};
  for (const Switch& s : switches) {
    const std::string click = "click elecpanel " + std::to_string(s.area) + "\n";
    const Outcome r = play("cycle\n" + click + "cycle\ndump elecpanel\n" + click + "cycle\ndump elecpanel\n");
    ASSERT_EQ(r.dumps.size(), 2u);
    for (size_t lever = 35; lever <= 39; ++lever) {
      const double on = lever == s.lever ? 1 : 0;
      EXPECT_EQ(value_of(r.dumps[0], lever), on) << "area " << s.area << ", lever " << lever;
      EXPECT_EQ(value_of(r.dumps[1], lever), 0) << "area " << s.area << ", lever " << lever;
    }
  }
}

TEST(ElecPanel, BatteryMasterSendsItsEventAndTheLeverFollowsTheToken) {
  const Outcome r = play("cycle\nevents\nclick elecpanel 6\nclick elecpanel 6\nevents\ncycle\ndump elecpanel\n"
                    "set 364 1\ncycle\ndump elecpanel\nclick elecpanel 6\ncycle\ndump elecpanel\n");
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[1], (Events{"key 66241 0", "play sound\\SWITCH.WAV '' 0", "key 66241 0",
                                 "play sound\\SWITCH.WAV '' 0"}));
  ASSERT_EQ(r.dumps.size(), 3u);
  EXPECT_EQ(value_of(r.dumps[0], kBatteryLever), 0) << "two clicks, token still 0";
  EXPECT_EQ(value_of(r.dumps[1], kBatteryLever), 1);
  EXPECT_EQ(value_of(r.dumps[2], kBatteryLever), 1) << "a click moves nothing until the simulator does";
}

// Every area's events and sounds, in order, with the library present and absent.
TEST(ElecPanel, EveryAreaSoundsAfterItsEffectAndIsSilentWithoutTheLibrary) {
  const Events click = {"play sound\\CLICK.WAV '' 0"};
  const Events toggle = {"play sound\\SWITCH.WAV '' 0"};
  const Events battery = {"key 66241 0", "play sound\\SWITCH.WAV '' 0"};
  const Events expected[] = {click, click, click, click, toggle, battery, toggle, toggle, toggle};
  for (const bool present : {true, false}) {
    std::string script = "cycle\nevents\n";
    for (int area = 1; area <= 9; ++area) script += "click elecpanel " + std::to_string(area) + "\nevents\n";
    script += "cycle\ndump elecpanel\n";
    const Outcome r = play(script, present);
    ASSERT_EQ(r.events.size(), 10u);
    for (int area = 1; area <= 9; ++area) {
      const Events want = present ? expected[area - 1] : (area == 6 ? Events{"key 66241 0"} : Events{});
      EXPECT_EQ(r.events[area], want) << "area " << area << (present ? "" : ", library absent");
    }
    // The clicks did their work either way: DC and AC at AVAIL then IN USE, the switches on.
    ASSERT_EQ(r.dumps.size(), 1u);
    const json& d = r.dumps[0];
    EXPECT_EQ(value_of(d, kDcLamp), 2);
    EXPECT_EQ(value_of(d, kAcLamp), 2);
    for (size_t lever : {35, 37, 38, 39}) EXPECT_EQ(value_of(d, lever), 1) << "lever " << lever;
  }
}

// The first pre-draw clears the positions once per load; a kill and a new
// initialise keep them.
TEST(ElecPanel, PositionsClearedAtTheFirstDrawOnlyAndSurviveAKill) {
  const Outcome r = play(
      // Clicked before the first cycle: shown by that cycle's elements, then
      // cleared by its pre-draw.
      "click elecpanel 1\nclick elecpanel 3\nclick elecpanel 5\nclick elecpanel 7\nclick elecpanel 8\n"
      "click elecpanel 9\ncycle\ndump elecpanel\ncycle\ndump elecpanel\n"
      "click elecpanel 3\nclick elecpanel 4\nclick elecpanel 1\nclick elecpanel 9\nclick elecpanel 7\n"
      "kill elecpanel\ninit elecpanel\ncycle\ncycle\ndump elecpanel\n");
  ASSERT_EQ(r.dumps.size(), 3u);
  // The six positions as DC, AC and levers 35 to 39 (36 is the battery master, no state).
  const size_t shown_by[] = {kDcLamp, kAcLamp, 35, 36, 37, 38, 39};
  const double before_first_draw[] = {1, 1, 1, 0, 1, 1, 1};
  const double after_kill[] = {1, 2, 0, 0, 1, 0, 1};
  for (size_t i = 0; i < std::size(shown_by); ++i) {
    EXPECT_EQ(value_of(r.dumps[0], shown_by[i]), before_first_draw[i]) << "element " << shown_by[i];
    EXPECT_EQ(value_of(r.dumps[1], shown_by[i]), 0) << "element " << shown_by[i] << " after the first draw";
    EXPECT_EQ(value_of(r.dumps[2], shown_by[i]), after_kill[i]) << "element " << shown_by[i] << " after the kill";
  }
}

// Areas 1 and 2 share the row y = 23; the host takes the first in list order.
TEST(ElecPanel, ClicksLandOnTheAreaUnderThePoint) {
  struct Case {
    int x, y;
    double dc, ac, dc_service;
  } cases[] = {
      {110, 23, 1, 0, 0},  // shared row: the upper half
      {110, 30, 0, 0, 0},  // lower half of a dark button: stays dark
      {150, 15, 0, 1, 0},
      {30, 40, 0, 0, 1},
      {5, 5, 0, 0, 0},     // bare panel
  };
  for (const Case& c : cases) {
    const json dump =
        last_dump("cycle\nclickat elecpanel " + std::to_string(c.x) + " " + std::to_string(c.y) + "\ncycle");
    EXPECT_EQ(value_of(dump, kDcLamp), c.dc) << c.x << "," << c.y;
    EXPECT_EQ(value_of(dump, kAcLamp), c.ac) << c.x << "," << c.y;
    EXPECT_EQ(value_of(dump, 35), c.dc_service) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace vortane::testing
