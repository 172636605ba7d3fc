#include "session/several_helpers_edit.h"
#include "session/host_session.h"
#include "scene/step_names.h"
#include "session/entity_reading.h"
#include "session/record_page_values.h"
#include "panel/command_panel.h"
#include "session/page_editor.h"
#include <algorithm>
#include <map>

SeveralHelpersEdit::SeveralHelpersEdit(HostSession& session, PageEditor& pages)
    : session_(session), pages_(pages) {
    pages_.onChange = [this](const PageChange& change) { pageChanged(change); };
    pages_.onBegin = [this] { showDifferencesOnFirst(); };
    pages_.standsForSeveral = [this] { return editsSeveral(); };
}

void SeveralHelpersEdit::showSelection() {
    // Pages that stood for several helpers show their mixed values: they go.
    if (!others_.empty()) pages_.edit(nullptr);
    firstSelected_ = nullptr;
    others_.clear();
    pendingChanges_.clear();
    std::vector<std::pair<int, Node*>> byPages;  // the others, by the class page they ask for
    PageClass firstPages = PageClass::Other;
    for (Node* node : session_.scene().selection()) {
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
    pages_.commandPanel().setTitle(
        others_.empty() ? "" : std::to_string(others_.size() + 1) + " selected");
    findMixedControls();
    pages_.followSelection();
    pages_.rememberShownPages();
}

// Which controls differ is read from the helpers' stored records: no other helper's pages
// go up for it, so selecting thousands costs no more than a redraw.
void SeveralHelpersEdit::findMixedControls() {
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
void SeveralHelpersEdit::visitOthers(const std::function<void()>& work) {
    // Pages made and typed into on the way take the keyboard focus: it goes back where it was.
    HWND focus = GetFocus();
    CommandPanel& panel = pages_.commandPanel();
    const CommandPanel::FocusPlace onPages = panel.focusPlace();
    visiting_ = true;
    panel.mixed().clear();
    PageClass shown = pages_.shownPages();
    auto visit = [&](Node* node) {
        const PageClass wanted = classPageOf(*node);
        pages_.edit(node->object(), wanted == shown);
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
        panel.restoreFocus(onPages);
}

void SeveralHelpersEdit::takeChunksOf(Node& node, Node& like) {
    const std::vector<unsigned char> before = saveObjectChunks(*node.object());
    if (!loadObjectChunks(*node.object(), saveObjectChunks(*like.object()))) return;
    session_.recordObjectEdit(PageEditor::stepName(node), node, before);
    session_.entities().nodeChanged(node);
}

void SeveralHelpersEdit::showDifferencesOnFirst() {
    if (!visiting_ && pages_.editedNode() && pages_.editedNode() == firstSelected_ &&
        !mixedControls_.empty())
        showMixed(pages_.commandPanel(), mixedControls_);
}

// Changes wait until the message that made them is done: the others' pages replace the
// pages that sent it.
void SeveralHelpersEdit::pageChanged(const PageChange& change) {
    if (visiting_ || others_.empty()) return;
    for (PageChange& pending : pendingChanges_)
        if (pending.control == change.control) {
            pending.value = change.value;
            return;
        }
    pendingChanges_.push_back(change);
    if (pendingChanges_.size() == 1) pages_.commandPanel().postTask([this] { applyPageChanges(); });
}

void SeveralHelpersEdit::applyPageChanges() {
    std::vector<PageChange> changes;
    changes.swap(pendingChanges_);
    Node* first = pages_.editedNode();
    if (changes.empty() || !first || first != firstSelected_) return;
    const std::vector<unsigned char> before = pages_.chunksAtEditStart();
    CommandPanel& panel = pages_.commandPanel();
    CommandPanel::RedrawHold hold(panel);
    {
        // The first helper's open edit joins this step instead of making one of its own.
        pages_.leaveEditToStep();
        HostSession::Action step(session_, StepName::severalHelpersEdit(others_.size() + 1));
        visitOthers([&] {
            for (const PageChange& change : changes) applyPageChange(panel, change);
        });
        session_.recordObjectEdit(PageEditor::stepName(*first), *first, before);
    }
    pages_.rememberShownPages();
    session_.changed();
}
