#include "artgen/palette.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <unordered_map>

namespace artgen {
namespace {

constexpr std::size_t max_colours = 256;

std::uint32_t pack(Rgb c) { return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b; }

int channel(Rgb c, int i) { return i == 0 ? c.r : i == 1 ? c.g : c.b; }

struct Entry {
    Rgb colour;
    std::size_t count;
};

struct CutBox {
    std::vector<Entry> entries;

    // Widest channel and its range.
    std::pair<int, int> widest() const {
        int best = 0, best_range = -1;
        for (int i = 0; i < 3; ++i) {
            int lo = 255, hi = 0;
            for (const Entry& e : entries) {
                lo = std::min(lo, channel(e.colour, i));
                hi = std::max(hi, channel(e.colour, i));
            }
            if (hi - lo > best_range) best = i, best_range = hi - lo;
        }
        return {best, best_range};
    }

    Rgb mean() const {
        double r = 0, g = 0, b = 0, n = 0;
        for (const Entry& e : entries) {
            const double w = static_cast<double>(e.count);
            r += e.colour.r * w, g += e.colour.g * w, b += e.colour.b * w, n += w;
        }
        auto round = [n](double v) { return static_cast<std::uint8_t>(std::clamp(v / n + 0.5, 0.0, 255.0)); };
        Rgb c{round(r), round(g), round(b)};
        return is_mask(c) ? ink_black : c;
    }
};

std::vector<Rgb> median_cut(std::vector<Entry> colours, std::size_t budget) {
    std::vector<CutBox> boxes{CutBox{std::move(colours)}};
    while (boxes.size() < budget) {
        // Split the box with the widest spread that can still be split.
        std::size_t pick = boxes.size();
        int pick_range = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].entries.size() < 2) continue;
            const int range = boxes[i].widest().second;
            if (range > pick_range) pick = i, pick_range = range;
        }
        if (pick == boxes.size()) break;
        CutBox& box = boxes[pick];
        const int ch = box.widest().first;
        std::sort(box.entries.begin(), box.entries.end(),
                  [ch](const Entry& a, const Entry& b) { return channel(a.colour, ch) < channel(b.colour, ch); });
        std::size_t total = 0;
        for (const Entry& e : box.entries) total += e.count;
        std::size_t seen = 0, cut = 1;
        for (std::size_t i = 0; i + 1 < box.entries.size(); ++i) {
            seen += box.entries[i].count;
            cut = i + 1;
            if (seen * 2 >= total) break;
        }
        CutBox upper{std::vector<Entry>(box.entries.begin() + static_cast<std::ptrdiff_t>(cut), box.entries.end())};
        box.entries.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> result;
    for (const CutBox& b : boxes) result.push_back(b.mean());
    return result;
}

long distance2(Rgb a, Rgb b) {
    const long dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

IndexedImage quantize(int width, int height, std::span<const Rgb> pixels, std::span<const Rgb> keys) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("quantize: pixel count does not match the size");

    std::map<std::uint32_t, Entry> histogram;
    for (Rgb c : pixels) {
        auto [it, fresh] = histogram.try_emplace(pack(c), Entry{c, 0});
        ++it->second.count;
    }

    IndexedImage out;
    out.width = width;
    out.height = height;
    if (histogram.size() <= max_colours) {
        for (const auto& [packed, e] : histogram) out.palette.push_back(e.colour);
    } else {
        std::vector<Rgb> exact{transparent, window};
        exact.insert(exact.end(), keys.begin(), keys.end());
        std::vector<Rgb> kept;
        std::vector<Entry> rest;
        for (Rgb k : exact)
            if (histogram.contains(pack(k)) && std::find(kept.begin(), kept.end(), k) == kept.end()) kept.push_back(k);
        for (const auto& [packed, e] : histogram)
            if (std::find(kept.begin(), kept.end(), e.colour) == kept.end()) rest.push_back(e);
        if (kept.size() >= max_colours) throw std::invalid_argument("quantize: too many key colours");
        out.palette = kept;
        for (Rgb c : median_cut(std::move(rest), max_colours - kept.size()))
            if (std::find(out.palette.begin(), out.palette.end(), c) == out.palette.end()) out.palette.push_back(c);
    }

    std::unordered_map<std::uint32_t, std::uint8_t> index;
    for (std::size_t i = 0; i < out.palette.size(); ++i) index.emplace(pack(out.palette[i]), static_cast<std::uint8_t>(i));
    out.pixels.reserve(pixels.size());
    for (Rgb c : pixels) {
        auto it = index.find(pack(c));
        if (it == index.end()) {
            std::size_t best = 0;
            long best_d = -1;
            for (std::size_t i = 0; i < out.palette.size(); ++i) {
                if (is_mask(out.palette[i])) continue;
                const long d = distance2(c, out.palette[i]);
                if (best_d < 0 || d < best_d) best = i, best_d = d;
            }
            it = index.emplace(pack(c), static_cast<std::uint8_t>(best)).first;
        }
        out.pixels.push_back(it->second);
    }
    return out;
}

IndexedImage quantize(const Canvas& canvas) {
    return quantize(canvas.width(), canvas.height(), canvas.pixels(), canvas.keys());
}

}  // namespace artgen
