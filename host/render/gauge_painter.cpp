#include "vortane/host/render/gauge_painter.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>

#include "raster.h"
#include "vortane/host/render/placement.h"

namespace vortane::host::render {
namespace {

using raster::Affine;

template <typename Record>
const Record& as(const Element* element) {
  return *reinterpret_cast<const Record*>(element);
}

bool is(const RgbaImage& image, size_t i, uint8_t r, uint8_t g, uint8_t b) {
  return image.rgba[i] == r && image.rgba[i + 1] == g && image.rgba[i + 2] == b;
}

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// A shift of whole pixels keeps the picture's pixels as they are.
bool whole_pixels(double v) { return v == std::floor(v); }

}  // namespace

GaugePainter::GaugePainter(const GaugeModule& module, Fonts& fonts) : module_(module), fonts_(fonts) {
  const auto elements = module.elements();
  if (elements.empty()) throw RenderError("module " + module.name() + ": has no elements to draw");
  const uint32_t root = elements[0].element->resource_id;
  const Image* background = picture(root);
  if (background == nullptr)
    throw RenderError("module " + module.name() + ": its first element has no bitmap to give the face its size");
  width_ = background->width;
  height_ = background->height;
}

GaugePainter::~GaugePainter() = default;

const Image* GaugePainter::picture(uint32_t id) {
  auto it = pictures_.find(id);
  if (it != pictures_.end()) return it->second.get();
  std::unique_ptr<Image> out;
  const BitmapSource* source = module_.bitmaps();
  if (const auto dib = source != nullptr ? source->dib(id) : std::nullopt) {
    RgbaImage decoded;
    try {
      decoded = decode_dib(*dib);
    } catch (const BitmapError& e) {
      throw RenderError("module " + module_.name() + ": bitmap " + std::to_string(id) + " cannot be drawn: " +
                        e.what());
    }
    out = std::make_unique<Image>(decoded.width, decoded.height);
    for (size_t i = 0; i < decoded.rgba.size(); i += 4) {
      if (is(decoded, i, 0, 0, 0)) continue;  // transparent
      if (!is(decoded, i, 1, 1, 1)) std::memcpy(&out->rgba[i], &decoded.rgba[i], 3);
      out->rgba[i + 3] = 255;  // near-black stays (0, 0, 0): drawn black
    }
  }
  return pictures_.emplace(id, std::move(out)).first->second.get();
}

const raster::WindowMask* GaugePainter::window(uint32_t id) {
  auto it = windows_.find(id);
  if (it != windows_.end()) return it->second.get();
  std::unique_ptr<raster::WindowMask> out;
  const BitmapSource* source = module_.bitmaps();
  if (const auto dib = source != nullptr ? source->dib(id) : std::nullopt) {
    RgbaImage decoded;
    try {
      decoded = decode_dib(*dib);
    } catch (const BitmapError& e) {
      throw RenderError("module " + module_.name() + ": window bitmap " + std::to_string(id) +
                        " cannot be drawn: " + e.what());
    }
    out = std::make_unique<raster::WindowMask>();
    out->overlay = Image(decoded.width, decoded.height);
    out->shows.assign(static_cast<size_t>(decoded.width) * static_cast<size_t>(decoded.height), 0);
    for (size_t i = 0; i < decoded.rgba.size(); i += 4) {
      if (is(decoded, i, 0, 0, 0)) continue;
      if (is(decoded, i, 1, 1, 1)) {
        out->shows[i / 4] = 1;
        continue;
      }
      std::memcpy(&out->overlay.rgba[i], &decoded.rgba[i], 3);
      out->overlay.rgba[i + 3] = 255;
    }
  }
  return windows_.emplace(id, std::move(out)).first->second.get();
}

Image GaugePainter::paint(const PaintOptions& options) {
  Image frame(width_, height_);
  paint_into(frame, options);
  return frame;
}

void GaugePainter::paint_into(Image& frame, const PaintOptions& options) {
  if (frame.width != width_ || frame.height != height_)
    frame = Image(width_, height_);
  else
    std::fill(frame.rgba.begin(), frame.rgba.end(), uint8_t{0});
  for (const ElementState& state : module_.elements()) {
    const uint32_t flags = state.element->flags;
    if ((flags & kFlagHidden) != 0) continue;
    const bool dimmed = options.lighting == Lighting::night && (flags & kFlagLit) == 0;
    draw_element(frame, state, dimmed ? kNightUnlitTone : raster::kFullTone);
  }
}

void GaugePainter::draw_element(Image& frame, const ElementState& state, uint16_t tone) {
  const Element* e = state.element;
  const auto& v = state.values;
  const double px = e->position.x;
  const double py = e->position.y;
  // Draws `pic` translated so that its top left lies at (x, y).
  auto place = [&](const Image& pic, double x, double y) {
    if (whole_pixels(x) && whole_pixels(y)) {
      if (x + pic.width <= 0 || y + pic.height <= 0 || x >= frame.width || y >= frame.height) return;
      raster::blit(frame, pic, static_cast<int32_t>(x), static_cast<int32_t>(y), tone);
      return;
    }
    const Affine to_src{1, 0, 0, 1, -x, -y};
    const Affine to_screen{1, 0, 0, 1, x, y};
    raster::draw_mapped(frame, pic, to_src, to_screen.cover(pic.width, pic.height, raster::whole(frame)), tone);
  };

  switch (e->kind) {
    case ElementKind::static_image:
      if (const Image* pic = picture(e->resource_id)) place(*pic, px, py);
      return;

    case ElementKind::icon: {
      const auto& icon = as<IconElement>(e);
      const auto image = icon_image(v[0], icon.image_count);
      if (!image || e->resource_id > UINT32_MAX - *image) return;
      if (const Image* pic = picture(e->resource_id + *image)) place(*pic, px, py);
      return;
    }

    case ElementKind::slider: {
      const auto& slider = as<SliderElement>(e);
      if (const Image* pic = picture(e->resource_id))
        place(*pic, px + shift_pixels(v[0], slider.x_scale), py + shift_pixels(v[1], slider.y_scale));
      return;
    }

    case ElementKind::needle: {
      const auto& needle = as<NeedleElement>(e);
      const Image* pic = picture(e->resource_id);
      if (pic == nullptr) return;
      const double theta = radians(needle_angle({needle.table, needle.point_count}, e->position, v[0]));
      const double c = std::cos(theta), s = std::sin(theta);
      // About the centres of the pivot pixels: the gauge's and the bitmap's.
      const double ox = e->offset.x + 0.5, oy = e->offset.y + 0.5;
      const Affine to_screen{c, -s, s, c, px + 0.5 - (c * ox - s * oy), py + 0.5 - (s * ox + c * oy)};
      Affine to_src;
      if (!to_screen.invert(to_src)) return;
      raster::draw_mapped(frame, *pic, to_src, to_screen.cover(pic->width, pic->height, raster::whole(frame)), tone);
      return;
    }

    case ElementKind::moving_image: {
      const auto& moving = as<MovingImageElement>(e);
      const Image* pic = picture(e->resource_id);
      const raster::WindowMask* win = e->resource_id < UINT32_MAX ? window(e->resource_id + 1) : nullptr;
      if (pic == nullptr || win == nullptr) return;
      const double dx = moving_image_offset(v[0], moving.x_min, moving.x_max, pic->width - win->overlay.width);
      const double dy = moving_image_offset(v[1], moving.y_min, moving.y_max, pic->height - win->overlay.height);
      const Affine to_src{1, 0, 0, 1, dx - px, dy - py};
      raster::draw_mapped(frame, *pic, to_src, raster::whole(frame), tone, win, e->position.x, e->position.y);
      return;
    }

    case ElementKind::sprite: {
      const auto& sprite = as<SpriteElement>(e);
      const Image* pic = picture(e->resource_id);
      const raster::WindowMask* win = e->resource_id < UINT32_MAX ? window(e->resource_id + 1) : nullptr;
      if (pic == nullptr || win == nullptr) return;
      const double sx = sprite.picture_scale_x, sy = sprite.picture_scale_y;
      auto usable = [](double scale) { return std::isfinite(scale) && std::fabs(scale) >= 1e-3 && std::fabs(scale) <= 1e3; };
      if (!usable(sx) || !usable(sy)) return;
      const double shift_x = shift_pixels(v[0], sprite.x_scale);
      const double shift_y = shift_pixels(v[1], sprite.y_scale);
      // Counter-clockwise on a screen whose y grows downwards.
      const double phi = radians(turn_degrees(v[2], sprite.rotation_scale));
      const double c = std::cos(phi), s = std::sin(phi);
      // screen = O + R (S (p - centre) + shift), R = [c s; -s c], S = diag(sx, sy).
      const double ox = px + e->offset.x, oy = py + e->offset.y;
      const double lx = shift_x - sx * pic->width / 2.0, ly = shift_y - sy * pic->height / 2.0;
      const Affine to_screen{c * sx, s * sy, -s * sx, c * sy, ox + c * lx + s * ly, oy - s * lx + c * ly};
      Affine to_src;
      if (!to_screen.invert(to_src)) return;
      // The whole window: its own colours show wherever the picture lies.
      raster::draw_mapped(frame, *pic, to_src, raster::whole(frame), tone, win, e->position.x, e->position.y);
      return;
    }

    case ElementKind::string: {
      const auto& string = as<StringElement>(e);
      if (!state.text) return;
      const size_t length = strnlen(state.text.get(), kTextCapacity);
      fonts_.draw(frame, {state.text.get(), length}, e->position.x, e->position.y, string.box_width,
                  string.box_height, string.colours[0], string.font_name, string.font_weight, tone);
      return;
    }
  }
}

}  // namespace vortane::host::render
