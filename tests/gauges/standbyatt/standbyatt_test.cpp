#include <string>

#include <gtest/gtest.h>

#include "probe_harness.h"

namespace vortane::testing {
namespace {

using nlohmann::json;

json dump_after(const std::string& setup) {
  ProbeRun run = run_probe("load standbyatt\n" + setup + "\ncycle\ndump standbyatt\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  if (run.lines.size() != 1) {
    ADD_FAILURE() << "expected one dump line, got " << run.lines.size();
    return json::object();
  }
  return run.lines[0];
}

TEST(StandbyAttitude, DescribesBallPointerAndInclinometer) {
  const json dump = dump_after("");
  EXPECT_EQ(dump["gauge"], "VORTANE");
  EXPECT_EQ(dump["mouse_areas"], json::array());
  struct Row {
    const char* kind;
    int resource;
    int x, y;
  } rows[] = {
      {"static_image", 0x100, 0, 0}, {"sprite", 0x1600, 0, 0}, {"needle", 0x1400, 85, 85},
      {"icon", 0x1200, 49, 130},     {"slider", 0x1500, 80, 132},
  };
  ASSERT_EQ(dump["elements"].size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    const json& e = element(dump, i);
    EXPECT_EQ(e["kind"], rows[i].kind) << i;
    EXPECT_EQ(e["resource"], rows[i].resource) << i;
    EXPECT_EQ(e["position"], json::array({rows[i].x, rows[i].y})) << i;
    EXPECT_EQ(e["lit"], i != 0) << i;  // everything but the face is always lit
  }
  EXPECT_EQ(element(dump, 3)["value"], 0.0) << "the tube is always image 0";
}

TEST(StandbyAttitude, BankPointerHeldAtTheEndsWhileTheBallTurnsOn) {
  struct Case {
    const char* bank;
    json pointer;
    json ball_rotation;
  } cases[] = {
      {"0", 60.0, 0.0},       {"30", 90.0, 30.0},     {"30.5", 90.5, 30.5}, {"60", 120.0, 60.0},
      {"75", 120.0, 75.0},    {"-60", 0.0, -60.0},    {"-90", 0.0, -90.0},  {"inf", 120.0, "inf"},
      {"-inf", 0.0, "-inf"},  {"1e300", 120.0, 1e300},
  };
  for (const Case& c : cases) {
    const json dump = dump_after(std::string("set 80 ") + c.bank);
    EXPECT_EQ(element(dump, 2)["value"], c.pointer) << "bank " << c.bank;
    EXPECT_EQ(element(dump, 1)["rotation"], c.ball_rotation) << "bank " << c.bank;
  }
}

TEST(StandbyAttitude, BallPitchesAndSlipBallSlides) {
  struct Case {
    const char* setup;
    json ball_y;
    json slip_x;
  } cases[] = {
      {"set 78 10\nset 69 127", 10.0, 127.0},
      {"set 78 -5\nset 69 -127", -5.0, -127.0},
      {"set 78 nan\nset 69 nan", "nan", "nan"},
  };
  for (const Case& c : cases) {
    const json dump = dump_after(c.setup);
    EXPECT_EQ(element(dump, 1)["y"], c.ball_y) << c.setup;
    EXPECT_EQ(element(dump, 1)["x"], 0.0) << c.setup;
    EXPECT_EQ(element(dump, 4)["x"], c.slip_x) << c.setup;
    EXPECT_EQ(element(dump, 4)["y"], 0.0) << c.setup;
  }
}

}  // namespace
}  // namespace vortane::testing
