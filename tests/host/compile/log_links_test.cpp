// Log lines that lead to an entity: what each form of line points at, and the node it
// reaches in a scene exported as a compile exports it.
#include <gtest/gtest.h>
#include "host_process.h"
#include "scene/step_names.h"
#include "session/box_brushes.h"
#include "session/host_session.h"
#include "session/log_links.h"
#include "session/map_commands.h"

namespace {

using Kind = LogLink::Kind;

TEST(LogLinks, EachFormOfLineIsRead) {
    const struct {
        const char* line;
        Kind kind;
        int number;
        const char* classname;
        Point3 position;
        LogSeverity severity;
    } cases[] = {
        {"level.map:14: unknown texture", Kind::MapLine, 14, "", {}, LogSeverity::Plain},
        {"Error on line 7: brush with no faces", Kind::MapLine, 7, "", {}, LogSeverity::Error},
        {"WARNING: Entity #2: no target", Kind::Entity, 2, "", {}, LogSeverity::Warning},
        {"entity 0 (worldspawn) has no brushes", Kind::Entity, 0, "", {}, LogSeverity::Plain},
        {"Leak near light_globe at (64, -8.5, 16)", Kind::ClassAt, 0, "light_globe",
         Point3(64, -8.5f, 16), LogSeverity::Plain},
        {"point outside: 1 2 3", Kind::Position, 0, "", Point3(1, 2, 3), LogSeverity::Plain},
        {"3 portals, 12 leafs", Kind::None, 0, "", {}, LogSeverity::Plain},
        {"Line_count 1 2", Kind::None, 0, "", {}, LogSeverity::Plain},
    };
    for (const auto& c : cases) {
        const LogLink link = findLogLink(c.line);
        EXPECT_EQ(link.kind, c.kind) << c.line;
        EXPECT_EQ(link.number, c.number) << c.line;
        EXPECT_EQ(link.classname, c.classname) << c.line;
        EXPECT_EQ(link.position.x, c.position.x) << c.line;
        EXPECT_EQ(link.position.y, c.position.y) << c.line;
        EXPECT_EQ(logSeverity(c.line), c.severity) << c.line;
    }
}

TEST(LogLinks, LinksLeadToTheEntitiesAsExported) {
    HostSession session;
    std::string error;
    ASSERT_TRUE(session.start(error)) << error;
    Node* door = session.create(*session.findKind("Door"), Point3(0, 0, 0), "gate", error);
    Node* button = session.create(*session.findKind("Button"), Point3(200, 0, 0), "press", error);
    ASSERT_TRUE(door && button) << error;
    // The door's slab reaches out past the button.
    ASSERT_TRUE(addBoxes(session, {{door, {Point3(0, -16, 0), Point3(400, 16, 64)}}},
                         NO_BRUSHES_BOX_TEXTURE, StepName::ADD_BOX_BRUSH, error))
        << error;
    const std::string map = makeScratchFolder("log-links") + "\\level.map";
    ASSERT_TRUE(exportMap(session, map, "", error)) << error;
    std::vector<ExportedEntity> exported;
    ASSERT_TRUE(readExportedEntities(map, exported, error)) << error;
    ASSERT_EQ(exported.size(), 3u);  // the world first
    const int doorLine = exported[1].firstLine + 1;
    const struct {
        std::string line;
        Node* node;
    } cases[] = {
        {"level.map:" + std::to_string(doorLine) + ": bad key", door},
        {"entity 2: no target", button},
        {"entity 9: no such", nullptr},
        {"func_door at 190 10 0", door},
        {"near 190 10 0", button},
        {"near 300 0 32", door},     // inside its slab, though the button's origin is nearer
        {"near 5000 0 0", nullptr},  // near no entity
        {"nothing here", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linkedNode(session, findLogLink(c.line), exported), c.node) << c.line;
}

}  // namespace
