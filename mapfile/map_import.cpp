#include "map_import.h"
#include <cfloat>
#include <cmath>
#include <string_view>
#include "brush_box.h"
#include "entity_source.h"
#include "map_export.h"
#include "node_names.h"
#include "number_text.h"

namespace {

constexpr const char* LEFT_OUT = "; the entity is left out";

enum class OriginText { Numbers, NotNumbers, NoFloat };

// The origin's three numbers into position. NoFloat, with fault at the word, when they are
// numbers but one gives no finite float: the node could not be placed or saved.
OriginText readOrigin(const MapPair& origin, Point3& position, MapFault& fault) {
    const std::string_view text = origin.value;
    std::string_view words[3];
    int count = 0;
    for (size_t at = 0; at < text.size();) {
        if (text[at] == ' ' || text[at] == '\t') {
            ++at;
            continue;
        }
        if (count == 3) return OriginText::NotNumbers;
        const size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t') ++at;
        words[count++] = text.substr(start, at - start);
    }
    if (count != 3) return OriginText::NotNumbers;
    const std::string_view* noFloat = nullptr;
    for (int axis = 0; axis < 3; ++axis) {
        if (readFloat(words[axis], position[axis]) && std::isfinite(position[axis])) continue;
        if (!isNumberText(words[axis])) return OriginText::NotNumbers;
        if (!noFloat) noFloat = &words[axis];
    }
    if (!noFloat) return OriginText::Numbers;
    fault = {origin.line, origin.valueColumn + static_cast<int>(noFloat->data() - text.data()),
             "the origin's number " + quotedExcerpt(*noFloat) + " " + floatTextProblem(*noFloat)};
    return OriginText::NoFloat;
}

bool refuse(const MapFault& fault, const std::string& classname, std::vector<ImportNote>& notes) {
    notes.push_back({fault.line, true, classname + ": " + fault.message + LEFT_OUT, fault.column});
    return false;
}

// Where the helper goes, with a note when the entity does not say. False, with an error
// note, when no float holds it.
bool entityPosition(const MapText& map, const MapEntity& entity, const std::string& classname,
                    Point3& position, std::vector<ImportNote>& notes) {
    if (entity.badNumber.line != 0)
        return refuse({entity.badNumber.line, entity.badNumber.column,
                       "the brush or patch number " + entity.badNumber.message},
                      classname, notes);
    const MapPair* origin = entity.find("origin");
    if (origin) {
        MapFault fault;
        const OriginText read = readOrigin(*origin, position, fault);
        if (read == OriginText::Numbers) return true;
        if (read == OriginText::NoFloat) return refuse(fault, classname, notes);
        notes.push_back(
            {origin->line, false,
             classname + ": the origin " + quotedExcerpt(origin->value) + " is not three numbers",
             origin->valueColumn});
    }
    position = Point3();
    MapVector centre;
    if (brushBoxCentre(map, entity, centre)) {
        // Far corners of nearly parallel faces can lie beyond a float's range.
        if (!(std::fabs(centre.x) <= FLT_MAX && std::fabs(centre.y) <= FLT_MAX &&
              std::fabs(centre.z) <= FLT_MAX))
            return refuse({entity.line, 0, "the centre of its brushes is out of a float's range"},
                          classname, notes);
        position = Point3(static_cast<float>(centre.x), static_cast<float>(centre.y),
                          static_cast<float>(centre.z));
        return true;
    }
    // The world stands wherever it likes: its keys never say. The compiler's classes are
    // merged into it.
    if (!isWorldClassname(classname) && !isCompilerClass(classname))
        notes.push_back(
            {entity.line, false,
             classname + ": no origin and no brush corners or patch points; placed at 0 0 0"});
    return true;
}

// What the record cannot hold, and the entity's own text for export to give back.
std::shared_ptr<const KeptEntity> keptOf(const MapText& map, size_t index,
                                         const std::string& classname, const Point3& position,
                                         std::vector<MapLine> beyondRecord) {
    const MapEntity& entity = map.entities[index];
    const MapPair* origin = entity.find("origin");
    auto kept = std::make_shared<KeptEntity>();
    kept->pairs = std::move(beyondRecord);
    kept->world = isWorldClassname(classname);
    kept->hadOrigin = origin != nullptr;
    if (origin) kept->originText = origin->value;
    kept->anchor = position;
    for (const MapBrush& brush : entity.brushes) kept->brushes.emplace_back(map.brushText(brush));
    kept->source = entitySource(map, index);
    if (kept->world) {
        kept->header = map.text.substr(0, map.entities.front().offset);
        kept->trailer = mapTrailer(map);
    }
    return kept;
}

// The entity's classname when it can make a helper; an error note when it cannot. A map
// holds one world (the first): a second one's pairs and text could not be written back.
bool helperClassname(const MapEntity& entity, const MapEntity* world, std::string& classname,
                     std::vector<ImportNote>& notes) {
    const MapPair* pair = entity.find("classname");
    if (!pair || pair->value.empty()) {
        notes.push_back({entity.line, true, "an entity without a classname is left out"});
        return false;
    }
    classname = pair->value;
    if (classname.size() >= ENTITY_CLASSNAME_SIZE) {
        notes.push_back({pair->line, true,
                         "the classname " + quotedExcerpt(classname) + " is longer than " +
                             std::to_string(ENTITY_CLASSNAME_SIZE - 1) + " characters" + LEFT_OUT,
                         pair->valueColumn});
        return false;
    }
    if (isWorldClassname(classname) && &entity != world) {
        notes.push_back(
            {pair->line, true,
             std::string("a second worldspawn entity: a map holds one world, the first") + LEFT_OUT,
             pair->valueColumn});
        return false;
    }
    if (!inCatalogue(classname) && !isWorldClassname(classname) && !isCompilerClass(classname))
        notes.push_back(
            {pair->line, false,
             "the classname " + quotedExcerpt(classname) + " is not in the catalogue; kept",
             pair->valueColumn, true});
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
    NodeNames names(nameTaken, map.entities.size());
    entities.reserve(entities.size() + map.entities.size());
    std::vector<size_t> unnamed;
    const MapEntity* world = findWorldspawn(map);
    for (size_t index = 0; index < map.entities.size(); ++index) {
        const MapEntity& entity = map.entities[index];
        std::string classname;
        if (!helperClassname(entity, world, classname, notes)) continue;
        ImportedEntity imported;
        imported.line = entity.line;
        imported.index = index;
        if (!entityPosition(map, entity, classname, imported.position, notes)) continue;
        imported.record = fresh;
        imported.record.setClassname(classname);
        std::vector<MapLine> beyondRecord;
        applyEntityKeys(entity, imported.record, notes, beyondRecord);
        imported.kept = keptOf(map, index, classname, imported.position, std::move(beyondRecord));
        // The world is named by its class: its comment is the map's header, not a name.
        if (isWorldClassname(classname) || !names.takeGiven(entity, imported.name, notes))
            unnamed.push_back(entities.size());
        entities.push_back(std::move(imported));
    }
    for (const size_t i : unnamed)
        entities[i].name = names.takeMade(entities[i].record.classnameText());
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
        imported.line = entity.line;
        imported.position = entity.position;
        imported.kept = std::move(entity.kept);
        out.helpers.push_back(std::move(imported));
    }
    return true;
}
