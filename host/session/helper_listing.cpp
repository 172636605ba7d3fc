#include "session/helper_listing.h"
#include <cstdio>
#include "printable_name.h"
#include "session/entity_reading.h"

namespace {

std::string stateText(const Node& node) {
    std::string state = std::string(node.selected() ? "selected " : "") +
                        (node.frozen() ? "frozen " : "") + (node.hidden() ? "hidden " : "") +
                        (node.isOpaque() ? "stored-bytes " : "");
    if (!state.empty()) state.pop_back();
    return state;
}

// Classname, target name and targets of a node, "-" for none.
std::vector<std::string> entityColumns(Node& node) {
    const EntityMark mark = readEntityMark(node);
    std::string targets;
    for (const std::string& target : mark.targets) targets += (targets.empty() ? "" : ",") + target;
    return {mark.classname, mark.targetName.empty() ? "-" : mark.targetName,
            targets.empty() ? "-" : targets};
}

}  // namespace

std::string helperListing(Scene& scene) {
    std::string text;
    char line[1024];  // room for four texts escaped in full
    std::snprintf(line, sizeof line, "%-20s %-26s %-16s %-24s %-26s %s\n", "node", "classname",
                  "target name", "targets", "position", "state");
    text += line;
    for (const auto& node : scene.nodes()) {
        const std::vector<std::string> columns = entityColumns(*node);
        char position[64];
        const Point3 p = node->position();
        std::snprintf(position, sizeof position, "(%g, %g, %g)", p.x, p.y, p.z);
        // Names and texts are the user's or a file's bytes: shown escaped and bounded.
        std::snprintf(line, sizeof line, "%-20s %-26s %-16s %-24s %-26s %s\n",
                      printableName(node->name()).c_str(), printableName(columns[0]).c_str(),
                      printableName(columns[1]).c_str(), printableName(columns[2]).c_str(),
                      position, stateText(*node).c_str());
        text += line;
    }
    return text;
}
