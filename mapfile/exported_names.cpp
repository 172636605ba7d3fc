#include "exported_names.h"
#include "entity_mapping.h"
#include "name_comment.h"
#include "node_names.h"

namespace {

// The names import gives the entities in a scene of their own.
std::vector<std::string> namesOnImport(const std::vector<NamedEntity>& entities) {
    const std::function<bool(const std::string&)> noneTaken = [](const std::string&) {
        return false;
    };
    NodeNames names(noneTaken, entities.size());
    std::vector<std::string> given(entities.size());
    std::vector<size_t> unnamed;
    std::vector<ImportNote> ignored;
    for (size_t i = 0; i < entities.size(); ++i) {
        const NamedEntity& entity = entities[i];
        MapEntity read;
        read.comment = entity.comment;
        if (!entity.targetName.empty()) read.pairs.push_back({"targetname", entity.targetName});
        // The world is named by its class: its comment is the map's header, not a name.
        if (isWorldClassname(entity.classname) || !names.takeGiven(read, given[i], ignored))
            unnamed.push_back(i);
    }
    for (const size_t i : unnamed) given[i] = names.takeMade(entities[i].classname);
    return given;
}

}  // namespace

std::vector<std::string> neededComments(std::vector<NamedEntity>& entities) {
    std::vector<std::string> comments(entities.size());
    // A comment given to one entity can free or take a made name of another: a few rounds
    // settle it, as each round only adds comments that give names back for certain.
    for (int round = 0; round < 8; ++round) {
        const std::vector<std::string> names = namesOnImport(entities);
        bool added = false;
        for (size_t i = 0; i < entities.size(); ++i) {
            NamedEntity& entity = entities[i];
            if (!entity.nodeName || names[i] == *entity.nodeName) continue;
            const std::string comment = nameComment(*entity.nodeName, entity.targetName);
            if (comment == entity.comment) continue;  // a name import cannot give back whole
            comments[i] = entity.comment = comment;
            added = true;
        }
        if (!added) break;
    }
    return comments;
}
