#include "app/map_commands.h"
#include "printable_name.h"
#include <cctype>
#include <cstdio>
#include <memory>
#include "app/entity_reading.h"
#include "app/host_session.h"
#include "entity_checks.h"
#include "map_check.h"
#include "map_export.h"
#include "map_import.h"
#include "scene/byte_io.h"

namespace {

// The scene's helpers with their records, in scene order.
struct SceneHelpers {
    std::vector<HelperEntry> entries;
    std::vector<Node*> nodes;
};

bool decodeNodeKept(const Node& node, std::shared_ptr<const KeptEntity>& kept,
                    std::string& error) {
    if (!node.kept) return true;
    auto decoded = std::make_shared<KeptEntity>();
    if (!decodeKeptEntity(node.kept->data(), node.kept->size(), *decoded, error)) return false;
    kept = std::move(decoded);
    return true;
}

bool readSceneHelpers(Scene& scene, SceneHelpers& helpers, std::string& error) {
    for (const auto& node : scene.nodes()) {
        if (!isHelperNode(*node)) continue;
        HelperEntry entry{node->name, node->position(), {}, nullptr};
        if (!readHelperRecord(*node->object(), entry.record, error) ||
            !decodeNodeKept(*node, entry.kept, error)) {
            error = "node '" + printableName(node->name) + "': " + error;
            return false;
        }
        helpers.entries.push_back(std::move(entry));
        helpers.nodes.push_back(node.get());
    }
    return true;
}

bool readTextFile(const std::string& path, std::string& text, std::string& error) {
    FileSource source;
    if (!source.open(path)) {
        error = path + ": cannot open (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    text.resize(source.size());
    if (source.read(&text[0], text.size()) != text.size()) {
        error = path + ": read failed";
        return false;
    }
    return true;
}

bool readMapFile(const std::string& path, MapText& map, std::string& error) {
    std::string text;
    if (!readTextFile(path, text, error)) return false;
    MapTextError where;
    if (readMapText(std::move(text), map, where)) return true;
    error = path + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) + ": " +
            where.message;
    return false;
}

// A temporary file beside path renamed over it: a failed write leaves the old file.
bool writeFileReplacing(const std::string& path, const std::string& text, std::string& error) {
    const std::string temporary = path + ".saving";
    FileSink sink;
    if (!sink.create(temporary)) {
        error = temporary + ": cannot create (" + systemErrorText(GetLastError()) + ")";
        return false;
    }
    bool written = sink.write(text.data(), text.size());
    written = sink.close() && written;
    if (written && MoveFileExA(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = path + ": " + (written ? "cannot replace the file" : "write failed") + " (" +
            systemErrorText(GetLastError()) + ")";
    DeleteFileA(temporary.c_str());
    return false;
}

ClassDesc* firstDescriptor(HostSession& session, std::string& error) {
    const PluginKind* kind = session.registry().findByClassId(helperClassId(), HELPER_CLASS_ID);
    if (!kind) error = "no plug-in provides the entity helpers";
    return kind ? kind->desc : nullptr;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "vexalhost: %s\n", message.c_str());
    return 1;
}

std::string stateText(const Node& node) {
    std::string state = std::string(node.selected ? "selected " : "") +
                        (node.frozen ? "frozen " : "") + (node.hidden ? "hidden " : "") +
                        (node.isOpaque() ? "stored-bytes " : "");
    if (!state.empty()) state.pop_back();
    return state;
}

// Classname, target name and targets of a node, "-" for none.
std::vector<std::string> entityColumns(Node& node) {
    const EntityMark mark = readEntityMark(node);
    std::string targets;
    for (const std::string& target : mark.targets) targets += (targets.empty() ? "" : ",") + target;
    return {mark.classname, mark.targetName.empty() ? "-" : mark.targetName,
            targets.empty() ? "-" : targets};
}

}  // namespace

bool exportMap(HostSession& session, const std::string& path, const std::string& basePath,
               std::string& error) {
    std::unique_ptr<MapText> base;
    if (!basePath.empty()) {
        base = std::make_unique<MapText>();
        if (!readMapFile(basePath, *base, error)) return false;
        if (!findWorldspawn(*base)) {
            error = basePath + ": the base map has no worldspawn entity";
            return false;
        }
    }
    return session.withEditClosed([&] {
        SceneHelpers helpers;
        std::string text, what;
        if (!readSceneHelpers(session.scene(), helpers, what) ||
            !writeMap(helpers.entries, base.get(), text, what)) {
            error = path + ": " + what;
            return false;
        }
        return writeFileReplacing(path, text, error);
    });
}

bool importMap(HostSession& session, const std::string& path, std::vector<std::string>& messages,
               std::string& error, std::vector<Node*>* added) {
    MapText map;
    ClassDesc* desc = firstDescriptor(session, error);
    if (!desc || !readMapFile(path, map, error)) return false;
    Scene& scene = session.scene();
    MapImport imported;
    if (!importMap(
            map, *desc, [&](const std::string& name) { return scene.find(name) != nullptr; },
            imported, error)) {
        error = path + ": " + error;
        return false;
    }
    for (const ImportNote& note : imported.notes)
        messages.push_back(path + ":" + std::to_string(note.line) + ": " +
                           (note.error ? "error: " : "warning: ") + note.text);
    std::vector<Node*> nodes;
    for (ImportedHelper& helper : imported.helpers) {
        Object* object = helper.helper.release();
        Node* node = scene.add(object, object->ClassID(), object->SuperClassID(), helper.name);
        node->transform.SetTrans(helper.position);
        if (helper.kept)
            node->kept = std::make_shared<const std::vector<unsigned char>>(
                encodeKeptEntity(*helper.kept));
        nodes.push_back(node);
    }
    session.added("Import", nodes);
    if (added) *added = nodes;
    return !imported.hasError();
}

std::vector<CheckLine> checkScene(HostSession& session, bool& fails) {
    std::vector<CheckLine> lines;
    fails = false;
    session.withEditClosed([&] {
        SceneHelpers helpers;
        std::string error;
        if (!readSceneHelpers(session.scene(), helpers, error)) {
            lines.push_back({"", error});
            fails = true;
            return false;
        }
        std::vector<CheckFinding> findings = checkHelpers(helpers.entries);
        fails = reportFails(findings);
        for (const CheckFinding& finding : findings)
            lines.push_back({finding.node, formatFinding(finding)});
        return true;
    });
    return lines;
}

bool sceneHasWorld(Scene& scene) {
    for (const auto& node : scene.nodes())
        if (isWorldClassname(helperClassname(*node))) return true;
    return false;
}

std::string helperClassname(Node& node) {
    HelperRecord record;
    std::string error;
    if (!isHelperNode(node) || !readHelperRecord(*node.object(), record, error)) return "";
    return record.classnameText();
}

std::string classPageOf(Node& node) {
    switch (pageClassOf(helperClassname(node))) {
        case PageClass::Door:
            return "door";
        case PageClass::Light:
            return "light";
        default:
            return "";
    }
}

std::string kindClassname(const PluginKind& kind) {
    Animatable* made = kind.desc ? kind.desc->create(0) : nullptr;
    auto* object = dynamic_cast<Object*>(made);
    HelperRecord record;
    std::string error, classname;
    if (object && isHelperClass(object->ClassID(), object->SuperClassID()) &&
        readHelperRecord(*object, record, error))
        classname = record.classnameText();
    if (made) made->DeleteThis();
    return classname;
}

std::string helperListing(Scene& scene) {
    std::string text;
    char line[1024];  // room for four texts escaped in full
    std::snprintf(line, sizeof line, "%-20s %-26s %-16s %-24s %-26s %s\n", "node", "classname",
                  "target name", "targets", "position", "state");
    text += line;
    for (const auto& node : scene.nodes()) {
        const std::vector<std::string> columns = entityColumns(*node);
        char position[64];
        const Point3 p = node->position();
        std::snprintf(position, sizeof position, "(%g, %g, %g)", p.x, p.y, p.z);
        // Names and texts are the user's or a file's bytes: shown escaped and bounded.
        std::snprintf(line, sizeof line, "%-20s %-26s %-16s %-24s %-26s %s\n",
                      printableName(node->name).c_str(), printableName(columns[0]).c_str(),
                      printableName(columns[1]).c_str(), printableName(columns[2]).c_str(),
                      position, stateText(*node).c_str());
        text += line;
    }
    return text;
}

int exportCommand(HostSession& session, const std::string& scene, const std::string& out,
                  const std::string& base) {
    std::string error;
    if (!session.load(scene, error) || !exportMap(session, out, base, error)) return fail(error);
    std::printf("%s: written from %s\n", out.c_str(), scene.c_str());
    return 0;
}

int importCommand(HostSession& session, const std::string& map, const std::string& out) {
    std::vector<std::string> messages;
    std::string error;
    const bool complete = importMap(session, map, messages, error);
    for (const std::string& message : messages) std::fprintf(stderr, "%s\n", message.c_str());
    if (!complete && !error.empty()) return fail(error);
    if (!session.save(out, error)) return fail(error);
    std::printf("%s: %zu helpers from %s\n", out.c_str(), session.scene().size(), map.c_str());
    return complete ? 0 : 1;
}

namespace {

// A map file is checked as it stands, one "FILE:LINE: severity: message" line a finding.
int checkMapCommand(HostSession& session, const std::string& path) {
    std::string error;
    MapText map;
    HelperRecord fresh;
    ClassDesc* desc = firstDescriptor(session, error);
    if (!desc || !readMapFile(path, map, error) || !freshHelperRecord(*desc, fresh, error))
        return fail(error);
    const std::vector<MapFinding> findings = checkMapText(map, fresh);
    bool fails = false;
    for (const MapFinding& finding : findings) {
        std::printf("%s\n", formatMapFinding(path, finding).c_str());
        fails |= finding.severity != Severity::Note;
    }
    std::printf("%s: %zu findings\n", path.c_str(), findings.size());
    return fails ? 1 : 0;
}

bool isMapFileName(const std::string& path) {
    const size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.') return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "map";
}

}  // namespace

int checkCommand(HostSession& session, const std::string& scene) {
    if (isMapFileName(scene)) return checkMapCommand(session, scene);
    std::string error;
    if (!session.load(scene, error)) return fail(error);
    bool fails = false;
    const std::vector<CheckLine> lines = checkScene(session, fails);
    for (const CheckLine& line : lines) std::printf("%s\n", line.text.c_str());
    std::printf("%s: %zu findings\n", scene.c_str(), lines.size());
    return fails ? 1 : 0;
}
