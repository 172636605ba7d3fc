#include "map_export.h"
#include <algorithm>
#include "brush_text.h"
#include "entity_source.h"
#include "exported_names.h"
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
    const bool bare =
        isWorldClassname(helper.record.classnameText()) || (kept && !kept->brushes.empty());
    const bool atAnchor = kept && helper.position == kept->anchor;
    auto origin = std::find_if(lines.begin(), lines.end(),
                               [](const MapLine& line) { return line.key == "origin"; });
    // In the game an origin on a brush entity moves its brushes: none is invented. An
    // entity read without one gets none while it stays where it was read.
    if (kept ? !kept->hadOrigin && (bare || atAnchor) : bare)
        lines.erase(origin);
    else if (atAnchor && kept->hadOrigin)
        origin->value = kept->originText;
    if (kept)
        for (const MapLine& pair : kept->pairs) addPair(lines, pair);
    return lines;
}

std::vector<std::string> exportedBrushes(const HelperEntry& helper) {
    std::vector<std::string> brushes;
    if (!helper.kept) return brushes;
    // The game places an entity's brushes relative to its origin: with one, the origin line
    // carries the move and the brushes stay as read, or the entity would move twice.
    const Point3& anchor = helper.kept->anchor;
    MapVector delta;
    if (!helper.kept->hadOrigin)
        delta = {double(helper.position.x) - anchor.x, double(helper.position.y) - anchor.y,
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
                std::string(brushFormName(form_)) + " (" + owner_ + ") and " + brushFormName(form) +
                " (" + owner + ")";
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
    // Import leaves out an entity without a classname: the helper would be lost.
    if (helper.record.classnameText().empty()) {
        error = nodeLabel(helper) + " has no classname, which a map entity needs";
        return false;
    }
    std::string key;
    if (!findUnwritableText(helper.record, lines, key)) return true;
    error =
        nodeLabel(helper) + ": the text of " + quotedExcerpt(key) + " " + UNWRITABLE_TEXT_REASON;
    return false;
}

// An entity as export writes it: what it says now, and the text it was read from.
struct WrittenEntity {
    const HelperEntry* helper = nullptr;  // null: the worldspawn of a scene without a world
    EntityEdit edit;
    EntitySource source;
    bool hasSource = false;
};

bool prepare(const HelperEntry& helper, FormGuard& forms, WrittenEntity& written,
             std::string& error) {
    written.helper = &helper;
    written.edit.lines = exportedLines(helper);
    if (!checkWritable(helper, written.edit.lines, error)) return false;
    written.edit.brushes = exportedBrushes(helper);
    for (const std::string& brush : written.edit.brushes)
        if (!forms.add(brush, nodeLabel(helper), error)) return false;
    written.hasSource =
        helper.kept && !helper.kept->source.empty() && written.source.read(helper.kept->source);
    return true;
}

// The world node's entity, or an empty worldspawn. A map holds one world: of two, neither
// one's pairs nor text could be written without losing the other's.
bool prepareWorld(const std::vector<const HelperEntry*>& worlds, FormGuard& forms,
                  WrittenEntity& written, std::string& error) {
    if (worlds.size() > 1) {
        error = "two world nodes, " + nodeLabel(*worlds[0]) + " and " + nodeLabel(*worlds[1]) +
                ": a map holds one world; delete one of them";
        return false;
    }
    if (worlds.empty()) {
        written.edit.lines = {{"classname", "worldspawn"}};
        return true;
    }
    return prepare(*worlds.front(), forms, written, error);
}

std::string valueOf(const std::vector<MapLine>& lines, const char* key) {
    for (const MapLine& line : lines)
        if (line.key == key) return line.value;
    return "";
}

// A name comment for each entity whose node's name import would not give back; the base
// map's entities are named first, as import would.
void giveNameComments(const MapText* base, std::vector<WrittenEntity>& entities) {
    std::vector<NamedEntity> named;
    if (base)
        for (const MapEntity& entity : base->entities) {
            const MapPair* classname = entity.find("classname");
            const MapPair* targetName = entity.find("targetname");
            named.push_back({classname ? classname->value : "", targetName ? targetName->value : "",
                             entity.comment, nullptr});
        }
    const size_t first = named.size();
    for (const WrittenEntity& entity : entities) {
        const std::vector<MapLine>& lines = entity.edit.lines;
        const bool world = !entity.helper || isWorldClassname(valueOf(lines, "classname"));
        named.push_back({valueOf(lines, "classname"), valueOf(lines, "targetname"),
                         entity.hasSource ? entity.source.commentAfter(entity.edit) : "",
                         world ? nullptr : &entity.helper->name});
    }
    const std::vector<std::string> comments = neededComments(named);
    for (size_t i = 0; i < entities.size(); ++i) entities[i].edit.comment = comments[first + i];
}

MapStyle styleFor(const MapText* base, const std::vector<WrittenEntity>& entities) {
    if (base) return styleOf(base->text);
    for (const WrittenEntity& entity : entities)
        if (entity.hasSource) return styleOf(entity.helper->kept->source);
    return MapStyle();
}

// New text starts on a line of its own; text as read follows what stands before it.
void startLine(std::string& text, const MapStyle& style) {
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += style.lineEnd;
}

void writeEntity(const WrittenEntity& entity, const MapStyle& style, std::string& text) {
    if (entity.hasSource) {
        text += entity.source.edited(entity.edit);
        return;
    }
    startLine(text, style);
    writeMapEntity(text, entity.edit.comment, entity.edit.lines,
                   {entity.edit.brushes.begin(), entity.edit.brushes.end()}, style);
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
    if (base && !findWorldspawn(*base)) {
        error = "the base map has no worldspawn entity";
        return false;
    }
    FormGuard forms;
    if (base)
        for (const MapEntity& entity : base->entities)
            for (const MapBrush& brush : entity.brushes)
                if (!forms.add(base->brushText(brush), "the base map", error)) return false;
    std::vector<WrittenEntity> entities(base ? 0 : 1);
    if (!base && !prepareWorld(worlds, forms, entities.front(), error)) return false;
    for (const HelperEntry* helper : others) {
        entities.emplace_back();
        if (!prepare(*helper, forms, entities.back(), error)) return false;
    }
    giveNameComments(base, entities);
    const MapStyle style = styleFor(base, entities);
    const KeptEntity* world = base || worlds.empty() ? nullptr : worlds.front()->kept.get();
    const std::string_view trailer = base    ? mapTrailer(*base)
                                     : world ? std::string_view(world->trailer)
                                             : std::string_view();
    std::string text = base    ? base->text.substr(0, base->text.size() - trailer.size())
                       : world ? world->header
                               : "";
    for (const WrittenEntity& entity : entities) writeEntity(entity, style, text);
    text += trailer;
    out += text;
    return true;
}
