// The map text reader with the real plug-in's helpers: an input is read; a text that reads
// is imported into helpers and exported (its worldspawn as the base), the export must read
// and import, every node it makes must be one the host can save, and exporting that again
// must give the same text. A text whose every entity imports, with one worldspawn and that
// first, must export as it was read, byte for byte. A refused text is refused with one
// "LINE:COLUMN: message" that points into the text.
#include <cstring>
#include "fuzz_target.h"
#include "helper_levels.h"
#include "key_value_text.h"
#include "map_export.h"
#include "map_import.h"
#include "node_names.h"
#include "scene/storable_node.h"
#include "text_mutator.h"

static_assert(IMPORTED_NAME_MAX_BYTES == NODE_NAME_MAX_BYTES,
              "import names nodes as they are stored");

namespace {

HelperRecord record(const std::string& classname, std::vector<const char*> cells) {
    HelperRecord made;
    std::string error;
    freshHelperRecord(helperDescriptor(), made, error);
    made.setClassname(classname);
    cells.resize(keyValueCellCount, "");
    composeKeyValueText(cells.data(), made.props.keyValueText, sizeof made.props.keyValueText);
    return made;
}

// A door, a light and a plain entity with fields, boxes and pairs set, as export writes them.
Bytes generatedExport() {
    HelperRecord door = record("func_door", {"target", "lamp", "spawnflags", "64"});
    door.props.angle = -1;
    door.props.speed = 150;
    door.props.sounds = 3;
    door.props.goldKey = 1;
    door.props.toggle = 1;
    std::strcpy(door.props.targetName, "gate");
    std::strcpy(door.props.message, "It opens elsewhere");
    HelperRecord light = record("light", {"light", "250", "_color", "1 0.5 0"});
    light.props.lightStyle = 5;
    light.props.lightFlags = LIGHT_FLAG_START_OFF;
    const std::vector<HelperEntry> helpers = {
        {"gate", Point3(64, -32.5f, 0.125f), door, nullptr},
        {"lamp", Point3(1e-3f, 3e38f, -0.0f), light, nullptr},
        {"start", Point3(), record("info_player_start", {"angle", "270", "", "orphan"}), nullptr}};
    std::string text, error;
    writeMap(helpers, nullptr, text, error);
    return Bytes(text.begin(), text.end());
}

std::vector<Bytes> mapSeeds() {
    return {levelFile("standard.map"),  levelFile("texture_axes.map"),    levelFile("brushdef.map"),
            levelFile("brushdef3.map"), levelFile("level_commented.map"), generatedExport()};
}

// Empty when the error names a line and a column within the text, in one line.
std::string refusalFault(const std::string& text, const MapTextError& where) {
    const std::string said =
        std::to_string(where.line) + ":" + std::to_string(where.column) + ": " + where.message;
    if (where.message.empty() || where.message.find_first_of("\r\n") != std::string::npos)
        return "refused without a one-line message: \"" + said + "\"";
    // LF, CR LF and a CR alone each end a line, as the reader counts them.
    size_t lineStart = 0;
    for (int line = 1; line < where.line && lineStart != std::string::npos; ++line) {
        lineStart = text.find_first_of("\r\n", lineStart);
        if (lineStart == std::string::npos) break;
        lineStart += text.compare(lineStart, 2, "\r\n") == 0 ? 2 : 1;
    }
    const size_t lineEnd =
        lineStart == std::string::npos ? lineStart : text.find_first_of("\r\n", lineStart);
    const size_t length = (lineEnd == std::string::npos ? text.size() : lineEnd) - lineStart;
    if (where.line < 1 || where.column < 1 || lineStart == std::string::npos ||
        static_cast<size_t>(where.column) > length + 1)
        return "refused at a place outside the text: \"" + said + "\"";
    return std::string();
}

// Whether export must give the text back as read: every entity imports, and the one
// worldspawn, which export writes first, is the first.
bool exportsAsRead(const MapText& map, const MapImport& imported) {
    if (imported.hasError() || map.entities.empty() || findWorldspawn(map) != &map.entities[0])
        return false;
    int worlds = 0;
    for (const MapEntity& entity : map.entities) {
        const MapPair* classname = entity.find("classname");
        worlds += classname && isWorldClassname(classname->value);
    }
    return worlds == 1;
}

// The helpers of the map, exported; empty with a message in failure when that fails.
// asRead tells whether the export must be the map's text.
std::string importExport(const MapText& map, std::string& failure, bool& asRead) {
    MapImport imported;
    std::string error, text;
    if (!importMap(
            map, helperDescriptor(), [](const std::string&) { return false; }, imported, error)) {
        failure = "the import made no helper: " + error;
        return text;
    }
    std::vector<HelperEntry> helpers;
    for (const ImportedHelper& made : imported.helpers) {
        // The host saves what import makes: a node it cannot save loses the whole import.
        Matrix3 placed(true);
        placed.SetTrans(made.position);
        const std::string unsavable = storableNodeProblem(made.name, placed);
        if (!unsavable.empty()) {
            failure = "an imported node cannot be saved: " + unsavable;
            return text;
        }
        helpers.push_back({made.name, made.position, {}, made.kept});
        if (!readHelperRecord(*made.helper, helpers.back().record, error)) {
            failure = "an imported helper's record does not read: " + error;
            return text;
        }
    }
    if (!writeMap(helpers, nullptr, text, error))
        failure = "imported helpers do not export: " + error;
    asRead = exportsAsRead(map, imported);
    return text;
}

std::string checkMap(const Bytes& input, bool& accepted) {
    const std::string text(input.begin(), input.end());
    MapText map;
    MapTextError where;
    accepted = readMapText(text, map, where);
    if (!accepted) return refusalFault(text, where);
    std::string failure;
    bool asRead = false;
    const std::string first = importExport(map, failure, asRead);
    if (!failure.empty()) return failure;
    if (asRead && first != text) return "mismatch: an untouched import does not export as read";
    MapText again;
    if (!readMapText(first, again, where))
        return "the export does not read: " + std::to_string(where.line) + ":" +
               std::to_string(where.column) + ": " + where.message;
    const std::string second = importExport(again, failure, asRead);
    if (!failure.empty()) return "the export, imported again: " + failure;
    if (second != first) return "mismatch: export, import and export give another text";
    return std::string();
}

}  // namespace

FuzzTarget mapTextTarget() { return {"map", ".map", mapSeeds, mutateText, checkMap}; }
