#include "window/link_pick.h"
#include "printable_name.h"
#include "session/entity_linking.h"
#include "session/host_session.h"

namespace {

std::string firing(const std::vector<Node*>& selection) {
    return selection.size() == 1 ? printableName(selection[0]->name())
                                 : "the " + std::to_string(selection.size()) + " selected";
}

}  // namespace

bool LinkPick::cancel() {
    const bool was = pending_;
    pending_ = false;
    return was;
}

std::string LinkPick::prompt() const {
    return "Link: click the helper that " + firing(session_.scene().selection()) +
           " will fire (Esc cancels)";
}

std::string LinkPick::pick(Node* node) {
    if (!node) return "Link: no helper there";
    if (node->selected()) return "Link: pick a helper that is not selected";
    const std::vector<Node*> sources = session_.scene().selection();
    pending_ = false;
    std::string error;
    if (!linkToTarget(session_, sources, *node, error)) return "Link refused: " + error;
    return "Linked " + firing(sources) + " to " + printableName(node->name());
}
