#include "artgen/bmp.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace artgen {
namespace {

constexpr std::size_t file_header_size = 14;
constexpr std::size_t info_header_size = 40;
constexpr std::uint32_t pixels_per_metre = 2835;  // 72 dpi

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

std::uint32_t get16(std::span<const std::uint8_t> in, std::size_t at) {
    return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8;
}

std::uint32_t get32(std::span<const std::uint8_t> in, std::size_t at) { return get16(in, at) | get16(in, at + 2) << 16; }

std::size_t row_stride(int width) { return (static_cast<std::size_t>(width) + 3) & ~std::size_t{3}; }

}  // namespace

std::vector<std::uint8_t> encode_bmp(const IndexedImage& image) {
    if (image.palette.empty() || image.palette.size() > 256)
        throw std::invalid_argument("BMP palette must have 1 to 256 entries");
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        throw std::invalid_argument("BMP pixel count does not match the size");

    const std::size_t stride = row_stride(image.width);
    const std::size_t colours = image.palette.size();
    const std::size_t data_offset = file_header_size + info_header_size + 4 * colours;
    const std::size_t data_size = stride * static_cast<std::size_t>(image.height);

    std::vector<std::uint8_t> out;
    out.reserve(data_offset + data_size);
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<std::uint32_t>(data_offset + data_size));
    put32(out, 0);  // two reserved words
    put32(out, static_cast<std::uint32_t>(data_offset));

    put32(out, info_header_size);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
    put16(out, 1);                                         // planes
    put16(out, 8);                                         // bits per pixel
    put32(out, 0);                                         // BI_RGB
    put32(out, static_cast<std::uint32_t>(data_size));
    put32(out, pixels_per_metre);
    put32(out, pixels_per_metre);
    put32(out, static_cast<std::uint32_t>(colours));  // biClrUsed
    put32(out, static_cast<std::uint32_t>(colours));  // biClrImportant

    for (Rgb c : image.palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
        out.insert(out.end(), row, row + image.width);
        out.insert(out.end(), stride - static_cast<std::size_t>(image.width), 0);
    }
    return out;
}

IndexedImage decode_bmp(std::span<const std::uint8_t> in) {
    auto fail = [](const std::string& why) { return std::runtime_error("not an 8-bit palette BMP: " + why); };
    if (in.size() < file_header_size + info_header_size || in[0] != 'B' || in[1] != 'M') throw fail("bad header");
    if (get32(in, 2) != in.size()) throw fail("file size field does not match");
    const std::uint32_t data_offset = get32(in, 10);
    if (get32(in, 14) != info_header_size) throw fail("info header is not 40 bytes");
    const auto width = static_cast<std::int32_t>(get32(in, 18));
    const auto height = static_cast<std::int32_t>(get32(in, 22));
    if (width <= 0 || height <= 0) throw fail("size must be positive and rows bottom-up");
    if (get16(in, 26) != 1 || get16(in, 28) != 8) throw fail("not 8 bits per pixel");
    if (get32(in, 30) != 0) throw fail("compressed");
    std::uint32_t colours = get32(in, 46);
    if (colours == 0) colours = 256;
    if (colours > 256) throw fail("palette too large");
    const std::size_t palette_at = file_header_size + info_header_size;
    const std::size_t stride = row_stride(width);
    if (data_offset < palette_at + 4 * colours || data_offset + stride * static_cast<std::size_t>(height) > in.size())
        throw fail("truncated");

    IndexedImage image;
    image.width = width;
    image.height = height;
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::size_t at = palette_at + 4 * i;
        image.palette.push_back({in[at + 2], in[at + 1], in[at]});
    }
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::size_t row = data_offset + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = in[row + static_cast<std::size_t>(x)];
            if (v >= colours) throw fail("pixel index outside the palette");
            image.pixels[static_cast<std::size_t>(y * width + x)] = v;
        }
    }
    return image;
}

void write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + path.string());
        }
    }
    std::filesystem::rename(temporary, path);
}

std::vector<std::uint8_t> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace artgen
