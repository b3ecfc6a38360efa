// The host's mechanics through the probe and the hand-written mechanics
// fixture (tests/fixtures/mechanics.cpp says what each element shows).
#include <gtest/gtest.h>

#include <string>

#include "probe_harness.h"

namespace {

using nlohmann::json;
using vortane::testing::element;
using vortane::testing::fixture_module_dir;
using vortane::testing::run_probe;

enum Element { background, needle, string_a, string_b, slider, icon, moving, sprite };

vortane::testing::ProbeRun probe(const std::string& script) {
  auto run = run_probe(script, fixture_module_dir());
  EXPECT_EQ(run.status, 0) << run.errors;
  return run;
}

TEST(HostCycle, UpdateThenElementsInChainOrderThenPreDraw) {
  const auto run = probe("load mechanics\ncycle 2\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 1u);
  const json& dump = run.lines[0];
  EXPECT_EQ(dump["named"]["update_step"], 1);
  EXPECT_EQ(element(dump, needle)["value"], 2);
  EXPECT_EQ(element(dump, string_a)["text"], "0@3");
  EXPECT_EQ(element(dump, sprite)["x"], 10);
  EXPECT_EQ(element(dump, sprite)["y"], 11);
  EXPECT_EQ(element(dump, sprite)["rotation"], 12);
  EXPECT_EQ(dump["named"]["predraw_step"], 13);
  EXPECT_EQ(dump["named"]["last_service"], 10);
}

TEST(HostCycle, DumpDescribesEveryKindAndTheChildAreas) {
  const auto run = probe("load mechanics\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 1u);
  const json& dump = run.lines[0];
  EXPECT_EQ(dump["module"], "mechanics");
  EXPECT_EQ(dump["gauge"], "MECHANICS");
  const char* kinds[] = {"static_image", "needle", "string", "string", "slider", "icon", "moving_image", "sprite"};
  ASSERT_EQ(dump["elements"].size(), std::size(kinds));
  for (size_t i = 0; i < std::size(kinds); ++i) {
    EXPECT_EQ(element(dump, i)["index"], i);
    EXPECT_EQ(element(dump, i)["kind"], kinds[i]);
    EXPECT_EQ(element(dump, i)["flags"], 0x83);
  }
  EXPECT_EQ(element(dump, needle)["resource"], 0x200);
  EXPECT_EQ(element(dump, needle)["position"], json::array({20, 20}));
  EXPECT_EQ(element(dump, string_a)["resource"], 0xFFFFFFFFu);
  // No cycle yet: nothing returned, the text buffers empty.
  EXPECT_TRUE(element(dump, needle)["value"].is_null());
  EXPECT_TRUE(element(dump, sprite)["rotation"].is_null());
  EXPECT_EQ(element(dump, string_a)["text"], "");
  EXPECT_FALSE(element(dump, background).contains("value"));

  const json areas = json::parse(R"([
    {"index":1,"box":[0,0,20,20],"cursor":1,"flags":536870912},
    {"index":2,"box":[10,10,20,20],"cursor":2,"flags":536870912},
    {"index":3,"box":[30,0,5,5],"cursor":5,"flags":0}])");
  EXPECT_EQ(dump["mouse_areas"], areas);
}

TEST(HostCycle, StringsHaveTheirOwnBuffersOfFullCapacity) {
  // String B fills all 511 characters of its buffer; a buffer any shorter is
  // a heap overflow under the sanitizer build. String A keeps its own text.
  const auto run = probe("load mechanics\nset 7 1.5\ncycle\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_EQ(element(run.lines[0], string_b)["text"], std::string(511, 'B'));
  EXPECT_EQ(element(run.lines[0], string_a)["text"], "1.5@3");
}

TEST(HostVariables, ElementSourcesAreRefreshedBeforeTheirCallbacks) {
  struct Case {
    const char* script;
    int element;
    const char* field;
    json expected;
  };
  const Case cases[] = {
      {"set 9 0.1", slider, "y", 0.1},
      {"set 9 -1e300", slider, "y", -1e300},
      {"set 9 nan", slider, "y", "nan"},
      {"set 9 inf", slider, "y", "inf"},
      {"set 9 -inf", slider, "y", "-inf"},
      {"setint 9 -7", slider, "y", -7},
      {"set 0 5", slider, "x", 0},  // token 0 names nothing and reads 0
      {"set 1 2.25", moving, "x", 2.25},
      // Token 16 is integer-typed: the icon reads it in the integer form.
      {"setint 16 0x10502", icon, "value", 0x10502},
      {"set 16 4096.9", icon, "value", 4096},
      {"set 16 nan", icon, "value", 0},
      {"setint 16 0xFFFFFFFF", icon, "value", -1},
  };
  for (const Case& c : cases) {
    const auto run = probe(std::string("load mechanics\n") + c.script + "\ncycle\ndump mechanics\n");
    ASSERT_EQ(run.lines.size(), 1u) << c.script;
    EXPECT_EQ(element(run.lines[0], c.element)[c.field], c.expected) << c.script;
  }
}

TEST(HostVariables, TwoModulesBoundToOneNameShareIt) {
  const auto run = probe(
      "load mechanics\nload mechanics_b\n"
      "click mechanics 1\nclick mechanics 1\ncycle\n"
      "dump mechanics_b\n"
      "named shared -5\ncycle\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_EQ(run.lines[0]["named"]["shared"], 2);
  EXPECT_EQ(element(run.lines[0], moving)["y"], 2);
  EXPECT_EQ(run.lines[1]["named"]["shared"], -5);
  EXPECT_EQ(element(run.lines[1], moving)["y"], -5);
}

TEST(HostVariables, AnUnwrittenNameReadsZeroAndHidesNothing) {
  const auto run = probe("load mechanics\ncycle\ndump mechanics\nnamed hide 1\ncycle\ndump mechanics\n"
                         "named hide 0\ncycle\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0]["named"]["hide"], 0);
  EXPECT_EQ(element(run.lines[0], icon)["hidden"], false);
  EXPECT_EQ(element(run.lines[0], icon)["lit"], true);
  EXPECT_EQ(element(run.lines[1], icon)["hidden"], true);
  EXPECT_EQ(element(run.lines[1], icon)["flags"], 0x40000087);
  EXPECT_EQ(element(run.lines[2], icon)["hidden"], false);
}

TEST(HostMouse, ClickAtPicksTheFirstAreaInListOrderThatHoldsThePoint) {
  // Area 1 is [0,20) x [0,20), area 2 [10,30) x [10,30) and listed after it;
  // area 3 takes no clicks. Area 1 sends key 100, area 2 key 200.
  struct Case {
    int x, y;
    int expected_key;  // 0: no handler called
  };
  const Case cases[] = {{0, 0, 100},   {15, 15, 100}, {19, 19, 100}, {20, 15, 200}, {15, 20, 200},
                        {20, 20, 200}, {29, 29, 200}, {9, 25, 0},    {30, 15, 0},   {15, 30, 0},
                        {-1, 5, 0},    {31, 1, 0}};
  for (const Case& c : cases) {
    const auto run = probe("load mechanics\nsound absent\nevents\nclickat mechanics " + std::to_string(c.x) + " " +
                           std::to_string(c.y) + "\nevents\n");
    ASSERT_EQ(run.lines.size(), 2u);
    json keys = json::array();
    for (const json& event : run.lines[1]["events"])
      if (event["type"] == "key") keys.push_back(event["event"]);
    const json expected = c.expected_key == 0 ? json::array() : json::array({c.expected_key});
    EXPECT_EQ(keys, expected) << "at " << c.x << ", " << c.y;
  }
}

TEST(HostEvents, LogTagsEachCallWithItsModuleInOrderAndClears) {
  const auto run = probe(
      "load mechanics\nload mechanics_b\nevents\n"
      "click mechanics_b 1\nclick mechanics 2\nevents\nevents\n"
      "sound absent\nclick mechanics 1\nevents\n");
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(run.lines[0], json::parse(R"({"events":[]})"));
  const json with_sound = json::parse(R"({"events":[
    {"module":"mechanics_b","type":"key","event":100,"value":0},
    {"module":"mechanics_b","type":"library_load","name":"GaugeSound","ok":true},
    {"module":"mechanics_b","type":"gaugesound_play","path":"sound\\CLICK.WAV","arg2":"","arg3":0},
    {"module":"mechanics_b","type":"library_free","name":"GaugeSound","ok":true},
    {"module":"mechanics_b","type":"playsound","name":"sound\\BEEP.WAV","flags":131073},
    {"module":"mechanics","type":"key","event":200,"value":0}]})");
  EXPECT_EQ(run.lines[1], with_sound);
  EXPECT_EQ(run.lines[2], json::parse(R"({"events":[]})"));
  const json without_sound = json::parse(R"({"events":[
    {"module":"mechanics","type":"key","event":100,"value":0},
    {"module":"mechanics","type":"library_load","name":"GaugeSound","ok":false},
    {"module":"mechanics","type":"playsound","name":"sound\\BEEP.WAV","flags":131073}]})");
  EXPECT_EQ(run.lines[3], without_sound);
}

TEST(HostServicesCalls, ServiceIdsReachTheGaugeAndKillTakesItOutOfTheCycle) {
  const auto run = probe(
      "load mechanics\ndump mechanics\n"
      "service mechanics -3\ndump mechanics\n"
      "kill mechanics\nset 7 2\ncycle\ndump mechanics\n"
      "init mechanics\ncycle\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(run.lines[0]["named"]["last_service"], 4);
  EXPECT_EQ(run.lines[1]["named"]["last_service"], -3);
  // Killed: the cycle passes it by, so string A still shows nothing.
  EXPECT_EQ(run.lines[2]["named"]["last_service"], 12);
  EXPECT_EQ(element(run.lines[2], string_a)["text"], "");
  EXPECT_EQ(run.lines[3]["named"]["last_service"], 10);
  EXPECT_EQ(element(run.lines[3], string_a)["text"], "2@3");
}

TEST(HostCycle, TickAdvancesTokenOneBeforeEachCycle) {
  const auto run = probe("load mechanics\ntick\ndump mechanics\nset 1 10\ntick 3\ndump mechanics\n");
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_EQ(element(run.lines[0], moving)["x"], 1);
  EXPECT_EQ(element(run.lines[1], moving)["x"], 13);
  EXPECT_EQ(run.lines[1]["named"]["predraw_step"], 13);
}

}  // namespace
