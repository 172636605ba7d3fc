// The pages of the edited helper in the command panel, and the edit they make. A page edit
// is one step: the helper's chunks when its pages went up against those it holds when they
// go (or when the next step begins). Text typed but not committed is stored before the
// scene is read, and a class picked on the pages puts up the pages the helper now asks for.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "class_pages.h"
#include "panel/page_change.h"

class Animatable;
class CommandPanel;
class EditSession;
class HostSession;
class Node;

class PageEditor {
public:
    explicit PageEditor(HostSession& session);
    ~PageEditor();
    PageEditor(const PageEditor&) = delete;
    PageEditor& operator=(const PageEditor&) = delete;

    // Sets up the command panel: a child of parent filling area, or (no parent) a window of
    // its own.
    bool start(HWND parent, RECT area, std::string& error);
    CommandPanel& commandPanel() { return *panel_; }
    Animatable* edited() const;
    // Makes object (or nothing) the edited one; keepPages: the pages shown stay up for it.
    void edit(Animatable* object, bool keepPages = false);
    // Edits the first selected helper, or nothing.
    void followSelection();
    // Ends the edit: the pages go. Before the command panel's window is destroyed.
    void endEdit() { edit(nullptr); }

    // Text typed into a page but not yet committed is committed as Enter would, and the
    // edit closed and opened again (the focus kept), so that the text is stored and counted
    // before the scene is read or let go.
    void storeTyping();
    // Runs work with the edit of the shown pages closed and reopened around it: pages store
    // some fields only when the edit ends, as a host does before it reads the scene whole.
    bool withEditClosed(const std::function<bool()>& work);

    // What the open pages changed so far becomes a step, and the pages go on from there.
    void recordPageEdit();
    // The step an edit still open in the pages would make ("func_door edit"), or "".
    std::string pendingStepName();
    static std::string stepName(Node& node);
    // A helper announced a change: a class pick may need other pages.
    void objectChanged(Node& node);
    // Which class page the pages shown are for.
    PageClass shownPages() const { return shownPages_; }
    void rememberShownPages();

    // The edited helper, and its chunks when its pages went up.
    Node* editedNode() const { return editedNode_; }
    const std::vector<unsigned char>& chunksAtEditStart() const { return chunksAtEditStart_; }
    // The open edit makes no step of its own: a step that takes it in records it.
    void leaveEditToStep() { editedNode_ = nullptr; }

    // A user's change on the pages; the pages of a helper just gone up; whether the pages
    // stand for several helpers (a class pick then leaves the pages to their step).
    std::function<void(const PageChange&)> onChange;
    std::function<void()> onBegin;
    std::function<bool()> standsForSeveral;

private:
    void editBegan(Animatable* object);
    void editEnded(Animatable* object);
    // A page's text committed: stored by the helper unannounced, an edit all the same.
    void pageCommitted();
    bool editPending();
    void reopenEdit();
    Node* nodeOf(const Animatable* object) const;

    HostSession& session_;
    std::unique_ptr<CommandPanel> panel_;
    std::unique_ptr<EditSession> editSession_;
    Node* editedNode_ = nullptr;                    // whose pages are shown
    std::vector<unsigned char> chunksAtEditStart_;  // its chunks when they went up
    PageClass shownPages_ = PageClass::Other;
    bool reopenPending_ = false;
};
