// Several selected helpers are edited through the pages of the first: a user's change there
// is made again, control by control, on each other helper's own pages, with the messages
// the user's action produced, so each stores what its own pages store. The host never
// writes a record. The changes of all of them are one step. Which controls stand for
// differing values is read from the helpers' records, so a selection costs no pages.
#pragma once
#include <functional>
#include <set>
#include <vector>
#include "panel/page_change.h"

class HostSession;
class Node;
class PageEditor;

class SeveralHelpersEdit {
public:
    SeveralHelpersEdit(HostSession& session, PageEditor& pages);
    SeveralHelpersEdit(const SeveralHelpersEdit&) = delete;
    SeveralHelpersEdit& operator=(const SeveralHelpersEdit&) = delete;

    // The selection changed: its first helper's pages come up, titled "N selected" for
    // several, with the controls whose values differ shown as holding none.
    void showSelection();
    bool editsSeveral() const { return !others_.empty(); }
    // While other helpers' pages are up for a change, the window is not drawn.
    bool visiting() const { return visiting_; }

private:
    void pageChanged(const PageChange& change);
    void applyPageChanges();
    // Opens each other selected helper's pages in turn, does work there; the first helper's
    // pages come back up last.
    void visitOthers(const std::function<void()>& work);
    // A helper given the chunks another ended in, as one more edit of the step.
    void takeChunksOf(Node& node, Node& like);
    void findMixedControls();
    void showDifferencesOnFirst();

    HostSession& session_;
    PageEditor& pages_;
    Node* firstSelected_ = nullptr;           // whose pages show for the whole selection
    std::vector<Node*> others_;               // the other selected helpers
    std::set<ControlKey> mixedControls_;      // where the others' values differ from the first's
    std::vector<PageChange> pendingChanges_;  // made on the first's pages, not yet on theirs
    bool visiting_ = false;
};
