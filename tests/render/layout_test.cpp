// Panel layouts: the text format, its errors, and a panel painted from one.
#include <gtest/gtest.h>

#include <string>

#include "rig.h"
#include "vortane/host/render/layout.h"

namespace {

using namespace vortane::render_fixtures;
using namespace vortane::host::render;

TEST(Layout, ReadsCanvasAndGaugesWithComments) {
  const PanelLayout layout = parse_layout(
      "# a panel\n"
      "canvas 800 400 #303438   # grey\n"
      "\n"
      "gauge compass 10 20\n"
      "  gauge combi -5 30 95 95 # half size\n",
      "test.layout");
  EXPECT_EQ(layout.width, 800);
  EXPECT_EQ(layout.height, 400);
  EXPECT_EQ(layout.colour, (Rgba{0x30, 0x34, 0x38, 255}));
  ASSERT_EQ(layout.gauges.size(), 2u);
  EXPECT_EQ(layout.gauges[0].module, "compass");
  EXPECT_EQ(layout.gauges[0].x, 10);
  EXPECT_EQ(layout.gauges[0].y, 20);
  EXPECT_EQ(layout.gauges[0].width, 0) << "own size";
  EXPECT_EQ(layout.gauges[1].module, "combi");
  EXPECT_EQ(layout.gauges[1].x, -5);
  EXPECT_EQ(layout.gauges[1].width, 95);
  EXPECT_EQ(layout.gauges[1].height, 95);
  EXPECT_EQ(layout.gauges[1].line, 5);
  EXPECT_EQ(parse_layout("canvas 10 10\n", "t").colour.a, 0) << "transparent without a colour";
}

TEST(Layout, RefusesWhatItCannotReadNamingTheLine) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"gauge compass 0 0\n", "t:1: 'gauge' before 'canvas'"},
      {"canvas 10 10\ncanvas 10 10\n", "t:2: a second 'canvas' line"},
      {"canvas 0 10\n", "t:1: bad canvas width '0'"},
      {"canvas 10 10 grey\n", "t:1: bad colour 'grey'"},
      {"canvas 10 10 #12345g\n", "t:1: bad colour '#12345g'"},
      {"canvas 10 10\ngauge compass 0\n", "t:2: 'gauge' takes NAME X Y [WIDTH HEIGHT]"},
      {"canvas 10 10\ngauge compass 0 1.5\n", "t:2: bad y '1.5'"},
      {"canvas 10 10\ngauge compass 0 0 10\n", "t:2: 'gauge' takes"},
      {"canvas 10 10\ngauge ../evil 0 0\n", "t:2: bad module name '../evil'"},
      {"canvas 10 10\ngauge compass 0 0\ngauge compass 5 5\n", "t:3: module 'compass' is placed twice"},
      {"canvas 10 10\ngage compass 0 0\n", "t:2: unknown statement 'gage'"},
      {"# nothing\n", "t: no 'canvas WIDTH HEIGHT' line"},
  };
  for (const Case& c : cases) {
    try {
      parse_layout(c.text, "t");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const RenderError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
    }
  }
}

TEST(Layout, PaintsTheCanvasThenEachGaugePlacedAndScaled) {
  Rig rig("icon");
  rig.draw({{10, 1}});
  PanelLayout layout = parse_layout(
      "canvas 400 200 #102030\n"
      "gauge draw_icon 5 5 320 160\n",
      "t");
  auto painter_for = [&](const LayoutGauge&) -> GaugePainter& { return rig.painter(); };
  Image panel = paint_panel(layout, painter_for);
  ASSERT_EQ(panel.width, 400);
  EXPECT_EQ(panel.pixel(2, 2), (Rgba{0x10, 0x20, 0x30, 255})) << "the canvas";
  EXPECT_EQ(panel.pixel(390, 190), (Rgba{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(panel.pixel(10, 10), rgba(kBlue)) << "the face, at twice its size";
  EXPECT_EQ(panel.pixel(5 + 2 * 10 + 4, 5 + 2 * 10 + 4), rgba(kIconColours[1])) << "the icon at (10, 10) doubled";
  EXPECT_EQ(panel.pixel(5 + 2 * 14 + 2, 5 + 2 * 10 + 4), rgba(kBlue)) << "past the doubled icon";

  // At its own size the face is copied pixel for pixel.
  layout = parse_layout("canvas 400 200\ngauge draw_icon 100 50\n", "t");
  panel = paint_panel(layout, painter_for);
  EXPECT_EQ(panel.pixel(110, 60), rgba(kIconColours[1]));
  EXPECT_EQ(panel.pixel(99, 60).a, 0) << "transparent canvas";
  EXPECT_EQ(panel.pixel(100, 50), rgba(kBlue));
}

}  // namespace
