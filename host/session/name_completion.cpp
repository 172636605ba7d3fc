#include "session/name_completion.h"
#include "scene/scene.h"

namespace {

void consider(const std::string& name, const std::string& typed, std::string& best) {
    if (name.size() > typed.size() && name.compare(0, typed.size(), typed) == 0 &&
        (best.empty() || name < best))
        best = name;
}

}  // namespace

std::string completeName(const std::string& typed, const std::vector<EntityMark>& marks) {
    std::string best;
    if (typed.empty()) return best;
    for (const EntityMark& mark : marks) {
        consider(mark.targetName, typed, best);
        if (mark.node) consider(mark.node->name(), typed, best);
    }
    return best;
}
