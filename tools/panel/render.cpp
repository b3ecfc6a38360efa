// Pictures from the panel host: the probe's picture commands, and `panel
// render`, which loads a panel layout (or one module), runs an optional probe
// script, then writes the panel as a PNG file.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "json.h"
#include "subcommands.h"
#include "vortane/host/panel_host.h"
#include "vortane/host/render/fonts.h"
#include "vortane/host/render/gauge_painter.h"
#include "vortane/host/render/layout.h"
#include "vortane/host/render/png.h"

namespace panel {
namespace {

namespace fs = std::filesystem;
namespace render = vortane::host::render;
using vortane::host::LoadedGauge;
using vortane::host::PanelHost;

constexpr const char* kProbeHelp = R"(
Pictures (PNG files, drawn from what the latest cycle left):
  render NAME FILE.png   the gauge of module NAME at its own size
  render panel FILE.png  the panel layout named by 'layout', or else every
                         loaded gauge in a row, in load order
  layout FILE            the panel layout for 'render panel'; loads and
                         initialises each module it places that is not
                         loaded yet (a later 'load' of one does nothing)
  lighting day|night     panel lighting: at night unlit elements are dimmed
Each render prints one JSON line: {"render": FILE, "width": W, "height": H}.
)";

// Gauges in a row, 10 pixels apart, on a transparent canvas.
constexpr int32_t kRowGap = 10;

class PictureCommands : public ProbeExtension {
 public:
  const char* help() const override { return kProbeHelp; }

  bool run(PanelHost& host, const std::vector<std::string>& words) override {
    const std::string& name = words[0];
    if (name == "load" && words.size() == 2 && preloaded_.count(words[1]) != 0) return true;
    if (name == "render") {
      need(words, 2, "render NAME|panel FILE.png");
      render(host, words[1], words[2]);
      return true;
    }
    if (name == "lighting") {
      need(words, 1, "lighting day|night");
      if (words[1] == "day")
        options_.lighting = render::Lighting::day;
      else if (words[1] == "night")
        options_.lighting = render::Lighting::night;
      else
        throw std::runtime_error("lighting takes 'day' or 'night', not '" + words[1] + "'");
      return true;
    }
    if (name == "layout") {
      need(words, 1, "layout FILE");
      use_layout(host, words[1]);
      return true;
    }
    return false;
  }

 protected:
  void preloaded(const std::string& module) { preloaded_.insert(module); }
  render::PaintOptions options_;

 private:
  static void need(const std::vector<std::string>& words, size_t args, const char* usage) {
    if (words.size() != args + 1)
      throw std::runtime_error("'" + words[0] + "' takes " + std::to_string(args) + " argument(s), " +
                               std::to_string(words.size() - 1) + " given (usage: " + usage + ")");
  }

  void use_layout(PanelHost& host, const std::string& file) {
    layout_ = render::read_layout(file);
    for (const render::LayoutGauge& g : layout_->gauges) {
      if (host.find(g.module) != nullptr) continue;
      // Through the probe's own command, so that it loads as a script's 'load' does.
      command_({"load", g.module});
      preloaded_.insert(g.module);
    }
  }

  render::GaugePainter& painter(LoadedGauge& gauge) {
    auto& slot = painters_[gauge.module.get()];
    if (!slot) {
      if (!fonts_) fonts_ = std::make_unique<render::Fonts>();
      slot = std::make_unique<render::GaugePainter>(*gauge.module, *fonts_);
    }
    return *slot;
  }

  LoadedGauge& gauge(PanelHost& host, const std::string& name) {
    if (LoadedGauge* g = host.find(name)) return *g;
    throw std::runtime_error("no module '" + name + "' is loaded");
  }

