#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "vortane/numbers.h"

namespace vortane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(WrapToInt32, DefinedForEveryDouble) {
  struct Case {
    double value;
    int32_t expected;
  } cases[] = {
      {0.0, 0},
      {-0.0, 0},
      {12.9, 12},
      {-12.9, -12},                        // toward zero
      {2147483647.0, 2147483647},
      {2147483648.0, INT32_MIN},           // low 32 bits of 2^31
      {4294967296.0 + 5.0, 5},             // tick values wrap
      {-2147483649.0, 2147483647},
      {kNaN, 0},
      {kInf, -1},                          // held at INT64_MAX, whose low bits are all ones
      {-kInf, 0},                          // INT64_MIN has zero low bits
      {1e300, -1},
      {-1e300, 0},
      {9223372036854775807.0, -1},         // rounds to 2^63: beyond the range
      {-9223372036854775808.0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(wrap_to_int32(c.value), c.expected) << "value " << c.value;
  }
}

TEST(NarrowToSingle, RoundsAsAFloatWould) {
  EXPECT_EQ(narrow_to_single(12345.6), 12345.599609375);
  EXPECT_EQ(narrow_to_single(16777217.0), 16777216.0);
  EXPECT_EQ(narrow_to_single(29.92), static_cast<double>(29.92f));
  EXPECT_TRUE(std::isnan(narrow_to_single(kNaN)));
  EXPECT_EQ(narrow_to_single(kInf), kInf);
  EXPECT_EQ(narrow_to_single(-kInf), -kInf);

  const double max = std::numeric_limits<float>::max();
  const double halfway = max + std::ldexp(1.0, 103);
  EXPECT_EQ(narrow_to_single(max), max);
  EXPECT_EQ(narrow_to_single(std::nextafter(halfway, 0.0)), max);  // below halfway: down
  EXPECT_EQ(narrow_to_single(halfway), kInf);                      // tie goes to even: infinity
  EXPECT_EQ(narrow_to_single(-1e300), -kInf);
}

}  // namespace
}  // namespace vortane
