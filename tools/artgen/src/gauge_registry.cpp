#include <algorithm>
#include <array>

#include "artgen/gauge_art.h"

namespace artgen {
namespace {

constexpr std::array registry{
    GaugeArt{.name = "compass",    .draw = &draw_compass},
    GaugeArt{.name = "standbyatt", .draw = &draw_standbyatt},
    GaugeArt{.name = "combi",      .draw = &draw_combi},
    GaugeArt{.name = "elecpanel",  .draw = &draw_elecpanel},
};

}  // namespace

std::span<const GaugeArt> gauge_arts() { return registry; }

const GaugeArt* find_gauge_art(std::string_view name) {
    auto it = std::find_if(registry.begin(), registry.end(), [&](const GaugeArt& g) { return g.name == name; });
    return it == registry.end() ? nullptr : &*it;
}

}  // namespace artgen
