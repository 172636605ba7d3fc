#include "generated_level.h"
#include <cstdio>
#include "entity_catalogue.h"

namespace {

constexpr int POINT_ENTITIES = 1000, POINT_CLASSES = 40, LIGHTS = 500, DOORS = 90;
constexpr int DETAILS = 110, GROUPS = 100, GROUP_BRUSHES = 4, TRIGGERS = 200;
constexpr int ALL_BRUSHES = 4000;
constexpr int SPAN = 64;  // brushes and entities a row of the level's grid
constexpr int STEP = 128;
constexpr int ORIGIN = 4096;  // the level's corner, as real levels lie round the origin

class LevelWriter {
public:
    GeneratedLevel level;

    void beginEntity(const char* classname) {
        level.text += "// entity " + std::to_string(level.entities) + "\n";
        brushInEntity_ = 0;
        level.text += "{\n\"classname\" \"" + std::string(classname) + "\"\n";
        ++level.entities;
    }
    void pair(const char* key, const std::string& value) {
        level.text += "\"" + std::string(key) + "\" \"" + value + "\"\n";
    }
    void endEntity() { level.text += "}\n"; }

    // An axis-aligned box in the texture-axes form at the cell of index, with the comment
    // other editors write before each brush.
    void box(int index, int size, int height) {
        const int base[3] = {index % SPAN * STEP - ORIGIN, index / SPAN * STEP - ORIGIN,
                             index % 3 * 16};
        const int far[3] = {base[0] + size, base[1] + size, base[2] + height};
        // Each face: its axis, its side, and three points of its plane (the other two
        // coordinates as steps from the box's corner).
        const struct {
            int axis;
            bool high;
            int p[3][2];
        } faces[6] = {{0, false, {{0, 1}, {0, 0}, {1, 0}}}, {0, true, {{1, 0}, {0, 0}, {0, 1}}},
                      {1, false, {{1, 0}, {0, 0}, {0, 1}}}, {1, true, {{0, 1}, {0, 0}, {1, 0}}},
                      {2, false, {{0, 1}, {0, 0}, {1, 0}}}, {2, true, {{1, 0}, {0, 0}, {0, 1}}}};
        level.text += "// brush " + std::to_string(brushInEntity_++) + "\n{\n";
        char face[300];
        for (const auto& f : faces) {
            int q[3][3];
            for (int k = 0; k < 3; ++k)
                for (int axis = 0, other = 0; axis < 3; ++axis)
                    q[k][axis] = axis == f.axis ? (f.high ? far[axis] : base[axis])
                                                : base[axis] + f.p[k][other++];
            std::snprintf(face, sizeof face,
                          "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) city2/metal_panel_rusted_%02d "
                          "[ 1 0 0 %d ] [ 0 -1 0 %d ] 0 0.5 0.5\n",
                          q[0][0], q[0][1], q[0][2], q[1][0], q[1][1], q[1][2], q[2][0], q[2][1],
                          q[2][2], index % 17, -(base[0] % 64), base[1] % 64);
            level.text += face;
            ++level.faces;
        }
        level.text += "}\n";
        ++level.brushes;
    }

    std::string position(int index, int z) {
        char text[64];
        std::snprintf(text, sizeof text, "%d %d %d", index % SPAN * STEP - ORIGIN + 96,
                      index / SPAN * STEP - ORIGIN + 96, z);
        return text;
    }

private:
    int brushInEntity_ = 0;
};

// Point entity classes of the catalogue: not brush entities, not lights.
std::string pointClass(int i) {
    int found = 0;
    for (const char* const* name = entityClassNames; **name; ++name) {
        const std::string n = *name;
        if (n.rfind("func_", 0) == 0 || n.rfind("trigger_", 0) == 0 || n.rfind("light", 0) == 0)
            continue;
        if (found++ == i % POINT_CLASSES) return n;
    }
    return "info_null";
}

}  // namespace

GeneratedLevel generateRealLevel() {
    LevelWriter w;
    int cell = 0;
    const int worldBrushes = ALL_BRUSHES - DOORS - (DETAILS + GROUPS) * GROUP_BRUSHES - TRIGGERS;
    w.level.text = "// a generated level\n";
    w.beginEntity("worldspawn");
    w.pair("wad", "gfx/base.wad");
    w.pair("message", "A generated level");
    for (int i = 0; i < worldBrushes; ++i) w.box(cell++, 112, 128);
    w.endEntity();
    for (int i = 0; i < DOORS; ++i) {
        w.beginEntity("func_door");
        w.pair("targetname", "door_" + std::to_string(i));
        w.pair("angle", "90");
        w.pair("speed", "100");
        w.box(cell++, 16, 96);
        w.endEntity();
    }
    for (int i = 0; i < DETAILS + GROUPS; ++i) {
        w.beginEntity(i < DETAILS ? "func_detail" : "func_group");
        for (int b = 0; b < GROUP_BRUSHES; ++b) w.box(cell++, 48, 32);
        w.endEntity();
    }
    for (int i = 0; i < TRIGGERS; ++i) {
        w.beginEntity(i % 2 ? "trigger_multiple" : "trigger_once");
        w.pair("target", "door_" + std::to_string(i % DOORS));
        w.box(cell++, 64, 64);
        w.endEntity();
    }
    for (int i = 0; i < LIGHTS; ++i) {
        w.beginEntity(i % 5 ? "light" : "light_fluoro");
        w.pair("origin", w.position(i * 3, 96));
        w.pair("light", std::to_string(200 + i % 5 * 50));
        w.endEntity();
    }
    for (int i = 0; i < POINT_ENTITIES; ++i) {
        w.beginEntity(pointClass(i).c_str());
        w.pair("origin", w.position(i * 7 % 2400, 24));
        w.pair("angle", std::to_string(i % 8 * 45));
        w.endEntity();
    }
    return w.level;
}
