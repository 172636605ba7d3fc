#include "map_check.h"
#include <algorithm>
#include <map>
#include "map_export.h"
#include "map_import.h"

namespace {

// The column of a byte of the text: 1 at its line's start.
int columnOf(const MapText& map, size_t offset) {
    const size_t lineEnd = map.text.find_last_of("\r\n", offset == 0 ? 0 : offset - 1);
    const size_t lineStart = offset == 0 || lineEnd == std::string::npos ? 0 : lineEnd + 1;
    return static_cast<int>(offset - lineStart) + 1;
}

// Where a finding of the check points: the value of the pair it is about, else the
// entity's opening brace.
MapFinding placed(const MapText& map, const MapEntity& entity, const CheckFinding& finding) {
    const MapPair* pair = finding.key.empty() ? nullptr : entity.find(finding.key);
    MapFinding placed{entity.line, finding.severity,
                      findingSubject(finding) + ": " + finding.message,
                      columnOf(map, entity.offset)};
    if (pair) {
        placed.line = pair->line;
        placed.column = pair->valueColumn;
    }
    return placed;
}

// The game loads no level without a world.
void checkWorldEntity(const MapText& map, std::vector<MapFinding>& findings) {
    if (map.entities.empty())
        findings.push_back({1, Severity::Error, "the map holds no entity, so no world", 1});
    else if (!findWorldspawn(map))
        findings.push_back({1, Severity::Error, "the map has no worldspawn entity", 1});
}

}  // namespace

std::vector<MapFinding> checkMapText(const MapText& map, const HelperRecord& fresh) {
    std::vector<ImportedEntity> entities;
    std::vector<ImportNote> notes;
    readMapEntities(
        map, fresh, [](const std::string&) { return false; }, entities, notes);
    std::vector<MapFinding> findings;
    checkWorldEntity(map, findings);
    for (const ImportNote& note : notes)
        if (!note.checkSkips)
            findings.push_back({note.line, note.error ? Severity::Error : Severity::Warning,
                                note.text, note.column});
    std::vector<HelperEntry> helpers;
    std::map<std::string, size_t> entityOf;
    for (ImportedEntity& entity : entities) {
        entityOf[entity.name] = entity.index;
        helpers.push_back({entity.name, entity.position, entity.record, entity.kept});
    }
    for (const CheckFinding& finding : checkHelpers(helpers))
        findings.push_back(placed(map, map.entities[entityOf[finding.node]], finding));
    std::stable_sort(findings.begin(), findings.end(),
                     [](const MapFinding& a, const MapFinding& b) {
                         return a.line < b.line || (a.line == b.line && a.column < b.column);
                     });
    return findings;
}

std::string formatMapFinding(const std::string& file, const MapFinding& finding) {
    const std::string column = finding.column ? ":" + std::to_string(finding.column) : "";
    return file + ":" + std::to_string(finding.line) + column + ": " +
           severityName(finding.severity) + ": " + finding.message;
}
