#include "map_import.h"
#include <set>
#include <sstream>
#include "brush_box.h"
#include "map_export.h"
#include "number_text.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether export's "// NAME" line gives the name back: no line break, no blank at either end.
bool readsBack(const std::string& name) {
    return !name.empty() && name.find_first_of("\r\n") == std::string::npos &&
           !isBlank(name.front()) && !isBlank(name.back());
}

std::string trimmed(const std::string& text) {
    size_t from = 0, to = text.size();
    while (from < to && isBlank(text[from])) ++from;
    while (to > from && isBlank(text[to - 1])) --to;
    return text.substr(from, to - from);
}

class NodeNames {
public:
    explicit NodeNames(const std::function<bool(const std::string&)>& taken) : taken_(taken) {}

    std::string choose(const MapEntity& entity, const std::string& classname) {
        if (isWorldClassname(classname) && take(classname)) return classname;
        // Of a key given twice export keeps the last line.
        const MapPair* targetName = nullptr;
        for (const MapPair& pair : entity.pairs)
            if (pair.key == "targetname") targetName = &pair;
        if (targetName && take(targetName->value)) return targetName->value;
        if (take(entity.comment)) return entity.comment;
        // A classname's blanks at either end would not read back either.
        const std::string base = trimmed(classname) + "_";
        for (int n = 1;; ++n)
            if (take(base + std::to_string(n))) return base + std::to_string(n);
    }

private:
    bool take(const std::string& name) {
        if (!readsBack(name) || taken_(name) || !given_.insert(name).second) return false;
        return true;
    }

    const std::function<bool(const std::string&)>& taken_;
    std::set<std::string> given_;
};

bool readOrigin(const std::string& text, Point3& origin) {
    std::istringstream words(text);
    std::string word, extra;
    for (int axis = 0; axis < 3; ++axis)
        if (!(words >> word) || !readFloat(word, origin[axis])) return false;
    return !(words >> extra);
}

// Where the helper goes, with a note when the entity does not say.
Point3 entityPosition(const MapText& map, const MapEntity& entity, const std::string& classname,
                      std::vector<ImportNote>& notes) {
    Point3 position;
    const MapPair* origin = entity.find("origin");
    if (origin && readOrigin(origin->value, position)) return position;
    if (origin)
        notes.push_back(
            {origin->line, false,
             classname + ": the origin \"" + origin->value + "\" is not three numbers"});
    MapVector centre;
    if (brushBoxCentre(map, entity, centre))
        return Point3(static_cast<float>(centre.x), static_cast<float>(centre.y),
                      static_cast<float>(centre.z));
    // The world stands wherever it likes: its keys never say.
    if (!isWorldClassname(classname))
        notes.push_back(
            {entity.line, false,
             classname + ": no origin and no brush corners or patch points; placed at 0 0 0"});
    return Point3();
}

std::string originText(const Point3& position) {
    return shortestNumberText(position.x) + " " + shortestNumberText(position.y) + " " +
           shortestNumberText(position.z);
}

// What the record cannot hold, or null when export gives the entity back from the record
// alone: a point entity whose pairs fit and whose origin export writes as it was read.
std::shared_ptr<const KeptEntity> keptOf(const MapText& map, const MapEntity& entity,
                                         const std::string& classname, const Point3& position,
                                         std::vector<MapLine> beyondRecord) {
    const MapPair* origin = entity.find("origin");
    const bool world = isWorldClassname(classname);
    if (!world && entity.brushes.empty() && beyondRecord.empty() &&
        (!origin || origin->value == originText(position)))
        return nullptr;
    auto kept = std::make_shared<KeptEntity>();
    kept->pairs = std::move(beyondRecord);
    kept->world = world;
    kept->hadOrigin = origin != nullptr;
    if (origin) kept->originText = origin->value;
    kept->anchor = position;
    for (const MapBrush& brush : entity.brushes) kept->brushes.emplace_back(map.brushText(brush));
    if (world && &entity == findWorldspawn(map))
        kept->header = map.text.substr(0, map.entities.front().offset);
    return kept;
}

// The entity's classname when it can make a helper; an error note when it cannot.
bool helperClassname(const MapEntity& entity, std::string& classname,
                     std::vector<ImportNote>& notes) {
    const MapPair* pair = entity.find("classname");
    if (!pair || pair->value.empty()) {
        notes.push_back({entity.line, true, "an entity without a classname is left out"});
        return false;
    }
    classname = pair->value;
    if (classname.size() >= ENTITY_CLASSNAME_SIZE) {
        notes.push_back({pair->line, true,
                         "the classname \"" + classname + "\" is longer than " +
                             std::to_string(ENTITY_CLASSNAME_SIZE - 1) +
                             " characters; the entity is left out"});
        return false;
    }
    if (!inCatalogue(classname) && !isWorldClassname(classname))
        notes.push_back({pair->line, false,
                         "the classname \"" + classname + "\" is not in the catalogue; kept"});
    return true;
}

}  // namespace

bool MapImport::hasError() const {
    for (const ImportNote& note : notes)
        if (note.error) return true;
    return false;
}

void readMapEntities(const MapText& map, const HelperRecord& fresh,
                     const std::function<bool(const std::string&)>& nameTaken,
                     std::vector<ImportedEntity>& entities, std::vector<ImportNote>& notes) {
    NodeNames names(nameTaken);
    for (const MapEntity& entity : map.entities) {
        std::string classname;
        if (!helperClassname(entity, classname, notes)) continue;
        ImportedEntity imported;
        imported.line = entity.line;
        imported.record = fresh;
        imported.record.setClassname(classname);
        std::vector<MapLine> beyondRecord;
        applyEntityKeys(entity, imported.record, notes, beyondRecord);
        imported.position = entityPosition(map, entity, classname, notes);
        imported.kept = keptOf(map, entity, classname, imported.position, std::move(beyondRecord));
        imported.name = names.choose(entity, classname);
        entities.push_back(std::move(imported));
    }
}

bool importMap(const MapText& map, ClassDesc& firstDescriptor,
               const std::function<bool(const std::string&)>& nameTaken, MapImport& out,
               std::string& error) {
    HelperRecord fresh;
    if (!freshHelperRecord(firstDescriptor, fresh, error)) return false;
    std::vector<ImportedEntity> entities;
    readMapEntities(map, fresh, nameTaken, entities, out.notes);
    for (ImportedEntity& entity : entities) {
        ImportedHelper imported;
        imported.helper.reset(makeHelper(firstDescriptor, entity.record, error));
        if (!imported.helper) return false;
        imported.name = std::move(entity.name);
        imported.position = entity.position;
        imported.kept = std::move(entity.kept);
        out.helpers.push_back(std::move(imported));
    }
    return true;
}
