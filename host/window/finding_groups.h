// A report's lines as its window lists them: filtered by severity, and grouped by the rule
// that found them, a row a rule with how many of its findings are shown. On a real level
// Check finds hundreds of things, most of them a few rules' doing.
#pragma once
#include <string>
#include <vector>
#include "entity_checks.h"

struct FindingLine {
    std::string node;  // the node the finding is about, "" for none
    std::string text;
    Severity severity = Severity::Error;
    std::string rule;  // the title of the rule that found it, "" for a line of no rule
};

// Which lines a report shows: all of them, the errors, or the warnings.
enum class SeverityFilter { All, Errors, Warnings };

struct RuleRow {
    std::string rule;          // "": every rule
    size_t count = 0;          // of the lines shown
    std::string text() const;  // "Target not found (12)", "All rules (340)"
};

// "All rules" first, then a row for each rule with a line shown (a rule finds things of one
// severity): the rules of errors first, then of warnings, then of notes, each by title, so
// that a row keeps its place while the counts change.
std::vector<RuleRow> ruleRows(const std::vector<FindingLine>& lines, SeverityFilter filter);
// The lines shown for rule ("": every rule), by their indexes, in the report's order.
std::vector<size_t> shownLines(const std::vector<FindingLine>& lines, SeverityFilter filter,
                               const std::string& rule);
// Whether any line comes from a rule: a report of none (an import's) needs no rows.
bool anyRule(const std::vector<FindingLine>& lines);
