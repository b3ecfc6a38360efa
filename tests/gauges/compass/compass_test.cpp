#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "probe_harness.h"

namespace vortane::testing {
namespace {

using nlohmann::json;

json dump_after(const std::string& setup) {
  ProbeRun run = run_probe("load compass\n" + setup + "\ncycle\ndump compass\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  if (run.lines.size() != 1) {
    ADD_FAILURE() << "expected one dump line, got " << run.lines.size();
    return json::object();
  }
  return run.lines[0];
}

TEST(Compass, DescribesOneCardBehindAFixedAircraft) {
  const json dump = dump_after("");
  EXPECT_EQ(dump["gauge"], "VORTANE");
  EXPECT_EQ(dump["named"], json::object());
  EXPECT_EQ(dump["mouse_areas"], json::array());
  ASSERT_EQ(dump["elements"].size(), 2u);

  const json& face = element(dump, 0);
  EXPECT_EQ(face["kind"], "static_image");
  EXPECT_EQ(face["resource"], 0x100);
  EXPECT_EQ(face["flags"], 0x83);

  const json& card = element(dump, 1);
  EXPECT_EQ(card["kind"], "sprite");
  EXPECT_EQ(card["resource"], 0x1100);
  EXPECT_EQ(card["position"], json::array({0, 0}));
  EXPECT_EQ(card["flags"], 0x83 | 0x4);
  EXPECT_EQ(card["lit"], true);
  EXPECT_EQ(card["hidden"], false);
}

TEST(Compass, CardTurnsByTheHeadingAndNeverShifts) {
  struct Case {
    const char* heading;
    json rotation;
  } cases[] = {
      {"0", 0.0},      {"90", 90.0},   {"180", 180.0}, {"360", 360.0},
      {"30", 30.0},    {"-45.5", -45.5}, {"1e300", 1e300},
      {"nan", "nan"},  {"inf", "inf"}, {"-inf", "-inf"},
  };
  for (const Case& c : cases) {
    // Token 0 must stay 0 whatever a script writes to it: it feeds the shifts.
    const json card = element(dump_after(std::string("set 0 7\nset 83 ") + c.heading), 1);
    EXPECT_EQ(card["rotation"], c.rotation) << "heading " << c.heading;
    EXPECT_EQ(card["x"], 0.0) << "heading " << c.heading;
    EXPECT_EQ(card["y"], 0.0) << "heading " << c.heading;
    EXPECT_EQ(card["lit"], true);
  }
}

TEST(Compass, RotationFollowsTheLatestRefresh) {
  ProbeRun run = run_probe("load compass\nset 83 10\ncycle\nset 83 20\ndump compass\ncycle\ndump compass\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_EQ(element(run.lines[0], 1)["rotation"], 10.0) << "values are those of the last cycle";
  EXPECT_EQ(element(run.lines[1], 1)["rotation"], 20.0);
}

}  // namespace
}  // namespace vortane::testing
