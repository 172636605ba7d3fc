#include "render/kept_brushes.h"

bool readKeptBrushes(const std::vector<unsigned char>& bytes, KeptEntity& kept, MapText& map) {
    std::string error;
    if (!decodeKeptEntity(bytes.data(), bytes.size(), kept, error) || kept.brushes.empty())
        return false;
    std::string text = "{\n";
    for (const std::string& brush : kept.brushes) text += brush + "\n";
    text += "}\n";
    MapTextError where;
    return readMapText(std::move(text), map, where) && !map.entities.empty();
}
