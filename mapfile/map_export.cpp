#include "map_export.h"
#include <algorithm>
#include "brush_text.h"
#include "name_comment.h"
#include "number_text.h"
#include "printable_name.h"

const MapEntity* findWorldspawn(const MapText& map) {
    for (const MapEntity& entity : map.entities) {
        const MapPair* classname = entity.find("classname");
        if (classname && isWorldClassname(classname->value)) return &entity;
    }
    return nullptr;
}

std::vector<MapLine> exportedLines(const HelperEntry& helper) {
    std::vector<MapLine> lines = entityLines(helper.record, helper.position);
    const KeptEntity* kept = helper.kept.get();
    const bool bare = isWorldClassname(helper.record.classnameText()) ||
                      (kept && !kept->brushes.empty());
    auto origin = std::find_if(lines.begin(), lines.end(),
                               [](const MapLine& line) { return line.key == "origin"; });
    // In the game an origin on a brush entity moves its brushes: none is invented.
    if (kept ? !kept->hadOrigin && bare : bare)
        lines.erase(origin);
    else if (kept && kept->hadOrigin && helper.position == kept->anchor)
        origin->value = kept->originText;
    if (kept)
        for (const MapLine& pair : kept->pairs) addPair(lines, pair);
    return lines;
}

std::vector<std::string> exportedBrushes(const HelperEntry& helper) {
    std::vector<std::string> brushes;
    if (!helper.kept) return brushes;
    const Point3& anchor = helper.kept->anchor;
    const MapVector delta{double(helper.position.x) - anchor.x,
                          double(helper.position.y) - anchor.y,
                          double(helper.position.z) - anchor.z};
    for (const std::string& brush : helper.kept->brushes)
        brushes.push_back(movedBrushText(brush, delta));
    return brushes;
}

namespace {

// The one form of every brush written; a second one refuses the export.
class FormGuard {
public:
    bool add(std::string_view brush, const std::string& owner, std::string& error) {
        const BrushForm form = brushForm(brush);
        if (form == BrushForm::None) return true;
        if (form_ == BrushForm::None) {
            form_ = form;
            owner_ = owner;
        }
        if (form == form_) return true;
        error = "brushes of two forms, which one map cannot hold: " +
                std::string(brushFormName(form_)) + " (" + owner_ + ") and " +
                brushFormName(form) + " (" + owner + ")";
        return false;
    }

private:
    BrushForm form_ = BrushForm::None;
    std::string owner_;
};

std::string nodeLabel(const HelperEntry& helper) {
    return "node '" + printableName(helper.name) + "'";
}

bool checkWritable(const HelperEntry& helper, const std::vector<MapLine>& lines,
                   std::string& error) {
    std::string key;
    if (!findUnwritableText(helper.record, lines, key)) return true;
    error =
        nodeLabel(helper) + ": the text of " + quotedExcerpt(key) + " " + UNWRITABLE_TEXT_REASON;
    return false;
}

// The node's name before its entity, in the form that gives it back at import.
std::string commentOf(const HelperEntry& helper, const std::vector<MapLine>& lines) {
    const auto targetName = std::find_if(
        lines.begin(), lines.end(), [](const MapLine& line) { return line.key == "targetname"; });
    return nameComment(helper.name, targetName == lines.end() ? "" : targetName->value);
}

std::string mapHeader(const MapText& map) {
    return map.entities.empty() ? "" : map.text.substr(0, map.entities.front().offset);
}

// The base map whole: its header and every entity with its pairs and brushes.
bool writeBase(const MapText& base, FormGuard& forms, std::string& out, std::string& error) {
    if (!findWorldspawn(base)) {
        error = "the base map has no worldspawn entity";
        return false;
    }
    out += mapHeader(base);
    for (const MapEntity& entity : base.entities) {
        std::vector<MapLine> lines;
        for (const MapPair& pair : entity.pairs) lines.push_back({pair.key, pair.value});
        std::vector<std::string_view> brushes;
        for (const MapBrush& brush : entity.brushes) {
            brushes.push_back(base.brushText(brush));
            if (!forms.add(brushes.back(), "the base map", error)) return false;
        }
        writeMapEntity(out, entity.comment, lines, brushes);
    }
    return true;
}

// The world nodes' text: the first one's header and pairs, every one's brushes.
bool writeWorld(const std::vector<const HelperEntry*>& worlds, FormGuard& forms, std::string& out,
                std::string& error) {
    if (worlds.empty()) {
        writeMapEntity(out, "", {{"classname", "worldspawn"}});
        return true;
    }
    const HelperEntry& world = *worlds.front();
    const std::vector<MapLine> lines = exportedLines(world);
    if (!checkWritable(world, lines, error)) return false;
    if (world.kept) out += world.kept->header;
    std::vector<std::string> brushes;
    for (const HelperEntry* each : worlds)
        for (std::string& brush : exportedBrushes(*each)) {
            if (!forms.add(brush, nodeLabel(*each), error)) return false;
            brushes.push_back(std::move(brush));
        }
    writeMapEntity(out, "", lines, {brushes.begin(), brushes.end()});
    return true;
}

}  // namespace

bool writeMap(const std::vector<HelperEntry>& helpers, const MapText* base, std::string& out,
              std::string& error) {
    std::vector<const HelperEntry*> worlds, others;
    for (const HelperEntry& helper : helpers)
        (isWorldClassname(helper.record.classnameText()) ? worlds : others).push_back(&helper);
    if (base && !worlds.empty()) {
        error = "the scene has its own world (" + nodeLabel(*worlds.front()) +
                "): a base map is for scenes without one";
        return false;
    }
    FormGuard forms;
    std::string text;
    if (base ? !writeBase(*base, forms, text, error) : !writeWorld(worlds, forms, text, error))
        return false;
    for (const HelperEntry* helper : others) {
        const std::vector<MapLine> lines = exportedLines(*helper);
        if (!checkWritable(*helper, lines, error)) return false;
        const std::vector<std::string> brushes = exportedBrushes(*helper);
        for (const std::string& brush : brushes)
            if (!forms.add(brush, nodeLabel(*helper), error)) return false;
        writeMapEntity(text, commentOf(*helper, lines), lines, {brushes.begin(), brushes.end()});
    }
    out += text;
    return true;
}
