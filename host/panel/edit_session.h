// Which object the command panel edits, and the begin-edit and end-edit calls when that
// changes.
//
// A move from one object to another ends the first edit with the pages removed (flag bit 0
// set), so that each object puts up the pages it asks for: a plug-in's objects of different
// kinds may answer the same class id while asking for different pages. Only a caller that
// knows the next object asks for the very pages shown keeps them up for it.
#pragma once
#include <functional>
#include "vexsdk/objects.h"

class HostInterface;
class Scene;

class EditSession {
public:
    explicit EditSession(HostInterface& host) : host_(host) {}
    ~EditSession() { edit(nullptr); }
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    // Makes next (or nothing) the edited object. Call with null, or another object,
    // before the edited object is deleted. keepPages: the pages shown stay up, for next
    // to bind and refresh.
    void edit(Animatable* next, bool keepPages = false);
    // Ends the edit with the pages removed and begins it again on the same object, which
    // puts up the pages its state now asks for.
    void reopen();
    // Edits the object of the scene's first selected node that has one (several selected
    // nodes are edited through the first one's pages), or nothing.
    void followSelection(const Scene& scene);
    Animatable* edited() const { return edited_; }

    // Told after each begin-edit and after each end-edit, with the object.
    std::function<void(Animatable*)> onBegin, onEnd;

private:
    void end(Animatable* next, bool keepPages = false);

    HostInterface& host_;
    Animatable* edited_ = nullptr;
};
