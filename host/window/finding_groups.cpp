#include "window/finding_groups.h"
#include <algorithm>
#include <map>
#include <utility>
#include "session/import_report.h"

namespace {

bool shows(SeverityFilter filter, Severity severity) {
    if (filter == SeverityFilter::Errors) return severity == Severity::Error;
    if (filter == SeverityFilter::Warnings) return severity == Severity::Warning;
    return true;
}

}  // namespace

std::string RuleRow::text() const {
    return (rule.empty() ? "All rules" : rule) + " (" + countText(count) + ")";
}

std::vector<RuleRow> ruleRows(const std::vector<FindingLine>& lines, SeverityFilter filter) {
    std::map<std::pair<Severity, std::string>, size_t> counts;  // most severe first, by title
    size_t all = 0;
    for (const FindingLine& line : lines) {
        if (!shows(filter, line.severity)) continue;
        ++all;
        if (!line.rule.empty()) ++counts[{line.severity, line.rule}];
    }
    std::vector<RuleRow> rows = {{"", all}};
    for (const auto& [key, count] : counts) rows.push_back({key.second, count});
    return rows;
}

std::vector<size_t> shownLines(const std::vector<FindingLine>& lines, SeverityFilter filter,
                               const std::string& rule) {
    std::vector<size_t> shown;
    for (size_t i = 0; i < lines.size(); ++i)
        if (shows(filter, lines[i].severity) && (rule.empty() || lines[i].rule == rule))
            shown.push_back(i);
    return shown;
}

bool anyRule(const std::vector<FindingLine>& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const FindingLine& line) { return !line.rule.empty(); });
}
