#include "map_check.h"
#include <algorithm>
#include <map>
#include "map_import.h"

std::vector<MapFinding> checkMapText(const MapText& map, const HelperRecord& fresh) {
    std::vector<ImportedEntity> entities;
    std::vector<ImportNote> notes;
    readMapEntities(
        map, fresh, [](const std::string&) { return false; }, entities, notes);
    std::vector<MapFinding> findings;
    for (const ImportNote& note : notes)
        findings.push_back(
            {note.line, note.error ? Severity::Error : Severity::Warning, note.text, note.column});
    std::vector<HelperEntry> helpers;
    std::map<std::string, int> lineOf;
    for (ImportedEntity& entity : entities) {
        lineOf[entity.name] = entity.line;
        helpers.push_back({entity.name, entity.position, entity.record, entity.kept});
    }
    for (const CheckFinding& finding : checkHelpers(helpers))
        findings.push_back({lineOf[finding.node], finding.severity,
                            findingSubject(finding) + ": " + finding.message});
    std::stable_sort(findings.begin(), findings.end(),
                     [](const MapFinding& a, const MapFinding& b) { return a.line < b.line; });
    return findings;
}

std::string formatMapFinding(const std::string& file, const MapFinding& finding) {
    const std::string column = finding.column ? ":" + std::to_string(finding.column) : "";
    return file + ":" + std::to_string(finding.line) + column + ": " +
           severityName(finding.severity) + ": " + finding.message;
}
