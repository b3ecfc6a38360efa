// The airspeed tape reads what the module makes it show: the tape moves 1.04
// pixels a unit with 0 at x 58, so the long mark at x 58 + 52 k stands for
// 50 k and must carry that number.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "artgen/gauge_art.h"
#include "artgen/text.h"

namespace artgen {
namespace {

const Canvas& tape() {
  static const Canvas drawn = [] {
    for (Picture& p : find_gauge_art("combi")->draw())
      if (p.id == 0x1700) return p.canvas;
    throw std::runtime_error("combi has no tape picture");
  }();
  return drawn;
}

TEST(AirspeedTape, EachLongMarkCarriesItsSpeed) {
  const Rgb tape_black{22, 22, 24};
  const TextStyle label{.face = Typeface::sans_bold, .size = 13.0f, .colour = white, .h = HAlign::centre};
  for (int k = 0; k <= 10; ++k) {
    const float mark = 58.0f + 52.0f * static_cast<float>(k);
    const std::string speed = std::to_string(50 * k);
    Canvas expected(610, 34, tape_black);
    draw_text(expected, speed, {mark, 15.0f}, label);
    // The number sits above the marks (which start at y 20) and right of the
    // stripes (which end at x 50); compare it there.
    int differing = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = std::max(51, static_cast<int>(mark) - 24); x <= static_cast<int>(mark) + 24; ++x)
        if (!(tape().at(x, y) == expected.at(x, y))) ++differing;
    EXPECT_EQ(differing, 0) << "the mark at x " << mark << " should read " << speed;
  }
}

}  // namespace
}  // namespace artgen
