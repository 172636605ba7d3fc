// Map text speed: reading a generated 50 MB map of brushes and entities, importing 10,000
// entities into helpers, exporting 100,000 helpers, each against one buffered read or
// write of the same bytes. A measurement, not a test.
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>
#include "map_export.h"
#include "map_import.h"
#include "plugins/plugin_registry.h"
#include "scene/byte_io.h"
#include "scene/scene.h"

namespace {

constexpr size_t MAP_BYTES = 50u << 20;
constexpr int IMPORT_ENTITIES = 10000;
constexpr int EXPORT_HELPERS = 100000;
const char* const MAP_PATH = "map_benchmark.map";

double seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double megabytes(size_t bytes) { return bytes / (1024.0 * 1024.0); }

void appendBox(std::string& out, int x, int y, int size) {
    char face[160];
    const int x1 = x + size, y1 = y + size;
    const int points[6][9] = {{x, 0, 1, x, 0, 0, x, 1, 0}, {x1, 1, 0, x1, 0, 0, x1, 0, 1},
                              {1, y, 0, 0, y, 0, 0, y, 1}, {0, y1, 1, 0, y1, 0, 1, y1, 0},
                              {0, 1, 0, 0, 0, 0, 1, 0, 0}, {1, 0, 64, 0, 0, 64, 0, 1, 64}};
    out += "{\n";
    for (const auto& p : points) {
        std::snprintf(face, sizeof face,
                      "( %d %d %d ) ( %d %d %d ) ( %d %d %d ) base/wall_%d 0 0 0 1 1\n", p[0], p[1],
                      p[2], p[3], p[4], p[5], p[6], p[7], p[8], x % 7);
        out += face;
    }
    out += "}\n";
}

void appendPointEntity(std::string& out, int i) {
    char entity[256];
    std::snprintf(entity, sizeof entity,
                  "// door_%d\n{\n\"classname\" \"func_door\"\n\"origin\" \"%d %d 0\"\n"
                  "\"angle\" \"90\"\n\"targetname\" \"door_%d\"\n\"wait\" \"0.5\"\n"
                  "\"target\" \"next_%d\"\n}\n",
                  i, i % 300 * 16, i / 300 * 16, i, i);
    out += entity;
}

// A worldspawn of brushes with a brush entity and a point entity every hundred brushes.
std::string generateMap(size_t bytes) {
    std::string out = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; out.size() < bytes / 2; ++i) appendBox(out, i % 512 * 64, i / 512 * 64, 48);
    out += "}\n";
    for (int i = 0; out.size() < bytes; ++i) {
        out += "{\n\"classname\" \"func_wall\"\n";
        for (int b = 0; b < 100; ++b) appendBox(out, b * 64, i * 64, 32);
        out += "}\n";
        appendPointEntity(out, i);
    }
    return out;
}

bool writeFile(const std::string& path, const std::string& text, double& elapsed) {
    const double start = seconds();
    FileSink sink;
    bool ok = sink.create(path) && sink.write(text.data(), text.size());
    ok = sink.close() && ok;
    elapsed = seconds() - start;
    return ok;
}

bool readFile(const std::string& path, std::string& text, double& elapsed) {
    const double start = seconds();
    FileSource source;
    if (!source.open(path)) return false;
    text.resize(source.size());
    const bool ok = source.read(&text[0], text.size()) == text.size();
    elapsed = seconds() - start;
    return ok;
}

void report(const char* what, size_t bytes, double elapsed, double reference) {
    std::printf("%-44s %8.3f s %9.1f MB/s   %5.1fx the buffered %s\n", what, elapsed,
                megabytes(bytes) / elapsed, elapsed / reference, reference > 0 ? "file time" : "");
}

