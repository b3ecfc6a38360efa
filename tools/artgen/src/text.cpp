#include "artgen/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace artgen {
namespace {

constexpr const char* font_dir = "/usr/share/fonts/truetype/liberation/";

// Rotated text is laid out this much larger and filtered down, so its edges
// stay clean at any angle.
constexpr int rotated_oversample = 4;

// Small light lettering on dark instrument faces reads thin: strengthen the
// coverage a little, so stems reach their full colour.
float strengthen(float a) { return std::min(1.0f, a * 1.2f); }

struct Library {
    FT_Library ft = nullptr;
    std::map<Typeface, FT_Face> faces;

    Library() {
        if (FT_Init_FreeType(&ft) != 0) throw std::runtime_error("cannot initialise FreeType");
    }
    ~Library() {
        for (auto& [face, handle] : faces) FT_Done_Face(handle);
        FT_Done_FreeType(ft);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    FT_Face face(Typeface which) {
        if (auto it = faces.find(which); it != faces.end()) return it->second;
        const std::string path = font_path(which);
        if (!std::filesystem::exists(path))
            throw std::runtime_error("font not found: " + path +
                                     " (install the Debian package fonts-liberation)");
        FT_Face handle = nullptr;
        if (FT_New_Face(ft, path.c_str(), 0, &handle) != 0)
            throw std::runtime_error("cannot read font " + path);
        faces.emplace(which, handle);
        return handle;
    }
};

Library& library() {
    static Library instance;
    return instance;
}

// Coverage of laid-out text; the pen starts at (origin_x, baseline).
struct Mask {
    int width = 0, height = 0;
    float origin_x = 0, baseline = 0;
    float advance = 0, cap_height = 0;
    std::vector<float> cover;

    float at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
        return cover[static_cast<std::size_t>(y * width + x)];
    }
    float sample(float x, float y) const {  // bilinear, pixel centres at +0.5
        const float fx = x - 0.5f, fy = y - 0.5f;
        const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
        const float tx = fx - static_cast<float>(ix), ty = fy - static_cast<float>(iy);
        const float top = at(ix, iy) * (1 - tx) + at(ix + 1, iy) * tx;
        const float bottom = at(ix, iy + 1) * (1 - tx) + at(ix + 1, iy + 1) * tx;
        return top * (1 - ty) + bottom * ty;
    }
};

void set_size(FT_Face face, float size) {
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(size * 64.0f)), 72, 72);
}

float measure(FT_Face face, std::string_view text) {
    float pen = 0;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (previous != 0 && glyph != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<float>(kern.x) / 64.0f;
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0) pen += static_cast<float>(face->glyph->advance.x) / 64.0f;
        previous = glyph;
    }
    return pen;
}

Mask lay_out(std::string_view text, Typeface which, float size) {
    FT_Face face = library().face(which);
    set_size(face, size);
    Mask m;
    m.advance = measure(face, text);
    const float ascent = static_cast<float>(face->size->metrics.ascender) / 64.0f;
    const float descent = -static_cast<float>(face->size->metrics.descender) / 64.0f;
    if (FT_Load_Char(face, 'H', FT_LOAD_DEFAULT) == 0)
        m.cap_height = static_cast<float>(face->glyph->metrics.horiBearingY) / 64.0f;
    const int pad = 2 + static_cast<int>(size / 4);
    m.origin_x = static_cast<float>(pad);
    m.baseline = std::ceil(ascent) + static_cast<float>(pad);
    m.width = static_cast<int>(std::ceil(m.advance)) + 2 * pad;
    m.height = static_cast<int>(std::ceil(ascent + descent)) + 2 * pad;
    m.cover.assign(static_cast<std::size_t>(m.width * m.height), 0.0f);

    float pen = m.origin_x;
    FT_UInt previous = 0;
    for (unsigned char ch : text) {
        const FT_UInt glyph = FT_Get_Char_Index(face, ch);
        if (previous != 0 && glyph != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<float>(kern.x) / 64.0f;
        }
        previous = glyph;
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bm = slot->bitmap;
        const int left = static_cast<int>(std::lround(pen)) + slot->bitmap_left;
        const int top = static_cast<int>(m.baseline) - slot->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
            for (unsigned col = 0; col < bm.width; ++col) {
                const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= m.width || y >= m.height) continue;
                const float v = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col] / 255.0f;
                float& c = m.cover[static_cast<std::size_t>(y * m.width + x)];
                c = std::min(1.0f, c + v);
            }
        }
        pen += static_cast<float>(slot->advance.x) / 64.0f;
    }
    return m;
}

// The anchor's place inside the mask, in mask pixels.
Point anchor_in(const Mask& m, const TextStyle& style) {
    float x = m.origin_x;
    if (style.h == HAlign::centre) x += m.advance / 2.0f;
    if (style.h == HAlign::right) x += m.advance;
    float y = m.baseline;
    if (style.v == VAlign::middle) y -= m.cap_height / 2.0f;
    return {x, y};
}

}  // namespace

std::string font_path(Typeface face) {
    switch (face) {
        case Typeface::sans: return std::string(font_dir) + "LiberationSans-Regular.ttf";
        case Typeface::sans_bold: return std::string(font_dir) + "LiberationSans-Bold.ttf";
        case Typeface::sans_narrow: return std::string(font_dir) + "LiberationSansNarrow-Regular.ttf";
        case Typeface::sans_narrow_bold: return std::string(font_dir) + "LiberationSansNarrow-Bold.ttf";
    }
    throw std::invalid_argument("unknown typeface");
}

float text_width(std::string_view text, const TextStyle& style) {
    FT_Face face = library().face(style.face);
    set_size(face, style.size);
    return measure(face, text);
}

void draw_text(Canvas& canvas, std::string_view text, Point at, const TextStyle& style) {
    if (style.angle == 0.0f) {
        // Upright text keeps FreeType's own rendering, placed on whole pixels.
        const Mask m = lay_out(text, style.face, style.size);
        const Point a = anchor_in(m, style);
        const int dx = static_cast<int>(std::lround(at.x - a.x));
        const int dy = static_cast<int>(std::lround(at.y - a.y));
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x) canvas.blend(x + dx, y + dy, style.colour, strengthen(m.at(x, y)));
        return;
    }
    const int s = rotated_oversample;
    const Mask m = lay_out(text, style.face, style.size * static_cast<float>(s));
    const Point a = anchor_in(m, style);
    const float rad = style.angle * std::numbers::pi_v<float> / 180.0f;
    const float cs = std::cos(rad), sn = std::sin(rad);
    const float reach = std::hypot(static_cast<float>(m.width), static_cast<float>(m.height)) / static_cast<float>(s);
    const int x0 = static_cast<int>(std::floor(at.x - reach)), x1 = static_cast<int>(std::ceil(at.x + reach));
    const int y0 = static_cast<int>(std::floor(at.y - reach)), y1 = static_cast<int>(std::ceil(at.y + reach));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float sum = 0.0f;
            for (int j = 0; j < s; ++j) {
                for (int i = 0; i < s; ++i) {
                    // Back from the canvas into the unturned mask.
                    const float px = static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / static_cast<float>(s) - at.x;
                    const float py = static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / static_cast<float>(s) - at.y;
                    const float ux = px * cs + py * sn, uy = -px * sn + py * cs;
                    sum += m.sample(a.x + ux * static_cast<float>(s), a.y + uy * static_cast<float>(s));
                }
            }
            canvas.blend(x, y, style.colour, strengthen(sum / static_cast<float>(s * s)));
        }
    }
}

}  // namespace artgen
