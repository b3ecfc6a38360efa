// Text for artwork, rendered with FreeType from the Liberation fonts.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "artgen/canvas.h"

namespace artgen {

enum class Typeface { sans, sans_bold, sans_narrow, sans_narrow_bold };

// Where the anchor point sits on the text.
enum class HAlign { left, centre, right };
enum class VAlign { baseline, middle };  // middle: half the capital height above the baseline

struct TextStyle {
    Typeface face = Typeface::sans;
    float size = 10.0f;  // pixel size (em)
    Rgb colour = white;
    HAlign h = HAlign::left;
    VAlign v = VAlign::baseline;
    float angle = 0.0f;  // degrees clockwise, turned about the anchor point
};

// Draw text with its anchor at `at`. Throws std::runtime_error naming the font
// file when a font is missing.
void draw_text(Canvas& canvas, std::string_view text, Point at, const TextStyle& style);

// Width of the text in pixels at the style's size (unrotated).
float text_width(std::string_view text, const TextStyle& style);

// Where the fonts are looked for; fixed to the Debian package's directory.
std::string font_path(Typeface face);

}  // namespace artgen
