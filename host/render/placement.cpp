#include "vortane/host/render/placement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vortane::host::render {
namespace {

double direction(const NonlinearityPoint& point, PixelPoint pivot) {
  const double dx = static_cast<double>(point.x) - pivot.x;
  const double dy = static_cast<double>(point.y) - pivot.y;
  return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

// The turn from one direction to the next, the shorter way, in (-180, 180].
double shorter_turn(double from, double to) {
  double turn = std::fmod(to - from, 360.0);
  if (turn > 180.0) turn -= 360.0;
  if (turn <= -180.0) turn += 360.0;
  return turn;
}

}  // namespace

double needle_angle(std::span<const NonlinearityPoint> table, PixelPoint pivot, double value) {
  if (table.empty()) return 0.0;
  double angle = direction(table[0], pivot);
  if (std::isnan(value) || value <= table[0].value) return angle;
  for (size_t i = 1; i < table.size(); ++i) {
    const double next = angle + shorter_turn(direction(table[i - 1], pivot), direction(table[i], pivot));
    const double lo = table[i - 1].value;
    const double hi = table[i].value;
    if (value <= hi) {
      // Equal neighbours (a jump in the table) and overflowing spans fall back to the ends.
      double t = (value - lo) / (hi - lo);
      if (!(t >= 0.0)) t = 0.0;
      if (t > 1.0) t = 1.0;
      return angle + t * (next - angle);
    }
    angle = next;
  }
  return angle;
}

double moving_image_offset(double value, double min, double max, double travel) {
  if (min == max || std::isnan(value) || !std::isfinite(travel)) return 0.0;
  value = std::clamp(value, std::min(min, max), std::max(min, max));
  // In halves, so that no span of finite doubles overflows.
  double t = (value * 0.5 - min * 0.5) / (max * 0.5 - min * 0.5);
  if (!(t >= 0.0)) t = 0.0;
  if (t > 1.0) t = 1.0;
  return t * travel;
}

std::optional<uint32_t> icon_image(double value, uint32_t image_count) {
  if (!std::isfinite(value)) return std::nullopt;
  const double index = std::trunc(value);
  if (index < 0.0 || index >= static_cast<double>(image_count)) return std::nullopt;
  return static_cast<uint32_t>(index);
}

double shift_pixels(double value, double scale) {
  const double pixels = value * scale;
  if (std::isnan(pixels)) return 0.0;
  return std::clamp(pixels, -kFarShift, kFarShift);
}

double turn_degrees(double value, double scale) {
  const double degrees = value * scale;
  if (!std::isfinite(degrees)) return 0.0;
  return std::fmod(degrees, 360.0);
}

}  // namespace vortane::host::render
