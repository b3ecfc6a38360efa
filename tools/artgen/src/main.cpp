// vortane-art: draw one gauge's bitmaps and write them as 8-bit BMP files.
//
//   vortane-art --table resources/<gauge>/bitmaps.txt <gauge> <outdir>
//
// Writes <outdir>/0x<id>.bmp for every picture, after checking that the
// drawing agrees with the table on ids and sizes.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "artgen/bmp.h"
#include "artgen/gauge_art.h"
#include "artgen/palette.h"

namespace {

int usage(const char* why) {
    std::fprintf(stderr,
                 "vortane-art: %s\n"
                 "usage: vortane-art --table resources/<gauge>/bitmaps.txt <gauge> <outdir>\n"
                 "gauges:",
                 why);
    for (const artgen::GaugeArt& g : artgen::gauge_arts()) std::fprintf(stderr, " %.*s", static_cast<int>(g.name.size()), g.name.data());
    std::fprintf(stderr, "\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string table_path;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--table") {
            if (++i == argc) return usage("--table needs a file");
            table_path = argv[i];
        } else if (arg.starts_with("--")) {
            return usage(("unknown option " + arg).c_str());
        } else {
            positional.push_back(arg);
        }
    }
    if (table_path.empty()) return usage("--table is required");
    if (positional.size() != 2) return usage("expected a gauge name and an output directory");
    const std::string& gauge = positional[0];
    const std::filesystem::path outdir = positional[1];

    const artgen::GaugeArt* art = artgen::find_gauge_art(gauge);
    if (art == nullptr) return usage(("no artwork for gauge '" + gauge + "'").c_str());

    try {
        const auto table = artgen::read_bitmap_table(table_path);
        const auto pictures = art->draw();
        const auto problems = artgen::compare_with_table(gauge, pictures, table);
        if (!problems.empty()) {
            for (const std::string& p : problems) std::fprintf(stderr, "vortane-art: %s\n", p.c_str());
            std::fprintf(stderr, "vortane-art: %s: drawing and %s disagree; nothing written\n", gauge.c_str(),
                         table_path.c_str());
            return 1;
        }
        std::filesystem::create_directories(outdir);
        for (const artgen::Picture& p : pictures) {
            char name[32];
            std::snprintf(name, sizeof name, "0x%x.bmp", static_cast<unsigned>(p.id));
            artgen::write_file(outdir / name, artgen::encode_bmp(artgen::quantize(p.canvas)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vortane-art: %s: %s\n", gauge.c_str(), e.what());
        return 1;
    }
    return 0;
}
