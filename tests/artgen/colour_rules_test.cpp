// Anti-aliasing and palette reduction must never invent the two mask colours:
// a stray (0,0,0) punches a hole in a picture, a stray (1,1,1) opens a window.
#include <gtest/gtest.h>

#include <set>

#include "artgen/canvas.h"
#include "artgen/palette.h"

namespace artgen {
namespace {

TEST(ColourRules, BlendedEdgesNeverLandOnAMaskColour) {
    struct Case {
        const char* name;
        Rgb ground, ink;
    };
    // Each pair has a blend ratio whose rounded result is (0,0,0) or (1,1,1).
    const Case cases[] = {
        {"near-black ink on dark grey", {2, 2, 2}, {0, 1, 1}},
        {"dark ink on a darker ground", {1, 2, 1}, {1, 0, 1}},
        {"over transparent, dark backdrop", transparent, {3, 3, 3}},
        {"over window, dark backdrop", window, {2, 1, 2}},
    };
    for (const Case& c : cases) {
        Canvas canvas(40, 40, c.ground);
        canvas.set_mask_backdrop({1, 0, 1});
        canvas.fill_disc({20.3f, 19.7f}, 12.4f, c.ink);
        canvas.line({2, 3}, {37, 31}, 1.3f, c.ink);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const Rgb p = canvas.at(x, y);
                if (is_mask(p)) {
                    EXPECT_EQ(p, c.ground) << c.name << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(ColourRules, MaskFillsAreHardEdged) {
    Canvas canvas(30, 30, {90, 90, 90});
    canvas.fill_disc({15, 15}, 10.3f, window);
    canvas.fill_disc({15, 15}, 4.6f, transparent);
    std::set<Rgb> seen(canvas.pixels().begin(), canvas.pixels().end());
    EXPECT_EQ(seen, (std::set<Rgb>{transparent, window, {90, 90, 90}}));
    EXPECT_EQ(canvas.at(15, 15), transparent);
    EXPECT_EQ(canvas.at(15, 8), window);
}

TEST(Quantizer, KeepsAFewColoursExactly) {
    const std::vector<Rgb> pixels{transparent, window, {3, 4, 5}, window, {200, 10, 10}, {3, 4, 5}};
    const IndexedImage q = quantize(3, 2, pixels, {});
    EXPECT_EQ(q.palette.size(), 4u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(q.at(i % 3, i / 3), pixels[static_cast<std::size_t>(i)]);
}

TEST(Quantizer, ReductionKeepsKeysAndNeverMapsOntoMasks) {
    // 4096 colours, crowded around black so that many sit next to the masks.
    const int w = 64, h = 64;
    const Rgb key{237, 129, 91}, near_key{236, 129, 92};
    std::vector<Rgb> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back({static_cast<std::uint8_t>(x / 8), static_cast<std::uint8_t>(y / 8),
                              static_cast<std::uint8_t>((x % 8) * 32 + (y % 8) * 4)});
    pixels[0] = transparent;
    pixels[1] = window;
    pixels[2] = key;
    pixels[3] = near_key;
    pixels[4] = {1, 1, 2};
    pixels[5] = {0, 0, 1};

    const IndexedImage q = quantize(w, h, pixels, std::vector<Rgb>{key});
    ASSERT_LE(q.palette.size(), 256u);
    EXPECT_EQ(q.at(0, 0), transparent);
    EXPECT_EQ(q.at(1, 0), window);
    EXPECT_EQ(q.at(2, 0), key);
    for (int i = 0; i < w * h; ++i) {
        const Rgb in = pixels[static_cast<std::size_t>(i)];
        if (is_mask(in)) continue;
        const Rgb out = q.at(i % w, i / w);
        EXPECT_FALSE(is_mask(out)) << "pixel " << i << " (" << int(in.r) << "," << int(in.g) << "," << int(in.b)
                                   << ") became a mask colour";
    }
}

}  // namespace
}  // namespace artgen
