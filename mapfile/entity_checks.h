// Checks of a scene's helpers before the level goes to the game: targets that lead
// nowhere, keys that clash, texts map text cannot hold, values the pages cannot show,
// clones left in place.
#pragma once
#include <string>
#include <vector>
#include "map_export.h"

enum class Severity { Error, Warning, Note };

struct CheckFinding {
    std::string node, classname;
    Severity severity = Severity::Note;
    std::string message;
    std::string key;   // the pair the finding is about; "": the entity as a whole
    std::string rule;  // the rule's title, the same for all its findings: "Target not found"
};

// Every finding, sorted by node (a node's findings in the order of the rules).
std::vector<CheckFinding> checkHelpers(const std::vector<HelperEntry>& helpers);

// "error", "warning" or "note".
const char* severityName(Severity severity);
// "NODE (CLASSNAME)", both escaped as printableName shows them.
std::string findingSubject(const CheckFinding& finding);
// "NODE (CLASSNAME): error|warning|note: message"
std::string formatFinding(const CheckFinding& finding);

// Whether the report holds an error or a warning.
bool reportFails(const std::vector<CheckFinding>& findings);
