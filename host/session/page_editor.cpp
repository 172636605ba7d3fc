#include "session/page_editor.h"
#include "panel/command_panel.h"
#include "panel/edit_session.h"
#include "scene/step_names.h"
#include "session/class_page_note.h"
#include "session/entity_reading.h"
#include "session/host_session.h"

PageEditor::PageEditor(HostSession& session) : session_(session) {}

// Pages must let go of the edited helper before the scene deletes it.
PageEditor::~PageEditor() { editSession_.reset(); }

bool PageEditor::start(HWND parent, RECT area, std::string& error) {
    panel_ = std::make_unique<CommandPanel>();
    if (!panel_->create(parent, area)) {
        error = "cannot create the command panel window";
        return false;
    }
    panel_->setRedrawHandler([this](TimeValue, int, ReferenceTarget*) { session_.changed(); });
    editSession_ = std::make_unique<EditSession>(*panel_);
    editSession_->onBegin = [this](Animatable* object) {
        editBegan(object);
        session_.entities().editBegan(object);
    };
    editSession_->onEnd = [this](Animatable* object) {
        editEnded(object);
        session_.entities().editEnded(object);
    };
    panel_->setCommitHandler([this] { pageCommitted(); });
    panel_->setChangeHandler([this](const PageChange& change) {
        if (onChange) onChange(change);
    });
    return true;
}

// A session whose pages never started (no plug-ins) edits nothing.
Animatable* PageEditor::edited() const { return editSession_ ? editSession_->edited() : nullptr; }

void PageEditor::edit(Animatable* object, bool keepPages) {
    if (editSession_) editSession_->edit(object, keepPages);
}

void PageEditor::followSelection() {
    if (editSession_) editSession_->followSelection(session_.scene());
}

void PageEditor::rememberShownPages() {
    Node* node = nodeOf(edited());
    shownPages_ = node ? classPageOf(*node) : PageClass::Other;
}

Node* PageEditor::nodeOf(const Animatable* object) const {
    if (!object) return nullptr;
    for (const auto& n : session_.scene().nodes())
        if (n->object() == object) return n.get();
    return nullptr;
}

void PageEditor::editBegan(Animatable* object) {
    editedNode_ = nodeOf(object);
    if (editedNode_) {
        chunksAtEditStart_ = saveObjectChunks(*editedNode_->object());
        noteClassPages(*panel_, helperClassname(*editedNode_));
    }
    if (onBegin) onBegin();
}

void PageEditor::editEnded(Animatable* object) {
    if (!editedNode_ || editedNode_->object() != object) return;
    // Text typed into a page is stored quietly when the edit ends: it is a change all the same.
    recordPageEdit();
    editedNode_ = nullptr;
}

void PageEditor::recordPageEdit() {
    if (!editedNode_ || !editedNode_->object()) return;
    session_.recordObjectEdit(stepName(*editedNode_), *editedNode_, chunksAtEditStart_);
    chunksAtEditStart_ = saveObjectChunks(*editedNode_->object());
}

std::string PageEditor::stepName(Node& node) {
    const std::string classname = helperClassname(node);
    return StepName::pageEdit(classname.empty() ? node.name() : classname);
}

// The edit stays open: like a spinner's change it becomes a step when the pages go.
void PageEditor::pageCommitted() {
    if (!editPending()) return;
    session_.entities().nodeChanged(*editedNode_);
    session_.markModified();
}

bool PageEditor::editPending() {
    return editedNode_ && editedNode_->object() &&
           saveObjectChunks(*editedNode_->object()) != chunksAtEditStart_;
}

std::string PageEditor::pendingStepName() { return editPending() ? stepName(*editedNode_) : ""; }

// A class picked on the pages may make the edited helper ask for another class page (a
// door's, a light's, none) than the one shown: the plug-in never swaps pages itself, so
// the edit is opened again once the pick's own messages are done, since the list that
// sent them may be on a page that goes. With several selected the pick's step opens it again.
void PageEditor::objectChanged(Node& node) {
    if (!node.object() || node.object() != edited()) return;
    // A class page kept up for another class may stop or start applying.
    noteClassPages(*panel_, helperClassname(node));
    const PageClass pages = classPageOf(node);
    if (pages == shownPages_ || reopenPending_ || (standsForSeveral && standsForSeveral())) return;
    shownPages_ = pages;
    reopenPending_ = true;
    panel_->postTask([this] { reopenEdit(); });
}

void PageEditor::reopenEdit() {
    const CommandPanel::FocusPlace focus = panel_->focusPlace();
    CommandPanel::RedrawHold hold(*panel_);
    editSession_->reopen();
    panel_->restoreFocus(focus);
    rememberShownPages();
    reopenPending_ = false;
}

// Text leaves a field for its helper when it is committed (Enter, Tab, the focus moving
// on), so only a field still holding typing needs the edit closed and opened again, which
// costs the pages' making anew.
void PageEditor::storeTyping() {
    if (!edited() || !panel_->commitTyping()) return;
    reopenEdit();
    session_.changed();
}

bool PageEditor::withEditClosed(const std::function<bool()>& work) {
    Animatable* current = edited();
    edit(nullptr);
    bool ok = work();
    edit(current);
    rememberShownPages();
    session_.changed();
    return ok;
}
