// Every gauge's pictures agree with its bitmap table, and the described
// content survives the whole path: drawing, palette, BMP file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "artgen/bmp.h"
#include "artgen/gauge_art.h"
#include "artgen/palette.h"

namespace artgen {
namespace {

const std::filesystem::path resources = VORTANE_RESOURCES_DIR;

// Each gauge's pictures as the module will carry them, drawn once.
const std::map<std::uint32_t, IndexedImage>& bitmaps(std::string_view gauge) {
    static std::map<std::string, std::map<std::uint32_t, IndexedImage>> cache;
    auto [it, fresh] = cache.try_emplace(std::string(gauge));
    if (fresh)
        for (const Picture& p : find_gauge_art(gauge)->draw())
            it->second.emplace(p.id, decode_bmp(encode_bmp(quantize(p.canvas))));
    return it->second;
}

TEST(GaugeArt, DrawingsMatchTheirTables) {
    ASSERT_EQ(gauge_arts().size(), 4u);
    for (const GaugeArt& g : gauge_arts()) {
        const auto table = read_bitmap_table(resources / g.name / "bitmaps.txt");
        EXPECT_FALSE(table.empty()) << g.name;
        EXPECT_EQ(compare_with_table(g.name, g.draw(), table), std::vector<std::string>{}) << g.name;
    }
}

TEST(GaugeArt, TableMismatchesAreNamed) {
    std::vector<Picture> drawn;
    drawn.push_back({0x100, Canvas(10, 10)});
    drawn.push_back({0x1200, Canvas(4, 4)});
    const auto table = parse_bitmap_table("0x100 10 10 8 face\n0x1100 5 5 8 card # gone\n", "t");
    const auto problems = compare_with_table("demo", drawn, table);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("demo: bitmap 0x1100"), std::string::npos);
    EXPECT_NE(problems[1].find("demo: bitmap 0x1200"), std::string::npos);
    EXPECT_THROW(parse_bitmap_table("1100 5 5 8 no prefix\n", "t"), std::runtime_error);
}

TEST(GaugeArt, PixelProbes) {
    const Rgb grey16{16, 16, 16}, face42{42, 43, 42}, band{0, 2, 1}, orange_att{231, 99, 63};
    struct Probe {
        const char* gauge;
        std::uint32_t id;
        int x, y;
        Rgb expected;
        const char* what;
    };
    const Probe probes[] = {
        {"compass", 0x100, 90, 90, transparent, "face is transparent"},
        {"compass", 0x1100, 90, 140, grey16, "card disc"},
        {"compass", 0x1100, 1, 1, transparent, "card corner"},
        {"compass", 0x1101, 90, 90, transparent, "inside the aircraft outline"},
        {"compass", 0x1101, 90, 30, window, "card shows through the window"},
        {"compass", 0x1101, 2, 2, transparent, "window corner"},
        {"standbyatt", 0x100, 85, 85, face42, "disc behind the ball"},
        {"standbyatt", 0x100, 10, 10, transparent, "face outside the disc"},
        {"standbyatt", 0x1600, 20, 85, white, "horizon line on row 85"},
        {"standbyatt", 0x1600, 85, 73, white, "10 degree rung"},
        {"standbyatt", 0x1601, 85, 100, window, "ball shows in the disc"},
        {"standbyatt", 0x1601, 85, 48, band, "dark band at the top of the disc"},
        {"standbyatt", 0x1601, 60, 88, orange_att, "left wing of the symbol"},
        {"standbyatt", 0x1601, 10, 160, transparent, "outside the window"},
        {"combi", 0x100, 95, 95, transparent, "face is transparent"},
        {"combi", 0x1600, 94, 178, white, "IAS pointer"},
        {"combi", 0x1600, 5, 185, transparent, "knob opening"},
        {"combi", 0x1701, 58, 17, window, "tape window"},
        {"combi", 0x1700, 58, 30, white, "0 mark"},
        {"combi", 0x1700, 578, 30, white, "500 mark"},
        {"elecpanel", 0x1901, 5, 4, {0, 38, 14}, "lit AVAIL half"},
        {"elecpanel", 0x2002, 5, 22, {44, 36, 0}, "lit IN USE half"},
        {"elecpanel", 0x1900, 5, 4, {12, 12, 13}, "dark lamp face"},
    };
    for (const Probe& p : probes) {
        const auto& images = bitmaps(p.gauge);
        ASSERT_TRUE(images.contains(p.id)) << p.gauge << " " << p.id;
        const Rgb got = images.at(p.id).at(p.x, p.y);
        EXPECT_EQ(got, p.expected) << p.gauge << " 0x" << std::hex << p.id << std::dec << " (" << p.x << "," << p.y
                                   << "): " << p.what << "; got " << int(got.r) << "," << int(got.g) << ","
                                   << int(got.b);
    }
}

TEST(GaugeArt, NamedColoursSurviveThePalette) {
    struct Named {
        const char* gauge;
        std::uint32_t id;
        Rgb colour;
    };
    const Named named[] = {
        {"compass", 0x1101, {237, 129, 91}},
        {"standbyatt", 0x1601, {231, 99, 63}},
        {"elecpanel", 0x1901, {0, 224, 72}},
        {"elecpanel", 0x1902, {255, 212, 0}},
        {"elecpanel", 0x2001, {0, 224, 72}},
        {"elecpanel", 0x2002, {255, 212, 0}},
    };
    for (const Named& n : named) {
        const IndexedImage& img = bitmaps(n.gauge).at(n.id);
        const bool used = std::any_of(img.pixels.begin(), img.pixels.end(),
                                      [&](std::uint8_t i) { return img.palette[i] == n.colour; });
        EXPECT_TRUE(used) << n.gauge << " 0x" << std::hex << n.id;
    }
}

}  // namespace
}  // namespace artgen
