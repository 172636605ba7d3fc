// The host's way to map text and back: export, import and check of the scene's helpers. The work is
// done by the map text library; this file hands it the scene's helpers and files.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include "entity_checks.h"
#include "plugins/plugin_registry.h"
#include "session/import_report.h"
#include "scene/scene.h"

class HostSession;
struct KeptEntity;

using KeptBytes = std::shared_ptr<const std::vector<unsigned char>>;

// What a node keeps (bytes: its own, or bytes about to be its own), decoded; null when it
// keeps nothing. False with a message naming the node when the bytes do not decode.
bool decodeKept(const KeptBytes& bytes, const Node& node, std::shared_ptr<const KeptEntity>& kept,
                std::string& error);

// What a clone of a node keeps (copiedKept), as bytes; the same bytes when they do not decode.
KeptBytes keptForClone(const KeptBytes& bytes);

// False with a message naming both when output is the same file as input (whatever the
// spelling of their paths): a command must never write over what it reads.
bool refuseSameFile(const std::string& output, const std::string& input, const char* what,
                    std::string& error);

// The descriptor that makes the entity helpers (the plug-in's first); null with a message
// when no plug-in offers them.
ClassDesc* firstDescriptor(HostSession& session, std::string& error);

// Writes the scene's helpers as map text to path (atomically, as scenes are written),
// with the worldspawn of basePath when it is not empty. Errors name the file.
bool exportMap(HostSession& session, const std::string& path, const std::string& basePath,
               std::string& error);

// Adds the entities of a map file to the scene as helpers. Warnings, and errors for
// entities left out, go to the report, each at its "FILE:LINE". False with error
// ("FILE:LINE:COLUMN: ..." for text that cannot be read) when nothing was imported, and
// false with an empty error when an entity had to be left out.
bool importMap(HostSession& session, const std::string& path, ImportReport& report,
               std::string& error, std::vector<Node*>* added = nullptr);

// The check's report on the scene's helpers, one finding a line, sorted by node. Text
// typed into a page but not committed is not seen (HostSession::storeTyping first).
struct CheckLine {
    std::string node;  // the helper's node name
    std::string text;  // "NODE (CLASSNAME): error|warning|note: message"
    std::string rule;  // the title of the rule that found it ("" for no finding of a rule)
    Severity severity = Severity::Error;
};
std::vector<CheckLine> checkScene(HostSession& session, bool& fails);

// Whether a node holds the world (a worldspawn helper): export then takes no base map.
bool sceneHasWorld(Scene& scene);

// The check of a map file as it stands, one "FILE:LINE: severity: message" line a finding;
// false with error when the file cannot be read.
bool checkMapFile(HostSession& session, const std::string& path, std::vector<CheckLine>& lines,
                  bool& fails, std::string& error);

// What changed between two versions of a level, entity by entity: the report's lines and
// its summary. False with error ("FILE:LINE:COLUMN: ...") when a file cannot be read.
struct LevelDiff {
    std::vector<std::string> lines;
    std::string summary;
    bool differs = false;
};
bool diffMapFiles(const std::string& before, const std::string& after, LevelDiff& diff,
                  std::string& error);
