#include "render/bitmap_font.h"
#include <cmath>
#include <cstdint>
// The stroke font is a header of static functions, not all of which are used here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_easy_font.h>
#pragma GCC diagnostic pop

namespace {

constexpr int FIRST_CHAR = 32, LAST_CHAR = 126;
constexpr int MASK_ROWS = 12;  // room for descenders below FONT_HEIGHT

struct Glyph {
    uint16_t rows[MASK_ROWS] = {};  // bit i of a row is pixel column i
    int advance = 0;
};

struct Font {
    Glyph glyphs[LAST_CHAR - FIRST_CHAR + 1];

    Font() {
        for (int c = FIRST_CHAR; c <= LAST_CHAR; ++c) rasterise(static_cast<char>(c));
    }

    // The stroke font describes a glyph as axis-aligned quads on a pixel grid; filling
    // them once gives the mask.
    void rasterise(char c) {
        char text[2] = {c, 0};
        struct Vertex {
            float x, y, z;
            unsigned char colour[4];
        } quads[4 * 64];
        int count = stb_easy_font_print(0, 0, text, nullptr, quads, sizeof quads);
        Glyph& g = glyphs[c - FIRST_CHAR];
        g.advance = stb_easy_font_width(text);
        for (int q = 0; q < count; ++q) {
            const Vertex* v = quads + 4 * q;
            int x0 = static_cast<int>(std::lround(v[0].x)),
                y0 = static_cast<int>(std::lround(v[0].y));
            int x1 = static_cast<int>(std::lround(v[2].x)),
                y1 = static_cast<int>(std::lround(v[2].y));
            for (int y = y0; y < y1 && y < MASK_ROWS; ++y)
                for (int x = x0; x < x1 && x < 16; ++x)
                    if (y >= 0 && x >= 0) g.rows[y] |= static_cast<uint16_t>(1u << x);
        }
    }

    const Glyph* find(char c) const {
        if (c < FIRST_CHAR || c > LAST_CHAR) return nullptr;
        return &glyphs[c - FIRST_CHAR];
    }
};

const Font& font() {
    static const Font f;
    return f;
}

}  // namespace

int textWidth(const char* text) {
    int width = 0;
    for (const char* p = text; *p; ++p)
        if (const Glyph* g = font().find(*p)) width += g->advance;
    return width;
}

void drawBitmapText(Framebuffer& fb, int x, int top, const char* text, Rgb colour) {
    for (const char* p = text; *p; ++p) {
        const Glyph* g = font().find(*p);
        if (!g) continue;
        fb.plotMask(x, top, g->rows, MASK_ROWS, colour);
        x += g->advance;
    }
}
