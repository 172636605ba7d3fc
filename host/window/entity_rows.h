// The rows of the entity list: every node whose name, classname, target name or one of
// whose targets holds the filter text (in any case), sorted by name. Changes are noted as
// the index announces them and applied together when the list is next shown, so an edit
// typed into a page costs one row, not the whole list.
#pragma once
#include <string>
#include <unordered_set>
#include <vector>
#include "session/entity_index.h"

// The rows' order of names: natural ("entity 2" before "entity 10"), in any case.
bool rowOrder(const std::string& a, const std::string& b);

class EntityRows {
public:
    // Listens to the index's changes until it is destroyed.
    explicit EntityRows(EntityIndex& index);
    ~EntityRows();
    EntityRows(const EntityRows&) = delete;
    EntityRows& operator=(const EntityRows&) = delete;

    void setFilter(const std::string& text);
    // Applies the changes noted since the last call; true when any row may differ.
    bool update();
    size_t size() const { return rows_.size(); }
    const Node* at(size_t row) const { return rows_[row]; }
    int rowOf(const Node* node) const;  // -1 when no row shows the node

private:
    void noted(EntityIndex::Change change, const Node* node);
    void rebuild();
    bool matches(const Node& node);

    EntityIndex& index_;
    std::string filter_;
    std::vector<const Node*> sorted_;  // every node, by name
    std::vector<const Node*> rows_;    // the nodes that match, by name
    std::unordered_set<const Node*> changed_, removed_;
    bool rebuildPending_ = true;
};
