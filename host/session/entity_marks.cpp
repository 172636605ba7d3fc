#include "session/entity_marks.h"
#include <string_view>
#include <unordered_map>

namespace {

constexpr size_t NO_MARK = ~size_t(0);

}  // namespace

// Marks by target name in one table (the first of each name), the others with the same
// name chained behind it, so that no name is copied.
EntityLinks resolveLinks(const std::vector<EntityMark>& marks) {
    std::unordered_map<std::string_view, size_t> first;
    first.reserve(marks.size());
    std::vector<size_t> next(marks.size(), NO_MARK);
    for (size_t i = marks.size(); i-- > 0;) {
        const std::string& name = marks[i].targetName;
        if (name.empty()) continue;
        auto [entry, added] = first.try_emplace(name, i);
        if (!added) {
            next[i] = entry->second;
            entry->second = i;
        }
    }
    EntityLinks links;
    for (size_t from = 0; from < marks.size(); ++from) {
        bool dangles = false;
        for (const std::string& target : marks[from].targets) {
            auto found = first.find(target);
            if (found == first.end()) {
                dangles = true;
                continue;
            }
            for (size_t to = found->second; to != NO_MARK; to = next[to])
                if (to != from) links.arrows.push_back({from, to});
        }
        if (dangles) links.dangling.push_back(from);
    }
    return links;
}

bool sameLinkNames(const EntityMark& a, const EntityMark& b) {
    return a.targetName == b.targetName && a.targets == b.targets;
}

std::vector<OverlayEntity> overlayEntities(const std::vector<EntityMark>& marks) {
    std::vector<OverlayEntity> entities;
    entities.reserve(marks.size());
    for (const EntityMark& mark : marks) entities.push_back({mark.node, mark.classname.c_str()});
    return entities;
}

std::vector<LitEntity> litEntities(const std::vector<EntityMark>& marks) {
    std::vector<LitEntity> lights;
    for (const EntityMark& mark : marks)
        if (mark.lightStyle) lights.push_back({mark.node, *mark.lightStyle});
    return lights;
}
