#include "vortane/numbers.h"

#include <cfloat>
#include <cmath>

namespace vortane {

int32_t wrap_to_int32(double value) {
  if (std::isnan(value)) return 0;
  const double whole = std::trunc(value);
  int64_t wide;
  if (whole >= 9223372036854775808.0) {          // 2^63: beyond the signed range
    wide = INT64_MAX;
  } else if (whole < -9223372036854775808.0) {
    wide = INT64_MIN;
  } else {
    wide = static_cast<int64_t>(whole);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(wide)));
}

double narrow_to_single(double value) {
  const double magnitude = std::fabs(value);
  if (std::isnan(value) || magnitude <= FLT_MAX) return static_cast<float>(value);
  // Beyond the largest float: round to nearest, ties to even. The largest
  // float has an odd significand, so the halfway point itself goes to infinity.
  const double halfway = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
  return std::copysign(magnitude < halfway ? static_cast<double>(FLT_MAX) : HUGE_VAL, value);
}

}  // namespace vortane
