#include "vortane/host/render/fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>

#include "raster.h"

namespace vortane::host::render {

namespace {
// Boxes taller than this are drawn at this height: enough for any face, and
// FreeType's sizes stay far from their limits.
constexpr int32_t kTallestCell = 1024;
// Capital height in ems for a face that does not say (about Liberation Sans's).
constexpr double kCapsWithoutTable = 0.69;
}  // namespace

struct Fonts::Face {
  FT_Face face = nullptr;
  ~Face() {
    if (face != nullptr) FT_Done_Face(face);
  }
};

Fonts::Fonts(std::filesystem::path dir) : dir_(std::move(dir)) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw RenderError("FreeType could not be started");
  library_ = library;
}

Fonts::~Fonts() {
  sizes_.clear();
  faces_.clear();
  FT_Done_FreeType(static_cast<FT_Library>(library_));
}

std::filesystem::path Fonts::file_for(std::string_view font_name, uint32_t weight) const {
  std::string name(font_name);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // Every other name falls back to the plain sans face.
  const std::string family = name == "arial narrow" ? "LiberationSansNarrow" : "LiberationSans";
  return dir_ / (family + (weight >= 600 ? "-Bold.ttf" : "-Regular.ttf"));
}

Fonts::Face& Fonts::face(const std::filesystem::path& file) {
  auto it = faces_.find(file);
  if (it != faces_.end()) return *it->second;
  auto face = std::make_unique<Face>();
  if (FT_New_Face(static_cast<FT_Library>(library_), file.c_str(), 0, &face->face) != 0)
    throw RenderError("cannot open the font " + file.string() +
                      " (install the Liberation fonts: apt-get install fonts-liberation)");
  return *faces_.emplace(file, std::move(face)).first->second;
}

Fonts::Sized& Fonts::sized(std::string_view font_name, uint32_t weight, int32_t box_height) {
  const std::filesystem::path file = file_for(font_name, weight);
  const int32_t cell = std::min(box_height, kTallestCell);
  auto key = std::make_tuple(file, cell);
  auto it = sizes_.find(key);
  if (it != sizes_.end()) return it->second;
  Face& f = face(file);
  const FT_Face ft = f.face;
  // The em whose capitals are half the box tall.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const double caps = os2 != nullptr && os2->version >= 2 && os2->sCapHeight > 0
                          ? static_cast<double>(os2->sCapHeight) / ft->units_per_EM
                          : kCapsWithoutTable;
  const double em = cell / (2.0 * caps);
  Sized s;
  s.face = &f;
  s.size_26_6 = std::max<int64_t>(1, std::llround(em * 64.0));
  s.ascent = static_cast<int32_t>(std::lround(em * ft->ascender / ft->units_per_EM));
  return sizes_.emplace(key, std::move(s)).first->second;
}

const Fonts::Glyph& Fonts::glyph(Sized& s, uint32_t code) {
  auto it = s.glyphs.find(code);
  if (it != s.glyphs.end()) return it->second;
  const FT_Face ft = s.face->face;
  Glyph g;
  // Sizes are shared by every Sized of one face, so set it before each render.
  if (FT_Set_Char_Size(ft, 0, static_cast<FT_F26Dot6>(s.size_26_6), 72, 72) == 0 &&
      FT_Load_Char(ft, code, FT_LOAD_RENDER) == 0) {
    const FT_GlyphSlot slot = ft->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int32_t>((slot->advance.x + 32) >> 6);
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.buffer != nullptr) {
      g.width = static_cast<int32_t>(bm.width);
      g.height = static_cast<int32_t>(bm.rows);
      g.coverage.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
      for (int32_t row = 0; row < g.height; ++row)
        std::copy_n(bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch, g.width,
                    g.coverage.begin() + static_cast<ptrdiff_t>(row) * g.width);
    }
  }
  ++glyphs_rendered_;
  return s.glyphs.emplace(code, std::move(g)).first->second;
}

void Fonts::draw(Image& target, std::string_view text, int32_t x, int32_t y, int32_t width, int32_t height,
                 uint32_t colour, std::string_view font_name, uint32_t weight, uint16_t tone) {
  if (width <= 0 || height <= 0 || text.empty()) return;
  const raster::Rect box{x, y, static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{x} + width)),
                         static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{y} + height))};
  const raster::Rect clip = box.intersect(raster::whole(target));
  if (clip.empty()) return;
  Sized& s = sized(font_name, weight, height);
  const Rgba ink{static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
                 static_cast<uint8_t>((colour >> 16) & 0xFF), 255};
  const int64_t baseline = int64_t{y} + s.ascent;
  int64_t pen = x;
  for (const char ch : text) {
    if (pen >= clip.x1) break;  // nothing further can show
    const Glyph& g = glyph(s, static_cast<unsigned char>(ch));
    const int64_t gx = pen + g.left;
    const int64_t gy = baseline - g.top;
    if (!g.coverage.empty() && gx < clip.x1 && gx + g.width > clip.x0 && gy < clip.y1 && gy + g.height > clip.y0)
      raster::blend_coverage(target, g.coverage.data(), g.width, g.width, g.height, static_cast<int32_t>(gx),
                             static_cast<int32_t>(gy), clip, ink, tone);
    pen += g.advance;
  }
}

}  // namespace vortane::host::render
