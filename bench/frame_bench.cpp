// Frame times of the host's drawing: each gauge of the default panel layout
// drawn into its frame, the whole panel, and beside each the floor: writing
// (memset) and copying (memcpy) as many RGBA pixels once.
//
// The gauges are loaded from the build's module directory and run one cycle
// with a few values set, so that needles, sprites and texts have something to
// show; the benchmarks then time the drawing alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vortane/host/panel_host.h"
#include "vortane/host/render/fonts.h"
#include "vortane/host/render/gauge_painter.h"
#include "vortane/host/render/layout.h"

namespace {

namespace fs = std::filesystem;
namespace render = vortane::host::render;

struct Panel {
  vortane::host::PanelHost host;
  render::Fonts fonts;
  render::PanelLayout layout;
  std::map<std::string, std::unique_ptr<render::GaugePainter>> painters;
};

void floors(const std::string& name, size_t pixels) {
  benchmark::RegisterBenchmark(("floor_memset/" + name).c_str(), [pixels](benchmark::State& state) {
    std::vector<uint8_t> frame(pixels * 4);
    for (auto _ : state) {
      std::memset(frame.data(), 0, frame.size());
      benchmark::DoNotOptimize(frame.data());
      benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(pixels);
  });
  benchmark::RegisterBenchmark(("floor_memcpy/" + name).c_str(), [pixels](benchmark::State& state) {
    std::vector<uint8_t> from(pixels * 4, 0x5a), frame(pixels * 4);
    for (auto _ : state) {
      std::memcpy(frame.data(), from.data(), frame.size());
      benchmark::DoNotOptimize(frame.data());
      benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(pixels);
  });
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const fs::path modules = argc > 1 ? fs::path(argv[1]) : fs::path(VORTANE_MODULE_DIR);
  const fs::path layout_file = argc > 2 ? fs::path(argv[2]) : fs::path(VORTANE_SOURCE_DIR "/panels/default.layout");
  auto panel = std::make_unique<Panel>();
  try {
    panel->layout = render::read_layout(layout_file);
    for (const render::LayoutGauge& g : panel->layout.gauges) {
      auto& loaded = panel->host.load(modules / (g.module + ".so"));
      panel->host.initialise(loaded);
    }
    // A turn with some altitude and speed, the battery on.
    auto& vars = panel->host.variables();
    for (const auto& [token, value] : {std::pair{83u, 37.0}, {80u, 30.0}, {78u, 5.0}, {69u, 20.0}, {74u, 12345.6},
                                       {75u, 1013.25}, {76u, 29.92}, {61u, 180.0}, {364u, 1.0}})
      vars.set(token, value);
    panel->host.cycle();
    for (auto& g : panel->host.gauges())
      panel->painters[g.module->name()] = std::make_unique<render::GaugePainter>(*g.module, panel->fonts);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "frame_bench: %s\n", e.what());
    return 1;
  }

  Panel* p = panel.get();
  for (auto& [name, painter] : p->painters) {
    render::GaugePainter* gp = painter.get();
    benchmark::RegisterBenchmark(("frame/" + name).c_str(), [gp](benchmark::State& state) {
      render::Image frame(gp->width(), gp->height());
      for (auto _ : state) {
        gp->paint_into(frame);
        benchmark::DoNotOptimize(frame.rgba.data());
      }
      state.counters["pixels"] = static_cast<double>(gp->width()) * gp->height();
    });
    floors(name, static_cast<size_t>(gp->width()) * static_cast<size_t>(gp->height()));
  }
  benchmark::RegisterBenchmark("frame/panel", [p](benchmark::State& state) {
    auto painter_for = [p](const render::LayoutGauge& g) -> render::GaugePainter& { return *p->painters.at(g.module); };
    for (auto _ : state) {
      render::Image image = render::paint_panel(p->layout, painter_for);
      benchmark::DoNotOptimize(image.rgba.data());
    }
    state.counters["pixels"] = static_cast<double>(p->layout.width) * p->layout.height;
  });
  floors("panel", static_cast<size_t>(p->layout.width) * static_cast<size_t>(p->layout.height));

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
