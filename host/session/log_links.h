// What a compiler's log line points at, so that a double click can lead to the entity: a
// line of the exported map ("level.map:120", "line 120"), an entity number ("entity 12",
// counted as the export wrote them, the world first), a classname with a position
// ("light_globe at (128 64 32)") or a position alone. Warnings and errors are told by the
// words compilers start them with.
#pragma once
#include <string>
#include <vector>
#include "vexsdk/geom.h"

class HostSession;
class Node;

enum class LogSeverity { Plain, Warning, Error };
LogSeverity logSeverity(const std::string& line);

struct LogLink {
    enum class Kind { None, MapLine, Entity, ClassAt, Position };
    Kind kind = Kind::None;
    int number = 0;  // the map line or the entity number
    std::string classname;
    Point3 position;
};
LogLink findLogLink(const std::string& line);

// An entity as the export wrote it: the lines it spans (its name comment included) and the
// node it was written from ("" for a world written from a base map).
struct ExportedEntity {
    int firstLine = 0, lastLine = 0;
    std::string node;
};
// The entities of an exported map, in order; false with a message when it cannot be read.
bool readExportedEntities(const std::string& mapPath, std::vector<ExportedEntity>& entities,
                          std::string& error);

// How far from an entity's origin a position still counts as the entity's.
constexpr float LOG_LINK_NEAR = 64;

// The node a link leads to: the entity of a map line or number; the nearest node of the
// classname to a position; for a position alone, the nearest entity near it: within
// LOG_LINK_NEAR units of its origin or inside its brushes' bounds (the world's excepted).
// Null when none does.
Node* linkedNode(HostSession& session, const LogLink& link,
                 const std::vector<ExportedEntity>& exported);
