#include <gtest/gtest.h>

#include "artgen/bmp.h"

namespace artgen {
namespace {

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Width 5 makes every row carry three bytes of padding.
IndexedImage sample() {
    IndexedImage img;
    img.width = 5;
    img.height = 3;
    img.palette = {transparent, window, {10, 20, 30}};
    img.pixels = {0, 1, 2, 2, 1,  //
                  1, 1, 1, 1, 1,  //
                  2, 0, 0, 0, 2};
    return img;
}

TEST(Bmp, HeaderIsTheUncompressedEightBitForm) {
    const auto bytes = encode_bmp(sample());
    ASSERT_EQ(bytes.size(), 14u + 40u + 3u * 4u + 3u * 8u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32(bytes, 2), bytes.size());
    EXPECT_EQ(u32(bytes, 10), 14u + 40u + 12u);  // pixels right after the palette
    EXPECT_EQ(u32(bytes, 14), 40u);
    EXPECT_EQ(u32(bytes, 18), 5u);
    EXPECT_EQ(u32(bytes, 22), 3u);  // positive height: bottom-up rows
    EXPECT_EQ(bytes[28], 8);
    EXPECT_EQ(u32(bytes, 30), 0u);  // BI_RGB
    EXPECT_EQ(u32(bytes, 46), 3u);  // biClrUsed
    // Palette entries are blue, green, red, zero; the first stored row is the bottom one.
    EXPECT_EQ(bytes[54 + 8], 30);
    EXPECT_EQ(bytes[54 + 10], 10);
    EXPECT_EQ(bytes[66], 2);
    EXPECT_EQ(bytes[70], 2);
    EXPECT_EQ(bytes[71], 0);  // padding
}

TEST(Bmp, RoundTripsPaletteAndPixels) {
    const IndexedImage in = sample();
    const IndexedImage out = decode_bmp(encode_bmp(in));
    EXPECT_EQ(out.width, in.width);
    EXPECT_EQ(out.height, in.height);
    EXPECT_EQ(out.palette, in.palette);
    EXPECT_EQ(out.pixels, in.pixels);
}

TEST(Bmp, RejectsTruncatedFiles) {
    auto bytes = encode_bmp(sample());
    bytes.resize(bytes.size() - 4);
    EXPECT_THROW(decode_bmp(bytes), std::runtime_error);
}

}  // namespace
}  // namespace artgen
