// Several selected helpers are edited through the pages of the first: a user's change there
// is made again, control by control, on each other helper's own pages, with the messages
// the user's action produced, so each stores what its own pages store. The host never
// writes a record. The changes of all of them are one step.
#include "session/host_session.h"
#include "scene/step_names.h"
#include "session/entity_reading.h"
#include "session/record_page_values.h"
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include <algorithm>
#include <map>

void HostSession::showSelection() {
    // Pages that stood for several helpers show their mixed values: they go.
    if (!others_.empty()) editSession_->edit(nullptr);
    firstSelected_ = nullptr;
    others_.clear();
    pendingChanges_.clear();
    std::vector<std::pair<int, Node*>> byPages;  // the others, by the class page they ask for
    PageClass firstPages = PageClass::Other;
    for (Node* node : scene_.selection()) {
        if (!node->object()) continue;
        if (!firstSelected_) {
            firstSelected_ = node;
            firstPages = classPageOf(*node);
            continue;
        }
        // The first's kind first: its pages stay up for them.
        const PageClass pages = classPageOf(*node);
        byPages.push_back({pages == firstPages ? -1 : static_cast<int>(pages), node});
    }
    // Visited in runs of one class page, the pages are made anew only between runs.
    std::stable_sort(byPages.begin(), byPages.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : byPages) others_.push_back(entry.second);
    panel_->setTitle(others_.empty() ? "" : std::to_string(others_.size() + 1) + " selected");
    findMixedControls();
    editSession_->followSelection(scene_);
    rememberEditedState();
}

// Which controls differ is read from the helpers' stored records: no other helper's pages
// go up for it, so selecting thousands costs no more than a redraw.
void HostSession::findMixedControls() {
    mixedControls_.clear();
    if (others_.empty()) return;
    HelperRecord first;
    std::string error;
    if (!isHelperNode(*firstSelected_) ||
        !readHelperRecord(*firstSelected_->object(), first, error))
        return;
    std::vector<HelperRecord> records;
    records.reserve(others_.size());
    for (Node* other : others_) {
        HelperRecord record;
        if (isHelperNode(*other) && readHelperRecord(*other->object(), record, error))
            records.push_back(record);
    }
    mixedControls_ = controlsThatDiffer(first, records);
}

// Pages made for one class page stay up for the next helper that asks for the same one: it
// binds and refreshes them itself, as the plug-in does for any helper, at a fraction of the
// cost of making them anew. A helper that holds the very chunks of one visited before would
// end in the very chunks that one ended in: it takes them through its own Load, without its
// pages going up (the plug-in's pages cost milliseconds a helper to bind and refresh).
void HostSession::visitOthers(const std::function<void()>& work) {
    // Pages made and typed into on the way take the keyboard focus: it goes back where it was.
    HWND focus = GetFocus();
    const CommandPanel::FocusPlace onPages = panel_->focusPlace();
    visiting_ = true;
    panel_->mixed().clear();
    PageClass shown = editedPages_;
    auto visit = [&](Node* node) {
        const PageClass wanted = classPageOf(*node);
        editSession_->edit(node->object(), wanted == shown);
        shown = wanted;
    };
    std::map<std::vector<unsigned char>, Node*> visitedByChunks;
    std::vector<std::pair<Node*, Node*>> likeVisited;  // a helper, and the one it is like
    for (Node* other : others_) {
        auto [visited, fresh] = visitedByChunks.emplace(saveObjectChunks(*other->object()), other);
        if (!fresh) {
            likeVisited.push_back({other, visited->second});
            continue;
        }
        visit(other);
        work();
    }
    visit(firstSelected_);  // the last visited helper's edit ends: its chunks are final
    for (const auto& [node, like] : likeVisited) takeChunksOf(*node, *like);
    visiting_ = false;
    findMixedControls();
    showDifferencesOnFirst();
    if (IsWindow(focus))
        SetFocus(focus);
    else
        panel_->restoreFocus(onPages);
}

void HostSession::takeChunksOf(Node& node, Node& like) {
    const std::vector<unsigned char> before = saveObjectChunks(*node.object());
    if (!loadObjectChunks(*node.object(), saveObjectChunks(*like.object()))) return;
    if (history_.objectEdited(editStepName(node), &node, before)) modified_ = true;
    entities_.nodeChanged(node);
}

void HostSession::showDifferencesOnFirst() {
    if (!visiting_ && editedNode_ && editedNode_ == firstSelected_ && !mixedControls_.empty())
        showMixed(*panel_, mixedControls_);
}

// Changes wait until the message that made them is done: the others' pages replace the
// pages that sent it.
void HostSession::pageChanged(const PageChange& change) {
    if (visiting_ || others_.empty()) return;
    for (PageChange& pending : pendingChanges_)
        if (pending.control == change.control) {
            pending.value = change.value;
            return;
        }
    pendingChanges_.push_back(change);
    if (pendingChanges_.size() == 1) panel_->postTask([this] { applyPageChanges(); });
}

void HostSession::applyPageChanges() {
    std::vector<PageChange> changes;
    changes.swap(pendingChanges_);
    Node* first = editedNode_;
    if (changes.empty() || !first || first != firstSelected_) return;
    const std::vector<unsigned char> before = chunksAtEditStart_;
    CommandPanel::RedrawHold hold(*panel_);
    {
        // The first helper's open edit joins this step instead of making one of its own.
        editedNode_ = nullptr;
        Action step(*this, StepName::severalHelpersEdit(others_.size() + 1));
        visitOthers([&] {
            for (const PageChange& change : changes) applyPageChange(*panel_, change);
        });
        if (history_.objectEdited(editStepName(*first), first, before)) modified_ = true;
    }
    rememberEditedState();
    changed();
}
