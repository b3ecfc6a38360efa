// The combined standby instrument through the real host and module file.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "probe_harness.h"

namespace vortane::testing {
namespace {

using nlohmann::json;

constexpr size_t kFace = 1, kTape = 2, kNeedle = 3, kCounter = 4, kMillibars = 5, kInches = 6;

json dump_after(const std::string& setup) {
  ProbeRun run = run_probe("load combi\n" + setup + "\ncycle\ndump combi\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  if (run.lines.size() != 1) {
    ADD_FAILURE() << "expected one dump line, got " << run.lines.size();
    return json::object();
  }
  return run.lines[0];
}

TEST(Combi, ChainAndMouseAreas) {
  const json dump = dump_after("");
  EXPECT_EQ(dump["gauge"], "vortane");
  struct Row {
    const char* kind;
    int resource, x, y;
  } rows[] = {
      {"static_image", 0x100, 0, 0}, {"icon", 0x1600, 0, 0},  {"moving_image", 0x1700, 36, 126},
      {"needle", 0x1400, 97, 60},    {"string", -1, 72, 32},  {"string", -1, 6, 101},
      {"string", -1, 143, 101},
  };
  ASSERT_EQ(dump["elements"].size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const json& e = element(dump, i);
    EXPECT_EQ(e["kind"], rows[i].kind) << i;
    EXPECT_EQ(e["resource"], static_cast<uint32_t>(rows[i].resource)) << i;
    EXPECT_EQ(e["position"], json::array({rows[i].x, rows[i].y})) << i;
    EXPECT_EQ(e["lit"], i != 0) << i;  // every callback lights its element
  }
  EXPECT_EQ(element(dump, kFace)["value"], 0.0) << "no source: always image 0";

  struct Area {
    int x, y, width, height, cursor;
  } areas[] = {{0, 165, 14, 23, 2}, {16, 164, 17, 23, 1}};
  ASSERT_EQ(dump["mouse_areas"].size(), std::size(areas));
  for (size_t i = 0; i < std::size(areas); ++i) {
    const json& m = dump["mouse_areas"][i];
    EXPECT_EQ(m["box"], json::array({areas[i].x, areas[i].y, areas[i].width, areas[i].height})) << i + 1;
    EXPECT_EQ(m["cursor"], areas[i].cursor) << i + 1;
    EXPECT_EQ(m["flags"], 0x20000000) << i + 1;
  }
}

// The needle turns once per 1000 units and keeps the sign; the counter shows
// the altitude narrowed to single precision, in five digits or more.
TEST(Combi, AltimeterNeedleAndCounter) {
  struct Case {
    const char* altitude;
    double needle;
    const char* counter;
  } cases[] = {
      {"0", 0, "00000"},           {"850", 850, "00850"},         {"999.9", 999.9, "01000"},
      {"1000", 0, "01000"},        {"12345.6", 345.6, "12346"},   {"-50", -50, "-0050"},
      {"-1250", -250, "-1250"},    {"123456.7", 456.7, "123457"}, {"16777217", 217, "16777216"},
  };
  for (const Case& c : cases) {
    const json dump = dump_after(std::string("set 74 ") + c.altitude);
    EXPECT_NEAR(element(dump, kNeedle)["value"].get<double>(), c.needle, 1e-9) << c.altitude;
    EXPECT_EQ(element(dump, kCounter)["text"], c.counter) << c.altitude;
  }
  const json dump = dump_after("set 74 nan");
  EXPECT_EQ(element(dump, kNeedle)["value"], "nan");
  EXPECT_EQ(element(dump, kCounter)["text"], "  nan");
}

TEST(Combi, BarometricReadouts) {
  struct Case {
    const char* setup;
    const char* millibars;
    const char* inches;
  } cases[] = {
      {"set 75 1013.25\nset 76 29.92", "1013", "29.92"},
      {"set 75 950\nset 76 28", "0950", "28.00"},
      {"set 75 0\nset 76 0", "0000", "0.00"},
      // 30.005 is just below 30.005 as a float, so it rounds down.
      {"set 75 1050.7\nset 76 30.005", "1051", "30.00"},
  };
  for (const Case& c : cases) {
    const json dump = dump_after(c.setup);
    EXPECT_EQ(element(dump, kMillibars)["text"], c.millibars) << c.setup;
    EXPECT_EQ(element(dump, kInches)["text"], c.inches) << c.setup;
    EXPECT_EQ(element(dump, kMillibars)["value"], 0.0);
  }
}

TEST(Combi, AirspeedTapeFollowsTheAirspeed) {
  for (const double speed : {0.0, 250.5, 470.0}) {
    const json dump = dump_after("set 61 " + std::to_string(speed));
    EXPECT_EQ(element(dump, kTape)["x"], speed);
    EXPECT_EQ(element(dump, kTape)["y"], 0.0);
  }
}

// Each click sends its event with 0 and nothing else: no sound, no change.
TEST(Combi, KnobAreasSendTheirEventsSilently) {
  ProbeRun run = run_probe(
      "load combi\nset 74 850\ncycle\ndump combi\nevents\n"
      "click combi 1\nevents\nclick combi 2\nevents\nclickat combi 20 170\nclick combi 1\nevents\n"
      "cycle\ndump combi\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 6u);
  const auto key = [](int event) { return json{{"module", "combi"}, {"type", "key"}, {"event", event}, {"value", 0}}; };
  EXPECT_EQ(run.lines[2]["events"], json::array({key(65884)}));
  EXPECT_EQ(run.lines[3]["events"], json::array({key(65883)}));
  EXPECT_EQ(run.lines[4]["events"], json::array({key(65883), key(65884)}));
  EXPECT_EQ(run.lines[5]["elements"], run.lines[0]["elements"]);
}

}  // namespace
}  // namespace vortane::testing
