// Which object the command panel edits, and the begin-edit and end-edit calls when that
// changes.
//
// Every move from one object to another ends the first edit with the pages removed (flag
// bit 0 set), so that each object puts up the pages it asks for. Keeping pages between
// objects is a host's choice that this host does not make: a plug-in's objects of
// different kinds may answer the same class id while asking for different pages.
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
    // before the edited object is deleted.
    void edit(Animatable* next);
    // Ends the edit with the pages removed and begins it again on the same object, which
    // puts up the pages its state now asks for.
    void reopen();
    // Edits the object of the scene's one selected node, or nothing when the selection
    // is empty, holds several nodes, or a node whose class no plug-in provides.
    void followSelection(const Scene& scene);
    Animatable* edited() const { return edited_; }

    // Told after each begin-edit and after each end-edit, with the object.
    std::function<void(Animatable*)> onBegin, onEnd;

private:
    void end(Animatable* next);

    HostInterface& host_;
    Animatable* edited_ = nullptr;
};
