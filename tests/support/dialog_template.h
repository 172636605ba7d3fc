// Reads a dialog template resource (plain or extended form) out of a module, so tests can
// check the templates of the built plug-in item by item.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

struct DialogItem {
    uint32_t id;
    std::string className;  // predefined classes by their upper-case names, e.g. "BUTTON"
    std::string text;
    uint32_t style;
    uint32_t exStyle;
    int x, y, cx, cy;
};

struct DialogTemplate {
    uint32_t style;
    uint32_t exStyle;
    int x, y, cx, cy;
    std::string menu;
    std::string className;
    std::string caption;
    int pointSize;  // 0 when the template names no font
    std::string fontName;
    std::vector<DialogItem> items;
};

// Parses a template; false when it is malformed or runs past size.
bool parseDialogTemplate(const void* data, size_t size, DialogTemplate& out);

// Finds dialog id in exactly the given language of module and parses it.
bool loadDialogTemplate(HMODULE module, int id, LANGID language, DialogTemplate& out);
