// Pictures through the `panel` program: the probe's render commands on the
// real gauges, and `panel render` with its layouts, scripts and failures.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "probe_harness.h"
#include "vortane/host/render/image.h"

namespace {

namespace fs = std::filesystem;
using vortane::host::render::Rgba;

struct Png {
  bool ok = false;
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  Rgba pixel(int x, int y) const {
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
};

Png read_png(const fs::path& file) {
  Png out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return out;
  out.ok = true;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

// A fresh directory per test.
fs::path scratch() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const fs::path dir = fs::temp_directory_path() / (std::string("render-") + test->name() + "-" +
                                                    std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

struct PanelRun {
  int status = -1;
  std::string output;
};

PanelRun panel(const std::string& args, const fs::path& dir) {
  const fs::path out = dir / "output.txt";
  const std::string command = std::string("'") + VORTANE_PANEL_FOR_RENDER_TESTS + "' " + args + " >'" +
                              out.string() + "' 2>&1";
  PanelRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128;
  std::ifstream in(out);
  std::ostringstream text;
  text << in.rdbuf();
  run.output = text.str();
  fs::remove(out);
  return run;
}

void write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

size_t files_in(const fs::path& dir) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++n;
  return n;
}

TEST(ProbeRender, EachGaugeAtItsFaceSize) {
  const fs::path dir = scratch();
  struct Gauge {
    const char* name;
    int width, height;
  } gauges[] = {{"compass", 180, 180}, {"standbyatt", 170, 170}, {"elecpanel", 190, 200}, {"combi", 190, 190}};
  for (const Gauge& g : gauges) {
    const fs::path file = dir / (std::string(g.name) + ".png");
    const auto run = vortane::testing::run_probe(std::string("load ") + g.name + "\ncycle\nrender " + g.name + " " +
                                                 file.string() + "\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0]["render"], file.string());
    EXPECT_EQ(run.lines[0]["width"], g.width);
    EXPECT_EQ(run.lines[0]["height"], g.height);
    const Png png = read_png(file);
    ASSERT_TRUE(png.ok) << file;
    EXPECT_EQ(png.width, g.width);
    EXPECT_EQ(png.height, g.height);
    size_t opaque = 0;
    for (size_t i = 3; i < png.rgba.size(); i += 4) opaque += png.rgba[i] == 255;
    EXPECT_GT(opaque, png.rgba.size() / 4 / 10) << g.name << ": a tenth of the face at least is drawn";
  }
  fs::remove_all(dir);
}

TEST(ProbeRender, PanelOfLoadedGaugesInARowAndBadCommands) {
  const fs::path dir = scratch();
  auto run = vortane::testing::run_probe("load compass\nload combi\ncycle\nrender panel " + (dir / "row.png").string() +
                                         "\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.lines[0]["width"], 180 + 10 + 190);
  EXPECT_EQ(run.lines[0]["height"], 190);

  run = vortane::testing::run_probe("render compass " + (dir / "x.png").string() + "\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.errors.find("line 1: no module 'compass' is loaded"), std::string::npos) << run.errors;
  run = vortane::testing::run_probe("lighting dusk\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.errors.find("lighting takes 'day' or 'night'"), std::string::npos) << run.errors;
  EXPECT_EQ(files_in(dir), 1u);
  fs::remove_all(dir);
}

TEST(PanelRender, DefaultLayoutAfterAScriptThatLoadsItsOwnGauges) {
  const fs::path dir = scratch();
  const std::string layout = std::string(VORTANE_SOURCE_DIR) + "/panels/default.layout";
  // The script loads a gauge that the layout already loaded: nothing happens.
  write(dir / "turn.probe", "load compass\nset 83 90\nset 80 30\ncycle\n");
  const fs::path out = dir / "panel.png";
  PanelRun run = panel("render '" + layout + "' -o '" + out.string() + "' --script '" + (dir / "turn.probe").string() + "'",
                  dir);
  ASSERT_EQ(run.status, 0) << run.output;
  const Png day = read_png(out);
  ASSERT_TRUE(day.ok);
  EXPECT_NE(run.output.find("\"render\":\"" + out.string() + "\""), std::string::npos) << run.output;

  run = panel("render '" + layout + "' -o '" + out.string() + "' --night", dir);
  ASSERT_EQ(run.status, 0) << run.output;
  const Png night = read_png(out);
  ASSERT_TRUE(night.ok);
  ASSERT_EQ(night.width, day.width);
  // The panel's own colour is unlit: darker at night.
  EXPECT_LT(night.pixel(1, 1).r, day.pixel(1, 1).r);
  EXPECT_EQ(files_in(dir), 2u) << "the picture and the script, no temporary file";
  fs::remove_all(dir);
}

TEST(PanelRender, OneModuleAtItsOwnSize) {
  const fs::path dir = scratch();
  const PanelRun run = panel("render standbyatt -o '" + (dir / "att.png").string() + "'", dir);
  ASSERT_EQ(run.status, 0) << run.output;
  const Png png = read_png(dir / "att.png");
  ASSERT_TRUE(png.ok);
  EXPECT_EQ(png.width, 170);
  EXPECT_EQ(png.height, 170);
  fs::remove_all(dir);
}

TEST(PanelRender, FailuresExplainAndLeaveNoPicture) {
  const fs::path dir = scratch();
  write(dir / "missing.layout", "canvas 100 100\ngauge nosuchgauge 0 0\n");
  write(dir / "broken.layout", "canvas 100 100\ngauge compass 0 0 10\n");
  write(dir / "bad.probe", "set 83\n");
  const std::string out = (dir / "out.png").string();
  struct Case {
    std::string args;
    int status;
    const char* says;
  } cases[] = {
      {"render '" + (dir / "missing.layout").string() + "' -o '" + out + "'", 1, "module nosuchgauge"},
      {"render '" + (dir / "broken.layout").string() + "' -o '" + out + "'", 1, "broken.layout:2: 'gauge' takes"},
      {"render compass -o '" + out + "' --script '" + (dir / "bad.probe").string() + "'", 2, "line 1:"},
      {"render compass -o '" + out + "' --script '" + (dir / "none.probe").string() + "'", 2, "cannot read script"},
      {"render compass -o '" + (dir / "no" / "such" / "dir.png").string() + "'", 1, "cannot write"},
      {"render compass", 2, "no output file given"},
      {"render -o '" + out + "'", 2, "no LAYOUT or MODULE given"},
      {"render compass -o '" + out + "' --sparkle", 2, "unknown option '--sparkle'"},
  };
  for (const Case& c : cases) {
    const PanelRun run = panel(c.args, dir);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.args << "\n" << run.output;
  }
  EXPECT_EQ(files_in(dir), 3u) << "the three inputs only: no picture, no temporary file";
  fs::remove_all(dir);
}

}  // namespace
