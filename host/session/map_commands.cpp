#include "session/map_commands.h"
#include "scene/step_names.h"
#include "printable_name.h"
#include <cstdio>
#include <memory>
#include "session/entity_reading.h"
#include "session/host_session.h"
#include "session/page_editor.h"
#include "entity_checks.h"
#include "map_check.h"
#include "map_diff.h"
#include "map_export.h"
#include "map_import.h"
#include "scene/byte_io.h"
#include "scene/file_identity.h"

namespace {

// The scene's helpers with their records, in scene order.
struct SceneHelpers {
    std::vector<HelperEntry> entries;
    std::vector<Node*> nodes;
};

bool readSceneHelpers(Scene& scene, SceneHelpers& helpers, std::string& error) {
    for (const auto& node : scene.nodes()) {
        if (!isHelperNode(*node)) continue;
        HelperEntry entry{node->name(), node->position(), {}, nullptr};
        if (!readHelperRecord(*node->object(), entry.record, error)) {
            error = "node '" + printableName(node->name()) + "': " + error;
            return false;
        }
        if (!decodeKept(node->kept(), *node, entry.kept, error)) return false;
        helpers.entries.push_back(std::move(entry));
        helpers.nodes.push_back(node.get());
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

}  // namespace

bool decodeKept(const KeptBytes& bytes, const Node& node, std::shared_ptr<const KeptEntity>& kept,
                std::string& error) {
    kept = nullptr;
    if (!bytes) return true;
    auto decoded = std::make_shared<KeptEntity>();
    if (!decodeKeptEntity(bytes->data(), bytes->size(), *decoded, error)) {
        error = "node '" + printableName(node.name()) + "': " + error;
        return false;
    }
    kept = std::move(decoded);
    return true;
}

KeptBytes keptForClone(const KeptBytes& bytes) {
    KeptEntity kept;
    std::string error;
    if (!bytes || !decodeKeptEntity(bytes->data(), bytes->size(), kept, error)) return bytes;
    return std::make_shared<const std::vector<unsigned char>>(encodeKeptEntity(copiedKept(kept)));
}

bool refuseSameFile(const std::string& output, const std::string& input, const char* what,
                    std::string& error) {
    if (!sameFile(output, input)) return true;
    error = output + ": is " + what + " (" + input + ") itself; nothing was written";
    return false;
}

ClassDesc* firstDescriptor(HostSession& session, std::string& error) {
    const PluginKind* kind = session.registry().findByClassId(helperClassId(), HELPER_CLASS_ID);
    if (!kind) error = "no plug-in provides the entity helpers";
    return kind ? kind->desc : nullptr;
}

bool exportMap(HostSession& session, const std::string& path, const std::string& basePath,
               std::string& error) {
    std::unique_ptr<MapText> base;
    if (!basePath.empty()) {
        if (!refuseSameFile(path, basePath, "the base map", error)) return false;
        base = std::make_unique<MapText>();
        if (!readMapFile(basePath, *base, error)) return false;
        if (!findWorldspawn(*base)) {
            error = basePath + ": the base map has no worldspawn entity";
            return false;
        }
    }
    return session.pages().withEditClosed([&] {
        SceneHelpers helpers;
        std::string text, what;
        if (!readSceneHelpers(session.scene(), helpers, what) ||
            !writeMap(helpers.entries, base.get(), text, what)) {
            error = path + ": " + what;
            return false;
        }
        return writeTextFileReplacing(path, text, error);
    });
}

namespace {

// Each note with the node its entity became: the last helper whose entity starts before it.
void reportNotes(const std::string& path, const MapImport& imported, ImportReport& report) {
    size_t helper = 0;
    for (const ImportNote& note : imported.notes) {
        while (helper + 1 < imported.helpers.size() &&
               imported.helpers[helper + 1].line <= note.line)
            ++helper;
        const bool inHelper = !note.error && helper < imported.helpers.size() &&
                              imported.helpers[helper].line <= note.line;
        report.add({path + ":" + std::to_string(note.line) +
                        (note.column ? ":" + std::to_string(note.column) : ""),
                    note.error, note.text, inHelper ? imported.helpers[helper].name : ""});
    }
}

}  // namespace

bool importMap(HostSession& session, const std::string& path, ImportReport& report,
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
    reportNotes(path, imported, report);
    std::vector<Node*> nodes;
    for (ImportedHelper& helper : imported.helpers) {
        Object* object = helper.helper.release();
        Node* node = scene.add(object, object->ClassID(), object->SuperClassID(), helper.name);
        scene.setPosition(*node, helper.position);
        if (helper.kept)
            scene.setKept(*node, std::make_shared<const std::vector<unsigned char>>(
                                     encodeKeptEntity(*helper.kept)));
        nodes.push_back(node);
    }
    session.added(StepName::IMPORT, nodes);
    if (added) *added = nodes;
    return !imported.hasError();
}

// Reads the scene as it stands, the edited helper too: it may run after every change while
// a page is in use, which closing the edit would take from under the user.
std::vector<CheckLine> checkScene(HostSession& session, bool& fails) {
    std::vector<CheckLine> lines;
    SceneHelpers helpers;
    std::string error;
    if (!readSceneHelpers(session.scene(), helpers, error)) {
        lines.push_back({"", error, "", Severity::Error});
        fails = true;
        return lines;
    }
    std::vector<CheckFinding> findings = checkHelpers(helpers.entries);
    fails = reportFails(findings);
    for (const CheckFinding& finding : findings)
        lines.push_back({finding.node, formatFinding(finding), finding.rule, finding.severity});
    return lines;
}

bool sceneHasWorld(Scene& scene) {
    for (const auto& node : scene.nodes())
        if (isWorldClassname(helperClassname(*node))) return true;
    return false;
}

bool checkMapFile(HostSession& session, const std::string& path, std::vector<CheckLine>& lines,
                  bool& fails, std::string& error) {
    MapText map;
    HelperRecord fresh;
    ClassDesc* desc = firstDescriptor(session, error);
    if (!desc || !readMapFile(path, map, error) || !freshHelperRecord(*desc, fresh, error))
        return false;
    fails = false;
    for (const MapFinding& finding : checkMapText(map, fresh)) {
        lines.push_back({"", formatMapFinding(path, finding), "", finding.severity});
        fails |= finding.severity != Severity::Note;
    }
    return true;
}

bool diffMapFiles(const std::string& before, const std::string& after, LevelDiff& diff,
                  std::string& error) {
    MapText a, b;
    if (!readMapFile(before, a, error) || !readMapFile(after, b, error)) return false;
    const MapDiff found = diffMaps(a, b);
    diff = {found.lines, found.summary(), found.differs()};
    return true;
}
