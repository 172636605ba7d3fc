// GoogleTest checks of a parsed dialog template against the expected page, item by item.
#pragma once
#include <cstdint>
#include <vector>
#include "dialog_template.h"

struct ExpectedItem {
    uint32_t id;
    const char* className;  // as stored: predefined classes by their upper-case names
    const char* text;
    uint32_t style;
    int x, y, cx, cy;
};

// A caption-less child page at 0,0 of the given size in "MS Sans Serif" 8 with style.
void expectPage(const DialogTemplate& page, uint32_t style, int cx, int cy);
// Every item in template order: id, class, text, style (no extended style) and rectangle.
void expectItems(const DialogTemplate& page, const std::vector<ExpectedItem>& expected);
