// Links made by picking: each source helper fires the target through its own Map
// Parameters page, and a target that carries no name to be fired by is given its node
// name first (a door in its Target Name field, any other helper as a "targetname" pair).
#pragma once
#include <string>
#include <vector>

class HostSession;
class Node;

// Sets each source's "target" pair (the row holding one, else the first empty row) to the
// target's name, typed into the helpers' pages as a user would, as one step "Link"; the
// selection is left as it was. False with a message, changing nothing, when a node is no
// helper, a source is the target, or a page has no room left for the text.
bool linkToTarget(HostSession& session, const std::vector<Node*>& sources, Node& target,
                  std::string& error);
