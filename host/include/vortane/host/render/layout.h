// Panel layouts: which gauge modules one picture of the panel shows, where and
// at what size. A small text format, one statement a line:
//
//   # a comment (a # that begins the line or is followed by a blank)
//   canvas WIDTH HEIGHT [#RRGGBB]     the panel's size and colour; first, once
//   gauge NAME X Y [WIDTH HEIGHT]     module NAME with its face's top left at
//                                     (X, Y), at its own size or scaled to
//                                     WIDTH × HEIGHT
//
// Gauges are drawn in the order they are listed, later ones on top. A module
// may be placed once (it holds one gauge's state).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vortane/host/render/gauge_painter.h"
#include "vortane/host/render/image.h"

namespace vortane::host::render {

struct LayoutGauge {
  std::string module;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;   // 0: the face's own size
  int32_t height = 0;
  int line = 0;
};

struct PanelLayout {
  int32_t width = 0;
  int32_t height = 0;
  Rgba colour{0, 0, 0, 0};  // transparent unless the canvas names a colour
  std::vector<LayoutGauge> gauges;
};

// Throws RenderError "SOURCE:LINE: what is wrong".
PanelLayout parse_layout(std::string_view text, const std::string& source);
PanelLayout read_layout(const std::filesystem::path& file);

// The panel: the canvas colour, then each gauge as its painter draws it,
// placed and scaled as listed. `painter_for` gives the painter of a gauge.
Image paint_panel(const PanelLayout& layout, const std::function<GaugePainter&(const LayoutGauge&)>& painter_for,
                  const PaintOptions& options = {});

}  // namespace vortane::host::render
