#include "kept_checks.h"
#include <cmath>
#include "brush_text.h"
#include "entity_mapping.h"
#include "number_text.h"
#include "printable_name.h"

namespace {

std::string readProblem(const std::string& text, MapText& map) {
    MapTextError error;
    if (readMapText(text, map, error)) return "";
    return "line " + std::to_string(error.line) + ", column " + std::to_string(error.column) +
           ": " + error.message;
}

// Export writes the next entity right after text kept before one (the world's header, an
// entity's own text): followed by one, the text must hold the entities it should and leave
// that one whole (a comment left open would swallow its brace). The trailer follows none.
std::string entitiesProblem(const std::string& text, size_t entities, bool followed) {
    MapText map;
    const std::string problem = readProblem(followed ? text + "{\n}\n" : text, map);
    if (!problem.empty())
        return std::string("does not read as map text") + (followed ? " before an entity" : "") +
               " (" + problem + ")";
    if (map.entities.size() == entities + followed) return "";
    return entities == 0 ? "holds an entity" : "is not one entity of map text";
}

// One brush or patch, alone in one entity, every number a float holds.
std::string brushProblem(const std::string& brush, MapText& map) {
    const std::string problem = readProblem("{\n" + brush + "\n}\n", map);
    if (!problem.empty()) return "does not read as a brush (" + problem + ")";
    if (map.entities.size() != 1 || map.entities[0].brushes.size() != 1 ||
        !map.entities[0].pairs.empty())
        return "is not one brush: it closes its entity";
    if (map.entities[0].badNumber.line != 0)
        return "holds a number no float holds: " + map.entities[0].badNumber.message;
    return "";
}

bool near(double a, double b) { return std::fabs(a - b) <= 1e-3 * std::max(1.0, std::fabs(a)); }
bool near(const MapVector& a, const MapVector& b) {
    return near(a.x, b.x) && near(a.y, b.y) && near(a.z, b.z);
}

// Moved where the node stands and back, the brush is the brush it was: an anchor far from
// the node would round it away.
bool sameGeometry(const MapText& a, const MapText& b) {
    if (a.planes.size() != b.planes.size() || a.points.size() != b.points.size()) return false;
    for (size_t i = 0; i < a.planes.size(); ++i)
        if (!near(a.planes[i].normal, b.planes[i].normal) ||
            !near(a.planes[i].distance, b.planes[i].distance))
            return false;
    for (size_t i = 0; i < a.points.size(); ++i)
        if (!near(a.points[i], b.points[i])) return false;
    return true;
}

std::string movedBrushProblem(const std::string& brush, const MapText& read,
                              const MapVector& delta) {
    MapText there, back;
    const std::string moved = movedBrushText(brush, delta);
    const std::string problem = brushProblem(moved, there);
    if (!problem.empty()) return "moved to where the node stands " + problem;
    if (!brushProblem(movedBrushText(moved, {-delta.x, -delta.y, -delta.z}), back).empty() ||
        !sameGeometry(read, back))
        return "does not survive the move to where the node stands: its anchor is too far from "
               "the node";
    return "";
}

std::string brushesProblem(const KeptEntity& kept, const Point3& position) {
    MapVector delta;
    if (!kept.hadOrigin)
        delta = {double(position.x) - kept.anchor.x, double(position.y) - kept.anchor.y,
                 double(position.z) - kept.anchor.z};
    const bool moved = delta.x != 0 || delta.y != 0 || delta.z != 0;
    for (size_t i = 0; i < kept.brushes.size(); ++i) {
        MapText read;
        std::string problem = brushProblem(kept.brushes[i], read);
        if (problem.empty() && moved) problem = movedBrushProblem(kept.brushes[i], read, delta);
        if (!problem.empty()) return "its kept brush " + std::to_string(i + 1) + " " + problem;
    }
    return "";
}

std::string originProblem(const std::string& text) {
    std::vector<std::string> words;
    for (size_t at = text.find_first_not_of(" \t"); at != std::string::npos;
         at = text.find_first_not_of(" \t", at)) {
        const size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    if (words.size() != 3 || unwritableText(text))
        return "its kept origin " + quotedExcerpt(text) + " is not three numbers";
    for (const std::string& word : words)
        if (!floatTextProblem(word).empty()) return "its kept origin's " + numberProblem(word);
    return "";
}

std::string pairsProblem(const KeptEntity& kept) {
    for (const MapLine& pair : kept.pairs) {
        const std::string what = "its kept pair " + quotedExcerpt(pair.key);
        if (pair.key == "classname" || pair.key == "origin")
            return what + " belongs to the node, not to its kept pairs";
        if (unwritableText(pair.key) || unwritableText(pair.value))
            return what + " " + UNWRITABLE_TEXT_REASON;
    }
    return "";
}

}  // namespace

std::string keptDataProblem(const KeptEntity& kept, const Point3& position) {
    if (kept.hadOrigin) {
        const std::string problem = originProblem(kept.originText);
        if (!problem.empty()) return problem;
    }
    std::string problem = pairsProblem(kept);
    if (!problem.empty()) return problem;
    const struct {
        const std::string& text;
        const char* name;
        size_t entities;
        bool followed;
    } texts[] = {{kept.header, "header", 0, true},
                 {kept.trailer, "trailer", 0, false},
                 {kept.source, "entity text", 1, true}};
    for (const auto& text : texts)
        if ((!text.text.empty() || text.entities == 0) &&
            !(problem = entitiesProblem(text.text, text.entities, text.followed)).empty())
            return std::string("its kept ") + text.name + " " + problem;
    return brushesProblem(kept, position);
}
