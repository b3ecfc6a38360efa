// Text for string elements: FreeType with the Liberation faces, which have the
// metrics of the faces that the gauges name ("Arial" is Liberation Sans,
// "Arial Narrow" Liberation Sans Narrow).
//
// The size rule: capital letters are half as tall as the string's box (an
// 11-pixel label box gives 5.5-pixel capitals, an em of about 8 pixels), so
// that labels stacked 7 pixels apart and readouts inside their painted
// windows stay clear of each other. The text starts at the box's left edge
// with the font's cell top (its ascender line) on the box's top, is not
// wrapped, and is clipped to the box; the box is not filled.
// Glyphs are rendered once per face and size and kept; a line stops at the
// first glyph that starts past the box, so a label padded with hundreds of
// spaces costs only its visible part.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "vortane/host/render/image.h"

namespace vortane::host::render {

namespace raster {
struct Rect;
}

inline constexpr const char* kDefaultFontDir = "/usr/share/fonts/truetype/liberation";

class Fonts {
 public:
  // Fonts are opened on first use; a missing file is a RenderError then.
  explicit Fonts(std::filesystem::path dir = kDefaultFontDir);
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // Draws `text` (bytes taken as Latin-1) into `target` in the box at (x, y),
  // `width` × `height`, in `colour` (0x00BBGGRR) dimmed by `tone` (256: full).
  // Weights below 600 use the regular face, 600 and above the bold one.
  void draw(Image& target, std::string_view text, int32_t x, int32_t y, int32_t width, int32_t height,
            uint32_t colour, std::string_view font_name, uint32_t weight, uint16_t tone);

  // The file that a font name and weight are drawn with.
  std::filesystem::path file_for(std::string_view font_name, uint32_t weight) const;

  // Glyphs rendered so far, over every face and size (for tests of the cache).
  size_t glyphs_rendered() const { return glyphs_rendered_; }

 private:
  struct Glyph {
    int32_t left = 0, top = 0, width = 0, height = 0, advance = 0;
    std::vector<uint8_t> coverage;
  };
  struct Face;
  struct Sized {
    Face* face = nullptr;
    int32_t ascent = 0;  // pixels from the cell top to the baseline
    int64_t size_26_6 = 0;
    std::map<uint32_t, Glyph> glyphs;
  };
  Face& face(const std::filesystem::path& file);
  Sized& sized(std::string_view font_name, uint32_t weight, int32_t box_height);
  const Glyph& glyph(Sized& sized, uint32_t code);

  std::filesystem::path dir_;
  void* library_ = nullptr;  // FT_Library
  std::map<std::filesystem::path, std::unique_ptr<Face>> faces_;
  std::map<std::tuple<std::filesystem::path, int32_t>, Sized> sizes_;
  size_t glyphs_rendered_ = 0;
};

}  // namespace vortane::host::render
