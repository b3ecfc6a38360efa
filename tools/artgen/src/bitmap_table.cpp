#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "artgen/gauge_art.h"

namespace artgen {

std::vector<BitmapRow> parse_bitmap_table(std::string_view text, const std::string& source) {
    std::vector<BitmapRow> rows;
    std::istringstream in{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        std::string id_text;
        if (!(fields >> id_text)) continue;
        auto fail = [&](const std::string& why) {
            return std::runtime_error(source + ":" + std::to_string(number) + ": " + why);
        };
        BitmapRow row{};
        std::size_t used = 0;
        try {
            if (id_text.rfind("0x", 0) != 0) throw std::invalid_argument("no 0x");
            const unsigned long id = std::stoul(id_text, &used, 16);
            if (used != id_text.size() || id > 0xffff) throw std::invalid_argument("range");
            row.id = static_cast<std::uint32_t>(id);
        } catch (const std::logic_error&) {
            throw fail("resource id '" + id_text + "' is not a hexadecimal number like 0x1100");
        }
        if (!(fields >> row.width >> row.height >> row.bits) || row.width <= 0 || row.height <= 0)
            throw fail("expected: id width height bits description");
        std::getline(fields >> std::ws, row.description);
        if (std::any_of(rows.begin(), rows.end(), [&](const BitmapRow& r) { return r.id == row.id; }))
            throw fail("resource id " + id_text + " is listed twice");
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<BitmapRow> read_bitmap_table(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read bitmap table " + path.string());
    std::stringstream text;
    text << in.rdbuf();
    return parse_bitmap_table(text.str(), path.string());
}

std::vector<std::string> compare_with_table(std::string_view gauge, std::span<const Picture> pictures,
                                            std::span<const BitmapRow> table) {
    auto hex = [](std::uint32_t id) {
        std::ostringstream s;
        s << "0x" << std::hex << id;
        return s.str();
    };
    const std::string who(gauge);
    std::vector<std::string> problems;
    std::map<std::uint32_t, const BitmapRow*> listed;
    for (const BitmapRow& row : table) listed[row.id] = &row;
    std::map<std::uint32_t, const Picture*> drawn;
    for (const Picture& p : pictures) {
        if (!drawn.emplace(p.id, &p).second) problems.push_back(who + ": bitmap " + hex(p.id) + " is drawn twice");
    }
    for (const auto& [id, row] : listed) {
        auto it = drawn.find(id);
        if (it == drawn.end()) {
            problems.push_back(who + ": bitmap " + hex(id) + " is in the table but not drawn");
            continue;
        }
        const Canvas& c = it->second->canvas;
        if (c.width() != row->width || c.height() != row->height)
            problems.push_back(who + ": bitmap " + hex(id) + " is drawn " + std::to_string(c.width()) + " x " +
                               std::to_string(c.height()) + " but the table says " + std::to_string(row->width) +
                               " x " + std::to_string(row->height));
        if (row->bits != 8)
            problems.push_back(who + ": bitmap " + hex(id) + " has " + std::to_string(row->bits) +
                               " bits per pixel in the table; only 8 is written");
    }
    for (const auto& [id, picture] : drawn)
        if (!listed.contains(id)) problems.push_back(who + ": bitmap " + hex(id) + " is drawn but not in the table");
    return problems;
}

}  // namespace artgen
