#include "map_export.h"

const MapEntity* findWorldspawn(const MapText& map) {
    for (const MapEntity& entity : map.entities) {
        const MapPair* classname = entity.find("classname");
        if (classname && classname->value == "worldspawn") return &entity;
    }
    return nullptr;
}

namespace {

bool writeWorldspawn(const MapText* base, std::string& out, std::string& error) {
    if (!base) {
        writeMapEntity(out, "", {{"classname", "worldspawn"}});
        return true;
    }
    const MapEntity* world = findWorldspawn(*base);
    if (!world) {
        error = "the base map has no worldspawn entity";
        return false;
    }
    std::vector<MapLine> lines;
    for (const MapPair& pair : world->pairs) lines.push_back({pair.key, pair.value});
    std::vector<std::string_view> brushes;
    for (const MapBrush& brush : world->brushes) brushes.push_back(base->brushText(brush));
    writeMapEntity(out, "", lines, brushes);
    return true;
}

}  // namespace

bool writeMap(const std::vector<HelperEntry>& helpers, const MapText* base, std::string& out,
              std::string& error) {
    std::string text;
    if (!writeWorldspawn(base, text, error)) return false;
    for (const HelperEntry& helper : helpers) {
        const std::vector<MapLine> lines = entityLines(helper.record, helper.position);
        std::string key;
        if (helper.name.find_first_of("\r\n") != std::string::npos) {
            error = "node '" + helper.name + "': its name holds a line break";
            return false;
        }
        if (findUnwritableText(helper.record, lines, key)) {
            error = "node '" + helper.name + "': the text of \"" + key +
                    "\" holds a '\"' or a line break, which map text cannot hold";
            return false;
        }
        writeMapEntity(text, helper.name, lines);
    }
    out += text;
    return true;
}
