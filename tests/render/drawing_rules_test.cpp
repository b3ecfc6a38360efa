// The drawing rules on the fixture gauges of fixtures/chains.cpp: each test
// sets a value, cycles, paints, and looks at the few pixels that show the rule.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "rig.h"

namespace {

using namespace vortane::render_fixtures;
using vortane::host::render::Image;
using vortane::host::render::kNightUnlitTone;
using vortane::host::render::Lighting;
using vortane::host::render::Rgba;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string describe(Rgba c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ", " +
         std::to_string(c.a) + ")";
}

bool white(Rgba c) { return c.r >= 230 && c.g >= 230 && c.b >= 230 && c.a == 255; }

TEST(WindowBitmap, NearBlackShowsThePicturePureBlackWhatLiesUnderOtherColoursStay) {
  Rig rig("window");
  const Rgba black{0, 0, 0, 255};
  struct Probe {
    double value;
    int x, y;
    Rgba expected;
    const char* why;
  } probes[] = {
      {0, 11, 20, rgba(kGreen), "near-black window: the picture's left end"},
      {0, 16, 20, rgba(kBlue), "pure black window: the face under the element"},
      {0, 21, 20, rgba(kOrange), "orange window pixel drawn as it is"},
      {0, 26, 20, rgba(kGreen), "near-black again, picture column 16"},
      {0, 12, 12, rgba(kBlue), "pure black in the picture: transparent through the window too"},
      {0, 13, 13, black, "near-black in the picture: drawn black"},
      {0, 35, 20, rgba(kBlue), "the picture reaches past the window but is not drawn there"},
      {20, 11, 20, rgba(kRed), "slid 20 pixels: the window shows the picture's red half"},
      {20, 16, 20, rgba(kBlue), "pure black still shows the face"},
      {20, 21, 20, rgba(kOrange), "orange whatever the picture does"},
      {20, 26, 20, rgba(kRed), "near-black again, picture column 36"},
  };
  for (const Probe& p : probes) {
    const Image frame = rig.draw({{10, p.value}});
    EXPECT_EQ(frame.pixel(p.x, p.y), p.expected)
        << p.why << ": value " << p.value << " at (" << p.x << ", " << p.y << ") is " << describe(frame.pixel(p.x, p.y));
  }
}

// The picture column that the tape fixture shows at a frame column.
int tape_column(const Image& frame, int x) {
  const Rgba low = frame.pixel(x, 10), high = frame.pixel(x, 11);
  return (low.r - column_code(0).r) + 200 * (high.r - column_code(0).r);
}

TEST(MovingImage, TapeMovesAt493Over470PixelsPerUnitAndIsHeldAtItsEnds) {
  Rig rig("tape");
  constexpr int first = 10, last = 10 + kTapeWindow - 1;
  struct Case {
    double value;
    int first_column, last_column;
  } cases[] = {
      {0, 0, 116},                  // the left end
      {470, 493, 609},              // the right end
      {470.0 * 100 / 493, 100, 216},
      {470.0 * 300 / 493, 300, 416},
      {-20, 0, 116},
      {1000, 493, 609},
      {kNaN, 0, 116},
  };
  for (const Case& c : cases) {
    const Image frame = rig.draw({{10, c.value}});
    EXPECT_EQ(tape_column(frame, first), c.first_column) << "value " << c.value;
    EXPECT_EQ(tape_column(frame, last), c.last_column) << "value " << c.value;
    EXPECT_EQ(frame.pixel(last + 1, 10), rgba(kBlue)) << "nothing past the window, value " << c.value;
  }
}

TEST(Sprite, PositiveRotationTurnsCounterClockwiseAndScaleMinusOneClockwise) {
  // The bar's right half is red: where it points shows the picture's x axis.
  struct Case {
    const char* module;
    double rotation;
    int red_x, red_y, green_x, green_y;
  } cases[] = {
      {"sprite_ccw", 0, 25, 20, 15, 20},   // as stored: red to the right
      {"sprite_ccw", 90, 20, 14, 20, 25},  // a quarter turn counter-clockwise: red up
      {"sprite_cw", 90, 20, 25, 20, 14},   // scale -1: a quarter turn clockwise, red down
      {"sprite_cw", -90, 20, 14, 20, 25},
      {"sprite_ccw", 180, 14, 20, 25, 20},
  };
  for (const Case& c : cases) {
    Rig rig(c.module);
    const Image frame = rig.draw({{12, c.rotation}});
    EXPECT_EQ(frame.pixel(c.red_x, c.red_y), rgba(kRed)) << c.module << " at " << c.rotation;
    EXPECT_EQ(frame.pixel(c.green_x, c.green_y), rgba(kGreen)) << c.module << " at " << c.rotation;
  }
}

TEST(Sprite, ShiftsAlongItsOwnAxesBeforeTurning) {
  Rig rig("sprite_ccw");
  // Unturned: x right, y down. Red spans x 20..30, y 15..25 at rest.
  Image frame = rig.draw({{10, 5}, {11, 3}, {12, 0}});
  EXPECT_EQ(frame.pixel(33, 26), rgba(kRed));
  EXPECT_EQ(frame.pixel(21, 20), rgba(kGreen));
  EXPECT_EQ(frame.pixel(21, 16), rgba(kBlue)) << "moved down by 3";
  // A quarter turn counter-clockwise: its x axis points up, its y axis right.
  frame = rig.draw({{10, 5}, {11, 0}, {12, 90}});
  EXPECT_EQ(frame.pixel(20, 6), rgba(kRed)) << "red now spans y 5..15";
  EXPECT_EQ(frame.pixel(20, 17), rgba(kGreen));
  EXPECT_EQ(frame.pixel(20, 27), rgba(kBlue));
  frame = rig.draw({{10, 0}, {11, 3}, {12, 90}});
  EXPECT_EQ(frame.pixel(27, 14), rgba(kRed)) << "moved right by 3: red spans x 18..28";
  EXPECT_EQ(frame.pixel(16, 14), rgba(kBlue));
}

TEST(Icon, ShowsImageIndexRoundedTowardZeroAndNothingWithoutABitmap) {
  Rig rig("icon");
  struct Case {
    double value;
    Rgba expected;
  } cases[] = {
      {0, rgba(kIconColours[0])}, {1, rgba(kIconColours[1])}, {2, rgba(kIconColours[2])},
      {1.99, rgba(kIconColours[1])}, {3, rgba(kBlue)},  // declared, but no bitmap
      {5, rgba(kBlue)}, {-1, rgba(kBlue)}, {kNaN, rgba(kBlue)}, {1e300, rgba(kBlue)},
  };
  for (const Case& c : cases) {
    const Image frame = rig.draw({{10, c.value}});
    EXPECT_EQ(frame.pixel(11, 11), c.expected) << "value " << c.value;
  }
}

TEST(HiddenFlag, SkipsTheElementAndStillDrawsTheNext) {
  Rig rig("hidden");
  for (int round = 0; round < 2; ++round) {
    Image frame = rig.draw({{20, 1}});
    EXPECT_EQ(frame.pixel(11, 11), rgba(kBlue)) << "hidden, round " << round;
    EXPECT_EQ(frame.pixel(17, 17), rgba(kGreen)) << "the next element, round " << round;
    frame = rig.draw({{20, 0}});
    EXPECT_EQ(frame.pixel(11, 11), rgba(kRed)) << "shown again, round " << round;
    EXPECT_EQ(frame.pixel(14, 14), rgba(kGreen)) << "the next element lies on top";
  }
}

TEST(Lighting, AtNightUnlitElementsAreDimmedAndLitOnesAreNot) {
  Rig rig("hidden");
  auto dim = [](Rgb c) {
    return Rgba{static_cast<uint8_t>(c.r * kNightUnlitTone >> 8), static_cast<uint8_t>(c.g * kNightUnlitTone >> 8),
                static_cast<uint8_t>(c.b * kNightUnlitTone >> 8), 255};
  };
  const Image night = rig.draw({{20, 0}}, Lighting::night);
  EXPECT_EQ(night.pixel(11, 11), dim(kRed)) << "unlit square";
  EXPECT_EQ(night.pixel(50, 50), dim(kBlue)) << "unlit face";
  EXPECT_EQ(night.pixel(17, 17), rgba(kGreen)) << "lit square";
  const Image day = rig.draw({{20, 0}}, Lighting::day);
  EXPECT_EQ(day.pixel(11, 11), rgba(kRed));
  EXPECT_EQ(day.pixel(50, 50), rgba(kBlue));
}

TEST(Needle, PointsAtItsCalibrationPointsAndBetweenThemAboutAFixedPivot) {
  Rig rig("needle");
  // Screen angles (clockwise from +x) for the table right 0, up 100, left 200.
  struct Case {
    double value, degrees;
  } cases[] = {{0, 0},       {100, -90},  {200, -180}, {50, -45},  {150, -135}, {25, -22.5},
               {-50, 0},     {500, -180}, {kNaN, 0},   {1e300, -180}};
  const double cx = 40.5, cy = 40.5;  // the centre of the pivot pixel
  for (const Case& c : cases) {
    const Image frame = rig.draw({{10, c.value}});
    const double a = c.degrees * 3.14159265358979323846 / 180;
    for (double r : {0.0, 6.0, 12.0, 18.0}) {
      const int x = static_cast<int>(std::floor(cx + r * std::cos(a)));
      const int y = static_cast<int>(std::floor(cy + r * std::sin(a)));
      EXPECT_TRUE(white(frame.pixel(x, y))) << "value " << c.value << ": (" << x << ", " << y << ") at " << r
                                             << " pixels is " << describe(frame.pixel(x, y));
    }
    // Square to the needle, off its width: the face.
    const int x = static_cast<int>(std::floor(cx + 10 * std::cos(a + 1.5708)));
    const int y = static_cast<int>(std::floor(cy + 10 * std::sin(a + 1.5708)));
    EXPECT_EQ(frame.pixel(x, y), rgba(kBlue)) << "value " << c.value;
  }
}

TEST(Text, DrawnInTheFirstColourClippedToItsBoxWhichIsNotFilled) {
  Rig rig("text");
  const Image frame = rig.draw();
  // "AC" + 199 spaces + "0": only AC inside the 41-pixel box.
  bool ink = false;
  for (int y = 2; y < 13; ++y)
    for (int x = 2; x < 20; ++x) {
      const Rgba p = frame.pixel(x, y);
      if (p.r > 200) {
        ink = true;
        EXPECT_GT(p.b, 200) << "white, the first colour, not the yellow second: " << describe(p);
      }
    }
  EXPECT_TRUE(ink) << "the label's letters";
  EXPECT_EQ(frame.pixel(33, 7), rgba(kGreen)) << "the square under the box shows";
  EXPECT_EQ(frame.pixel(25, 3), rgba(kBlue)) << "the box is not filled";
  // The narrow box: its words are cut at its right and bottom edges.
  bool narrow_ink = false;
  for (int y = 40; y < 62; ++y)
    for (int x = 2; x < 12; ++x) narrow_ink |= frame.pixel(x, y).r > 200;
  EXPECT_TRUE(narrow_ink);
  for (int y = 36; y < 80; ++y)
    for (int x = 0; x < 80; ++x)
      if (x >= 12 || y >= 62) {
        ASSERT_EQ(frame.pixel(x, y), rgba(kBlue)) << "(" << x << ", " << y << ") outside the box";
      }
}

TEST(Text, StopsAtTheBoxEdgeAndKeepsItsGlyphs) {
  Rig rig("text");
  rig.draw();
  // A, C and the space of the label, W of the narrow box: never the far "0".
  EXPECT_EQ(rig.fonts().glyphs_rendered(), 4u);
  rig.draw();
  EXPECT_EQ(rig.fonts().glyphs_rendered(), 4u) << "a second frame renders no glyph again";
}

TEST(ExtremeValues, EveryRuleDrawsWithoutFaultAndKeepsTheFace) {
  // Under the sanitizers a conversion of any of these to a pixel would stop the run.
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const double values[] = {kNaN, kInf, -kInf, 1e300, -1e300, 2147483648.0, -2147483649.0, 4.9e-324};
  for (const char* name : {"window", "tape", "sprite_ccw", "sprite_cw", "icon", "hidden", "needle", "text"}) {
    Rig rig(name);
    for (double v : values) {
      const Image frame = rig.draw({{10, v}, {11, v}, {12, v}, {20, v}});
      ASSERT_EQ(frame.width, kFaceWidth) << name;
      EXPECT_EQ(frame.pixel(kFaceWidth - 1, kFaceHeight - 1), rgba(kBlue)) << name << " at " << v;
    }
  }
}

}  // namespace
