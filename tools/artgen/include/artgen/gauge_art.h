// The pictures of each gauge, found by gauge name, and the bitmap tables
// (resources/<gauge>/bitmaps.txt) that say which pictures a gauge must have.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "artgen/canvas.h"

namespace artgen {

struct Picture {
    std::uint32_t id;
    Canvas canvas;
};

using DrawGauge = std::vector<Picture> (*)();

struct GaugeArt {
    std::string_view name;
    DrawGauge draw;
};

std::span<const GaugeArt> gauge_arts();
const GaugeArt* find_gauge_art(std::string_view name);

// One row of a bitmap table: "0x1100 180 180 8 compass card".
struct BitmapRow {
    std::uint32_t id;
    int width, height, bits;
    std::string description;
};

// Throws std::runtime_error naming the file and line of a malformed row.
std::vector<BitmapRow> parse_bitmap_table(std::string_view text, const std::string& source);
std::vector<BitmapRow> read_bitmap_table(const std::filesystem::path& path);

// Every way the drawn pictures differ from the table, one message each,
// naming the gauge and the id; empty when they agree.
std::vector<std::string> compare_with_table(std::string_view gauge, std::span<const Picture> pictures,
                                            std::span<const BitmapRow> table);

// The draw functions, one per gauge, each in resources/<gauge>/art.cpp.
std::vector<Picture> draw_compass();
std::vector<Picture> draw_standbyatt();
std::vector<Picture> draw_combi();
std::vector<Picture> draw_elecpanel();

}  // namespace artgen
