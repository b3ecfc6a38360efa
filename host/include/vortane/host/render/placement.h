// The numbers behind the drawing rules, apart from the pixels: where a needle
// points, how far a moving image slides, which image an icon shows, how far a
// sprite or slider is shifted and turned. Every function is defined for every
// double (NaN, infinities and huge values included).
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "vortane/abi.h"

namespace vortane::host::render {

// Shifts are held within this many pixels: far enough to leave any face,
// small enough that every later sum stays exact and convertible.
inline constexpr double kFarShift = 1.0e6;

// The screen angle of a needle, in degrees, 0 along +x, growing clockwise
// (screen y grows downwards), for `value` on a calibration table around
// `pivot`. Between neighbouring points the angle is interpolated linearly in
// the value, turning the shorter way from one point's direction to the next
// (exactly half a turn goes clockwise). Values below the first point and
// NaN give the first point's angle; values above the last give the last's.
// An empty table gives 0.
double needle_angle(std::span<const NonlinearityPoint> table, PixelPoint pivot, double value);

// Which picture column (row) the window's first column (row) shows: `travel`
// (picture size minus window size, negative when the picture is the smaller)
// times where `value` lies from `min` to `max`. Values beyond either end are
// held at that end; min == max and NaN give 0 (the picture at rest).
double moving_image_offset(double value, double min, double max, double travel);

// The image an icon shows for `value`: the value rounded toward zero, if that
// is an image of the icon (0 to image_count - 1); nothing for NaN, infinities,
// negative indices and indices past the last image.
std::optional<uint32_t> icon_image(double value, uint32_t image_count);

// value × scale in pixels, NaN taken as 0 and the result held within ±kFarShift.
double shift_pixels(double value, double scale);

// value × scale in degrees, reduced into (-360, 360); 0 when not finite.
double turn_degrees(double value, double scale);

}  // namespace vortane::host::render
