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

// The node a link leads to: the entity of a map line or number; the nearest node of the
// classname, or of any kind, to a position. Null when none does.
Node* linkedNode(HostSession& session, const LogLink& link,
                 const std::vector<ExportedEntity>& exported);
