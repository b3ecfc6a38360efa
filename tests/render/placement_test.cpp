// The numbers of the drawing rules, for every kind of double.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "vortane/host/render/placement.h"

namespace {

using namespace vortane::host::render;
using vortane::NonlinearityPoint;
using vortane::PixelPoint;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The altimeter's table from the combined standby instrument: one turn clockwise over 0 to 999.
const std::vector<NonlinearityPoint> kAltimeter = {
    {97, 8, 0, 0}, {129, 106, 400, 0}, {66, 106, 600, 0}, {46, 42, 800, 0}, {96, 5, 999, 0}};
constexpr PixelPoint kAltimeterPivot{97, 60};

double degrees_towards(int x, int y, PixelPoint pivot) {
  return std::atan2(y - pivot.y, x - pivot.x) * 180.0 / 3.14159265358979323846;
}

TEST(NeedleAngle, PointsAtEachCalibrationPoint) {
  const double up = degrees_towards(97, 8, kAltimeterPivot);
  EXPECT_NEAR(needle_angle(kAltimeter, kAltimeterPivot, 0), up, 1e-9);
  // Clockwise from the top: every later point lies further round, never back.
  double previous = up;
  for (size_t i = 1; i < kAltimeter.size(); ++i) {
    const double angle = needle_angle(kAltimeter, kAltimeterPivot, kAltimeter[i].value);
    const double direction = degrees_towards(kAltimeter[i].x, kAltimeter[i].y, kAltimeterPivot);
    EXPECT_NEAR(std::remainder(angle - direction, 360.0), 0.0, 1e-9) << "point " << i;
    EXPECT_GT(angle, previous) << "point " << i;
    previous = angle;
  }
  // 999 is a hair short of a full turn.
  EXPECT_NEAR(previous - up, 359.0, 1.5);
}

TEST(NeedleAngle, InterpolatesLinearlyInTheValueBetweenPoints) {
  const double at400 = needle_angle(kAltimeter, kAltimeterPivot, 400);
  const double at600 = needle_angle(kAltimeter, kAltimeterPivot, 600);
  EXPECT_NEAR(needle_angle(kAltimeter, kAltimeterPivot, 450), at400 + 0.25 * (at600 - at400), 1e-9);
  EXPECT_NEAR(needle_angle(kAltimeter, kAltimeterPivot, 500), (at400 + at600) / 2, 1e-9);
}

TEST(NeedleAngle, HeldAtTheEndsAndNaNAtTheFirstPoint) {
  const double first = needle_angle(kAltimeter, kAltimeterPivot, 0);
  const double last = needle_angle(kAltimeter, kAltimeterPivot, 999);
  for (double below : {-50.0, -1e300, -kInf, kNaN}) EXPECT_EQ(needle_angle(kAltimeter, kAltimeterPivot, below), first);
  for (double above : {1000.0, 1e300, kInf}) EXPECT_EQ(needle_angle(kAltimeter, kAltimeterPivot, above), last);
}

TEST(NeedleAngle, TurnsTheShorterWayAcrossTheLeft) {
  // From up-left to down-left through the left (across ±180 degrees), not through the right.
  const std::vector<NonlinearityPoint> table = {{0, 0, 0, 0}, {0, 20, 10, 0}};
  const PixelPoint pivot{10, 10};
  EXPECT_NEAR(std::remainder(needle_angle(table, pivot, 5) - 180.0, 360.0), 0.0, 1e-9);
  // Equal neighbouring values: a jump, never a division by zero.
  const std::vector<NonlinearityPoint> jump = {{20, 10, 0, 0}, {10, 0, 0, 0}, {0, 10, 5, 0}};
  EXPECT_TRUE(std::isfinite(needle_angle(jump, pivot, 0)));
  EXPECT_TRUE(std::isfinite(needle_angle(jump, pivot, 2)));
}

TEST(MovingImageOffset, FollowsTheTravelRule) {
  struct Case {
    double value, min, max, travel, expected;
  } cases[] = {
      {0, 0, 470, 493, 0},            // the tape's left end
      {470, 0, 470, 493, 493},        // its right end
      {235, 0, 470, 493, 246.5},      // 493/470 pixels per unit
      {-10, 0, 470, 493, 0},          // held at the ends
      {1e300, 0, 470, 493, 493},
      {kInf, 0, 470, 493, 493},
      {-kInf, 0, 470, 493, 0},
      {kNaN, 0, 470, 493, 0},         // NaN rests at the minimum
      {0, 470, 0, 493, 493},          // min > max runs the other way
      {470, 470, 0, 493, 0},
      {100, 470, 0, 493, 493 * 370.0 / 470},
      {5, 3, 3, 50, 0},               // min == max does not move
      {5, 0, 10, -40, -20},           // a picture smaller than its window slides inside it
      {10, 0, 10, -40, -40},
      {1e308, -1e308, 1e308, 100, 100},  // a span too wide to subtract still holds the ends
  };
  for (const Case& c : cases)
    EXPECT_NEAR(moving_image_offset(c.value, c.min, c.max, c.travel), c.expected, 1e-9)
        << c.value << " in " << c.min << ".." << c.max << ", travel " << c.travel;
}

TEST(IconImage, RoundsTowardZeroAndShowsNothingOutsideTheImages) {
  struct Case {
    double value;
    std::optional<uint32_t> expected;
  } cases[] = {
      {0, 0}, {1, 1}, {4, 4}, {1.9, 1}, {-0.5, 0}, {5, std::nullopt}, {-1, std::nullopt},
      {kNaN, std::nullopt}, {kInf, std::nullopt}, {-kInf, std::nullopt}, {1e300, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(icon_image(c.value, 5), c.expected) << c.value;
  EXPECT_EQ(icon_image(0, 0), std::nullopt);
}

TEST(ShiftsAndTurns, DefinedForEveryDouble) {
  EXPECT_EQ(shift_pixels(127, 0.208661417322835), 127 * 0.208661417322835);
  EXPECT_EQ(shift_pixels(kNaN, 1), 0);
  EXPECT_EQ(shift_pixels(kInf, 0), 0);  // inf × 0 is NaN
  EXPECT_EQ(shift_pixels(kInf, 1), kFarShift);
  EXPECT_EQ(shift_pixels(-1e300, 1e10), -kFarShift);
  EXPECT_EQ(turn_degrees(90, -1), -90);
  EXPECT_EQ(turn_degrees(450, 1), 90);
  EXPECT_EQ(turn_degrees(kNaN, 1), 0);
  EXPECT_EQ(turn_degrees(kInf, 1), 0);
  EXPECT_TRUE(std::isfinite(turn_degrees(1e300, 1)));
}

}  // namespace