  void render(PanelHost& host, const std::string& what, const std::string& file) {
    render::Image picture;
    if (what != "panel") {
      picture = painter(gauge(host, what)).paint(options_);
    } else {
      render::PanelLayout layout;
      if (layout_) {
        layout = *layout_;
      } else {
        for (LoadedGauge& g : host.gauges()) {
          render::GaugePainter& p = painter(g);
          layout.gauges.push_back({g.module->name(), layout.width == 0 ? 0 : layout.width + kRowGap, 0, 0, 0, 0});
          layout.width = layout.gauges.back().x + p.width();
          layout.height = std::max(layout.height, p.height());
        }
        if (layout.gauges.empty()) throw std::runtime_error("render panel: no gauge is loaded");
      }
      picture = render::paint_panel(
          layout, [&](const render::LayoutGauge& g) -> render::GaugePainter& {
            LoadedGauge* loaded = host.find(g.module);
            if (loaded == nullptr)
              throw std::runtime_error("the layout places module '" + g.module + "' (line " +
                                       std::to_string(g.line) + "), which is not loaded");
            return painter(*loaded);
          },
          options_);
    }
    render::write_png(picture, file);
    JsonLine j;
    j.begin_object().key("render").string(file).key("width").integer(picture.width);
    j.key("height").integer(picture.height).end_object();
    std::fwrite(j.text().data(), 1, j.text().size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }

 public:
  void begin(const Command& command) override { command_ = command; }

 private:
  Command command_;
  std::optional<render::PanelLayout> layout_;
  std::set<std::string> preloaded_;
  std::unique_ptr<render::Fonts> fonts_;
  std::map<const vortane::host::GaugeModule*, std::unique_ptr<render::GaugePainter>> painters_;
};

// `panel render`: the layout or module first, the script, one more cycle, the picture.
class RenderRun final : public PictureCommands {
 public:
  RenderRun(std::string target, bool is_layout, std::string output, bool night)
      : target_(std::move(target)), is_layout_(is_layout), output_(std::move(output)) {
    if (night) options_.lighting = render::Lighting::night;
  }

  void begin(const Command& command) override {
    PictureCommands::begin(command);
    try {
      if (is_layout_) {
        command({"layout", target_});
      } else {
        command({"load", target_});
        preloaded(target_);
      }
    } catch (const std::exception& e) {
      throw std::runtime_error(std::string("panel render: ") + e.what());
    }
  }

  void end(const Command& command) override {
    try {
      command({"cycle"});
      command({"render", is_layout_ ? "panel" : target_, output_});
    } catch (const std::exception& e) {
      throw std::runtime_error(std::string("panel render: ") + e.what());
    }
  }

 private:
  std::string target_;
  bool is_layout_;
  std::string output_;
};

constexpr const char* kHelp = R"(usage: panel render LAYOUT|MODULE -o FILE.png [--script SCRIPT] [--night] [--modules DIR]

Draws a panel layout (a .layout file, see panels/default.layout) or the gauge
of one module (a name in DIR, the build's module directory by default) and
writes it to FILE.png. The layout's modules are loaded and initialised first;
then SCRIPT runs, a probe script (a file, or - for standard input; see
'panel probe --help'), whose 'load' of a module already loaded does nothing;
then every live gauge runs one more cycle and the picture is drawn from it.

  -o FILE.png     where to write the picture (written whole or not at all)
  --script FILE   the probe script to run before drawing
  --night         night lighting: unlit elements dimmed, lit ones full
  --modules DIR   where the module files are
)";

}  // namespace

std::unique_ptr<ProbeExtension> make_picture_commands() { return std::make_unique<PictureCommands>(); }

int render_main(int argc, char** argv) {
  std::optional<std::string> target, output, script;
  fs::path module_dir;
  bool night = false;
  auto fail = [](const std::string& what) {
    std::fprintf(stderr, "panel render: %s (see panel render --help)\n", what.c_str());
    return 2;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 == argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "--help" || arg == "-h") {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (arg == "-o" || arg == "--output") {
      output = value();
      if (!output) return fail("-o needs a file name");
    } else if (arg == "--script") {
      script = value();
      if (!script) return fail("--script needs a file, or - for standard input");
    } else if (arg == "--modules") {
      const auto dir = value();
      if (!dir) return fail("--modules needs a directory");
      module_dir = *dir;
    } else if (arg == "--night") {
      night = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option '" + std::string(arg) + "'");
    } else if (target) {
      return fail("give one LAYOUT or MODULE");
    } else {
      target = std::string(arg);
    }
  }
  if (!target) return fail("no LAYOUT or MODULE given");
  if (!output) return fail("no output file given (-o FILE.png)");
  std::error_code ignored;
  const bool is_layout = fs::path(*target).extension() == ".layout" || fs::is_regular_file(*target, ignored);
  if (!is_layout && target->find('/') != std::string::npos)
    return fail("no layout file '" + *target + "'");

  std::ifstream file;
  std::istringstream nothing;
  std::istream* in = &nothing;
  if (script) {
    if (*script == "-") {
      in = &std::cin;
    } else {
      file.open(*script);
      if (!file) {
        std::fprintf(stderr, "panel render: cannot read script '%s': %s\n", script->c_str(), std::strerror(errno));
        return 2;
      }
      in = &file;
    }
  }
  RenderRun run(*target, is_layout, *output, night);
  return run_probe_script(*in, module_dir, &run);
}

}  // namespace panel
