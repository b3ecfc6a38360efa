#include "vortane/host/render/layout.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

#include "raster.h"

namespace vortane::host::render {
namespace {

constexpr int32_t kLargestCanvas = 16384;

struct Reader {
  const std::string& source;
  int line;
  [[noreturn]] void fail(const std::string& what) const {
    throw RenderError(source + ":" + std::to_string(line) + ": " + what);
  }
  int32_t integer(const std::string& word, const char* what, int32_t lo, int32_t hi) const {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < lo || value > hi)
      fail(std::string("bad ") + what + " '" + word + "' (a whole number from " + std::to_string(lo) + " to " +
           std::to_string(hi) + ")");
    return value;
  }
  Rgba colour(const std::string& word) const {
    uint32_t value = 0;
    const bool hex = word.size() == 7 && word[0] == '#';
    const auto [end, error] = hex ? std::from_chars(word.data() + 1, word.data() + 7, value, 16)
                                  : std::from_chars(word.data(), word.data(), value);
    if (!hex || error != std::errc() || end != word.data() + 7) fail("bad colour '" + word + "' (#RRGGBB)");
    return {static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value), 255};
  }
};

bool module_name(const std::string& name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-')) return false;
  return true;
}

// A comment starts at a '#' that begins the line or is followed by a blank;
// '#303438' is a colour.
std::string without_comment(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t");
  if (first != std::string::npos && line[first] == '#') return {};
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t' || line[i + 1] == '\r'))
      return line.substr(0, i);
  return line;
}

}  // namespace

PanelLayout parse_layout(std::string_view text, const std::string& source) {
  PanelLayout layout;
  bool have_canvas = false;
  std::set<std::string> placed;
  std::istringstream in{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const Reader r{source, number};
    std::istringstream words_in(without_comment(line));
    std::vector<std::string> w;
    for (std::string word; words_in >> word;) w.push_back(word);
    if (w.empty()) continue;
    if (w[0] == "canvas") {
      if (have_canvas) r.fail("a second 'canvas' line (the panel has one size)");
      if (w.size() != 3 && w.size() != 4) r.fail("'canvas' takes WIDTH HEIGHT [#RRGGBB]");
      layout.width = r.integer(w[1], "canvas width", 1, kLargestCanvas);
      layout.height = r.integer(w[2], "canvas height", 1, kLargestCanvas);
      if (w.size() == 4) layout.colour = r.colour(w[3]);
      have_canvas = true;
    } else if (w[0] == "gauge") {
      if (!have_canvas) r.fail("'gauge' before 'canvas' (say the panel's size first)");
      if (w.size() != 4 && w.size() != 6) r.fail("'gauge' takes NAME X Y [WIDTH HEIGHT]");
      LayoutGauge g;
      g.module = w[1];
      if (!module_name(g.module)) r.fail("bad module name '" + g.module + "' (letters, digits, _ and -)");
      if (!placed.insert(g.module).second) r.fail("module '" + g.module + "' is placed twice (a module holds one gauge)");
      g.x = r.integer(w[2], "x", -kLargestCanvas, kLargestCanvas);
      g.y = r.integer(w[3], "y", -kLargestCanvas, kLargestCanvas);
      if (w.size() == 6) {
        g.width = r.integer(w[4], "width", 1, kLargestCanvas);
        g.height = r.integer(w[5], "height", 1, kLargestCanvas);
      }
      g.line = number;
      layout.gauges.push_back(g);
    } else {
      r.fail("unknown statement '" + w[0] + "' (canvas or gauge)");
    }
  }
  if (!have_canvas) throw RenderError(source + ": no 'canvas WIDTH HEIGHT' line");
  return layout;
}

PanelLayout read_layout(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw RenderError("cannot read the layout " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  return parse_layout(text.str(), file.string());
}

Image paint_panel(const PanelLayout& layout, const std::function<GaugePainter&(const LayoutGauge&)>& painter_for,
                  const PaintOptions& options) {
  Image panel(layout.width, layout.height);
  Rgba colour = layout.colour;
  if (options.lighting == Lighting::night) {
    // The panel itself is unlit.
    colour.r = static_cast<uint8_t>(colour.r * kNightUnlitTone >> 8);
    colour.g = static_cast<uint8_t>(colour.g * kNightUnlitTone >> 8);
    colour.b = static_cast<uint8_t>(colour.b * kNightUnlitTone >> 8);
  }
  panel.fill(colour);
  Image face;
  for (const LayoutGauge& g : layout.gauges) {
    GaugePainter& painter = painter_for(g);
    painter.paint_into(face, options);
    const bool own_size = g.width == 0 || (g.width == face.width && g.height == face.height);
    if (own_size) {
      raster::blit(panel, face, g.x, g.y, raster::kFullTone);
      continue;
    }
    if (face.width == 0 || face.height == 0) continue;
    const double sx = static_cast<double>(g.width) / face.width;
    const double sy = static_cast<double>(g.height) / face.height;
    const raster::Affine to_screen{sx, 0, 0, sy, static_cast<double>(g.x), static_cast<double>(g.y)};
    raster::Affine to_src;
    if (!to_screen.invert(to_src)) continue;
    raster::draw_mapped(panel, face, to_src, to_screen.cover(face.width, face.height, raster::whole(panel)),
                        raster::kFullTone);
  }
  return panel;
}

}  // namespace vortane::host::render
