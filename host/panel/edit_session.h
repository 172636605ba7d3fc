// Which object the command panel edits, and the begin-edit and end-edit calls when that
// changes.
//
// Moving straight from one object to another of the same class ends the first edit with
// the pages kept (flag bit 0 clear) and begins the next on them; any other move ends it
// with the pages removed. "Same class" is what a host can see of an object: its class id
// and superclass id. A plug-in's objects of different kinds may all answer the same class
// id; the plug-in then decides which of the kept pages suit the next object, and the panel
// does not flicker while the user walks through a row of such objects.
#pragma once
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
    // Edits the object of the scene's one selected node, or nothing when the selection
    // is empty, holds several nodes, or a node whose class no plug-in provides.
    void followSelection(const Scene& scene);
    Animatable* edited() const { return edited_; }

    static bool sameClass(Animatable* a, Animatable* b);

private:
    HostInterface& host_;
    Animatable* edited_ = nullptr;
};
