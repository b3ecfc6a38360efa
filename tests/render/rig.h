// A drawing-rule fixture loaded into a real host, cycled and painted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "palette.h"
#include "vortane/host/panel_host.h"
#include "vortane/host/render/gauge_painter.h"

namespace vortane::render_fixtures {

inline host::render::Rgba rgba(Rgb c) { return {c.r, c.g, c.b, 255}; }

class Rig {
 public:
  // Module draw_<name> of the fixture directory, loaded and initialised.
  explicit Rig(const std::string& name) {
    gauge_ = &host_.load(std::filesystem::path(VORTANE_RENDER_FIXTURE_DIR) / ("draw_" + name + ".so"));
    host_.initialise(*gauge_);
    painter_ = std::make_unique<host::render::GaugePainter>(*gauge_->module, fonts_);
  }

  // Sets the tokens, runs one cycle and paints the gauge.
  host::render::Image draw(std::initializer_list<std::pair<uint32_t, double>> tokens = {},
                           host::render::Lighting lighting = host::render::Lighting::day) {
    for (const auto& [token, value] : tokens) host_.variables().set(token, value);
    host_.cycle();
    return painter_->paint({lighting});
  }

  host::render::Fonts& fonts() { return fonts_; }
  host::render::GaugePainter& painter() { return *painter_; }

 private:
  host::PanelHost host_;
  host::LoadedGauge* gauge_ = nullptr;
  host::render::Fonts fonts_;
  std::unique_ptr<host::render::GaugePainter> painter_;
};

}  // namespace vortane::render_fixtures
