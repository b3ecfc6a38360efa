// Draws one loaded gauge as its element chain says, from the values, texts and
// flags its callbacks left at the latest cycle.
//
// The frame has the size of the background (the root element's bitmap) and
// starts transparent. Elements are drawn in chain order; a hidden element is
// skipped and the rest of the chain is drawn as usual. Colour rules of every
// bitmap: pure black is transparent, near-black (1, 1, 1) is drawn black. A
// moving image or sprite draws its picture through its window bitmap (the next
// resource id), placed at the element's position: near-black shows the
// picture, pure black shows what lies under the element, every other colour
// is drawn as it is, over the picture.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "vortane/host/gauge_module.h"
#include "vortane/host/render/fonts.h"
#include "vortane/host/render/image.h"

namespace vortane::host::render {

namespace raster {
struct WindowMask;
}

// How much light an unlit element keeps at night, out of 256.
inline constexpr uint16_t kNightUnlitTone = 77;

struct PaintOptions {
  Lighting lighting = Lighting::day;
};

class GaugePainter {
 public:
  // Reads the background's size; throws RenderError when the module has no
  // usable background bitmap. Keeps references to both arguments.
  GaugePainter(const GaugeModule& module, Fonts& fonts);
  ~GaugePainter();
  GaugePainter(const GaugePainter&) = delete;
  GaugePainter& operator=(const GaugePainter&) = delete;

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

  Image paint(const PaintOptions& options = {});
  // Into an existing frame of the face's size: cleared, then drawn.
  void paint_into(Image& frame, const PaintOptions& options = {});

 private:
  // A bitmap decoded once, with the colour rules applied; null when the
  // module has no such bitmap.
  const Image* picture(uint32_t id);
  const raster::WindowMask* window(uint32_t id);
  void draw_element(Image& frame, const ElementState& state, uint16_t tone);

  const GaugeModule& module_;
  Fonts& fonts_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::map<uint32_t, std::unique_ptr<Image>> pictures_;
  std::map<uint32_t, std::unique_ptr<raster::WindowMask>> windows_;
};

}  // namespace vortane::host::render