bool readingText(std::string& text) {
    double writeTime, readTime;
    text = generateMap(MAP_BYTES);
    if (!writeFile(MAP_PATH, text, writeTime) || !readFile(MAP_PATH, text, readTime)) return false;
    std::printf("map text: %.1f MB\n", megabytes(text.size()));
    report("one buffered read of the file", text.size(), readTime, readTime);
    MapText map;
    MapTextError error;
    std::string copy = text;  // the reader keeps the text it reads
    const double start = seconds();
    if (!readMapText(std::move(copy), map, error)) return false;
    const double parse = seconds() - start;
    size_t brushes = 0;
    for (const MapEntity& e : map.entities) brushes += e.brushes.size();
    report("reading the map text (in memory)", text.size(), parse, readTime);
    std::printf("  %zu entities, %zu brushes, %zu planes\n", map.entities.size(), brushes,
                map.planes.size());
    return true;
}

bool importing(ClassDesc& desc) {
    std::string text;
    for (int i = 0; i < IMPORT_ENTITIES; ++i) appendPointEntity(text, i);
    double writeTime, readTime;
    if (!writeFile(MAP_PATH, text, writeTime) || !readFile(MAP_PATH, text, readTime)) return false;
    Scene scene;
    const double start = seconds();
    MapText map;
    MapTextError where;
    MapImport imported;
    std::string error;
    if (!readMapText(text, map, where) ||
        !importMap(
            map, desc, [&](const std::string& n) { return scene.find(n) != nullptr; }, imported,
            error))
        return false;
    for (ImportedHelper& h : imported.helpers) {
        Object* object = h.helper.release();
        scene.setPosition(*scene.add(object, object->ClassID(), object->SuperClassID(), h.name),
                          h.position);
    }
    const double elapsed = seconds() - start;
    std::printf("import: %d entities (%.2f MB) into %zu helper nodes\n", IMPORT_ENTITIES,
                megabytes(text.size()), scene.size());
    report("one buffered read of the file", text.size(), readTime, readTime);
    report("read, make the helpers, add the nodes", text.size(), elapsed, readTime);
    return true;
}

bool exporting(ClassDesc& desc) {
    std::vector<std::unique_ptr<Object, HelperDeleter>> helpers;
    HelperRecord record;
    std::string error, text;
    for (int i = 0; i < EXPORT_HELPERS; ++i) {
        record.setClassname(i % 2 ? "func_door" : "light");
        record.props.angle = i % 360;
        std::snprintf(record.props.keyValueText, sizeof record.props.keyValueText,
                      "target|door_%d|wait|0.5|", i);
        helpers.emplace_back(makeHelper(desc, record, error));
        if (!helpers.back()) return false;
    }
    const double start = seconds();
    std::vector<HelperEntry> entries(helpers.size());
    for (size_t i = 0; i < helpers.size(); ++i) {
        entries[i].name = "helper" + std::to_string(i);
        entries[i].position = Point3(float(i % 300), float(i / 300), 0);
        if (!readHelperRecord(*helpers[i], entries[i].record, error)) return false;
    }
    double writeTime, rawTime;
    if (!writeMap(entries, nullptr, text, error) || !writeFile(MAP_PATH, text, writeTime))
        return false;
    const double elapsed = seconds() - start;
    if (!writeFile(MAP_PATH, text, rawTime)) return false;
    std::printf("export: %d helpers to %.1f MB of map text\n", EXPORT_HELPERS,
                megabytes(text.size()));
    report("one buffered write of the same bytes", text.size(), rawTime, rawTime);
    report("read the helpers' chunks, write the text", text.size(), elapsed, rawTime);
    return true;
}

}  // namespace

int main() {
    PluginRegistry registry;
    std::string error, text;
    if (!registry.loadFolder("plugins", error)) {
        std::fprintf(stderr, "map_benchmark: %s (run from build/bin)\n", error.c_str());
        return 1;
    }
    const PluginKind* first = registry.findByClassId(helperClassId(), HELPER_CLASS_ID);
    const bool ok =
        first && readingText(text) && importing(*first->desc) && exporting(*first->desc);
    DeleteFileA(MAP_PATH);
    if (!ok) std::fprintf(stderr, "map_benchmark: a step failed\n");
    return ok ? 0 : 1;
}
