// Conversions that are defined for every double a simulator may hand us:
// NaN, infinities, huge and negative values included.
#pragma once

#include <cstdint>

namespace vortane {

// NaN gives 0; any other value is truncated toward zero, held inside the
// signed 64-bit range, and its low 32 bits are kept (tick values wrap so).
int32_t wrap_to_int32(double value);

// The value rounded to single precision and widened back, as a float would
// hold it; values beyond the float range round to the largest float or to
// infinity the way the hardware would, NaN stays NaN.
double narrow_to_single(double value);

}  // namespace vortane
