// The renderer's small bitmap font: printable ASCII, one bit mask per glyph, built once
// from a compact stroke font and then blitted.
#pragma once
#include "render/framebuffer.h"

constexpr int FONT_HEIGHT = 8;  // rows from the top of a capital to the baseline, plus one
// Rows a line of text covers: to the foot of the descenders (g, j, p, q, y), below FONT_HEIGHT.
constexpr int FONT_CELL_HEIGHT = FONT_HEIGHT + 1;

// Width in pixels of text drawn with this font.
int textWidth(const char* text);
// Draws text with the top-left of its first glyph at (x, top).
void drawBitmapText(Framebuffer& fb, int x, int top, const char* text, Rgb colour);
