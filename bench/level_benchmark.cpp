// A level in the host: a generated level of 36,000 brush faces (about 3 MB of map text)
// imported into a scene; its export untouched (checked to be the same bytes) and with one
// door moved, and the diff of the two versions; the full redraw of its top view at 1280x720
// with the brushes' outlines, beside the same redraw without them. A measurement, not a test.
#include <cstdio>
#include <string>
#include <vector>
#include "session/host_session.h"
#include "render/view_framing.h"
#include "session/map_commands.h"
#include "bench_timing.h"
#include "render/scene_render.h"
#include "render/software_viewport.h"
#include "scene/byte_io.h"

namespace {

constexpr int WORLD_BRUSHES = 6000;
constexpr int DOORS = 300;
const char* const MAP_PATH = "level_benchmark.map";
const char* const EXPORT_PATH = "level_benchmark_export.map";

// An axis-aligned box in the texture-axes form: six faces.
void appendBox(std::string& out, int x, int y, int z, int size, int height) {
    const int x1 = x + size, y1 = y + size, z1 = z + height;
    const int p[6][9] = {{x, 0, 1, x, 0, 0, x, 1, 0}, {x1, 1, 0, x1, 0, 0, x1, 0, 1},
                         {1, y, 0, 0, y, 0, 0, y, 1}, {0, y1, 1, 0, y1, 0, 1, y1, 0},
                         {0, 1, z, 0, 0, z, 1, 0, z}, {1, 0, z1, 0, 0, z1, 0, 1, z1}};
    char face[200];
    out += "{\n";
    for (const auto& f : p) {
        std::snprintf(face, sizeof face,
                      "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) base/wall_%d [ 1 0 0 0 ] "
                      "[ 0 -1 0 0 ] 0 0.5 0.5\n",
                      f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], x % 7);
        out += face;
    }
    out += "}\n";
}

// A world of rooms' worth of boxes, doors with a brush each, and a light beside each door.
std::string generateLevel() {
    std::string out = "// a generated level\n{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < WORLD_BRUSHES; ++i)
        appendBox(out, i % 64 * 96, i / 64 * 96, (i % 5) * 16, 80, 128);
    out += "}\n";
    for (int i = 0; i < DOORS; ++i) {
        char keys[200];
        std::snprintf(keys, sizeof keys,
                      "{\n\"classname\" \"func_door\"\n\"targetname\" \"door_%d\"\n"
                      "\"angle\" \"90\"\n\"speed\" \"0.50\"\n",
                      i);
        out += keys;
        appendBox(out, i % 30 * 200 + 80, i / 30 * 200, 0, 16, 96);
        std::snprintf(keys, sizeof keys,
                      "}\n{\n\"classname\" \"light\"\n\"origin\" \"%d %d 64\"\n\"light\" "
                      "\"200\"\n}\n",
                      i % 30 * 200 + 40, i / 30 * 200 + 40);
        out += keys;
    }
    return out;
}

void print(const char* what, const Timing& t) {
    std::printf("  %-44s best %7.2f ms  mean %7.2f ms  cpu %7.2f ms\n", what, t.best * 1e3,
                t.mean * 1e3, t.cpu * 1e3);
}

std::string fileText(const char* path) {
    FileSource source;
    std::string text;
    if (!source.open(path)) return text;
    text.resize(source.size());
    text.resize(source.read(&text[0], text.size()));
    return text;
}

// Export of the untouched level, then with the first door moved, and the diff of the level
// and that export: the work of a save under version control and of its review.
bool measureExportAndDiff(HostSession& session, const std::string& level, std::string& error) {
    bool ok = true;
    print("export, nothing changed (target 200 ms)",
          measure(3, 1, [&] { ok = exportMap(session, EXPORT_PATH, "", error) && ok; }));
    if (!ok) return false;
    std::printf("  the export is the level byte for byte: %s\n",
                fileText(EXPORT_PATH) == level ? "yes" : "NO");
    Node* door = session.scene().find("door_0");
    if (!door) {
        error = "no node door_0";
        return false;
    }
    session.scene().setPosition(*door, door->position() + Point3(16, 0, 0));
    print("export, one door moved",
          measure(3, 1, [&] { ok = exportMap(session, EXPORT_PATH, "", error) && ok; }));
    LevelDiff diff;
    print("diff of the level and that export (target 200 ms)",
          measure(3, 1, [&] { ok = diffMapFiles(MAP_PATH, EXPORT_PATH, diff, error) && ok; }));
    std::printf("  the diff says: %s\n", diff.summary.c_str());
    return ok;
}

}  // namespace

int main() {
    HostSession session;
    std::string error;
    if (!session.start(error)) {
        std::fprintf(stderr, "level_benchmark: %s (run from build/bin)\n", error.c_str());
        return 1;
    }
    const std::string text = generateLevel();
    FileSink sink;
    if (!sink.create(MAP_PATH) || !sink.write(text.data(), text.size()) || !sink.close()) {
        std::fprintf(stderr, "level_benchmark: cannot write %s\n", MAP_PATH);
        return 1;
    }
    const int faces = (WORLD_BRUSHES + DOORS) * 6;
    std::printf("level: %.2f MB of map text, %d brushes, %d faces, %d entities\n",
                text.size() / (1024.0 * 1024.0), WORLD_BRUSHES + DOORS, faces, 1 + 2 * DOORS);
    bool imported = true;
    print("import into a scene (target 500 ms)", measure(3, 1, [&] {
              session.reset();
              ImportReport report;
              imported = importMap(session, MAP_PATH, report, error) && imported;
          }));
    if (!imported || !measureExportAndDiff(session, text, error)) {
        std::fprintf(stderr, "level_benchmark: %s\n", error.c_str());
        return 1;
    }
    DeleteFileA(MAP_PATH);
    DeleteFileA(EXPORT_PATH);
    SoftwareViewport view(ViewKind::Top, 1280, 720);
    print("framing the view: outlines computed from planes",
          measure(1, 1, [&] { frameScene(view, session.scene()); }));
    std::printf("full top-view redraw at 1280x720 (target 16 ms):\n");
    print("with the brushes' outlines",
          measure(5, 10, [&] { renderViewport(view, session.scene()); }));
    std::vector<std::shared_ptr<const std::vector<unsigned char>>> kept;
    for (const auto& node : session.scene().nodes()) kept.push_back(std::move(node->kept()));
    print("the same scene without brushes",
          measure(5, 10, [&] { renderViewport(view, session.scene()); }));
    const auto& nodes = session.scene().nodes();
    for (size_t i = 0; i < nodes.size(); ++i)
        session.scene().setKept(*nodes[i], std::move(kept[i]));
    renderViewport(view, session.scene());  // the picture to look at beside the figures
    return writePng(view.image(), "level_benchmark.png", error) ? 0 : 1;
}
