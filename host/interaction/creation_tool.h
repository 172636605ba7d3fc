// Places new objects the way a host does: the kind's descriptor makes the object, the
// scene gets a node for it, and the object's own creation procedure turns the user's
// mouse gestures into the node's position.
#pragma once
#include <string>
#include "plugins/plugin_registry.h"
#include "render/software_viewport.h"
#include "vexsdk/mousecreate.h"

class Node;
class Scene;

enum class CreationState {
    Idle,       // nothing being placed
    Placing,    // the object is following the mouse
    Finished,   // the last object was placed and selected
    Cancelled,  // the last object was dropped
    Failed,     // the kind made no object or the object has no creation procedure
};

// Gestures: pressing the button sends point 0 (the object appears at the snapped point
// under the mouse), moving sends moves for the next point, releasing sends that point.
// A two-point object such as a helper is therefore placed by one click, or by a press,
// a drag and a release. cancel() (right button, Escape) sends the cancel message and
// drops the object.
class CreationTool {
public:
    CreationTool(Scene& scene, TimeValue t = 0) : scene_(scene), time_(t) {}

    // The kind the next press creates, and the classname its helper is then given ("":
    // the kind's own); also drops an object being placed.
    void setKind(const PluginKind* kind, const std::string& classname = "");
    const PluginKind* kind() const { return kind_; }
    const std::string& classname() const { return classname_; }

    CreationState press(SoftwareViewport& view, IPoint2 mouse);
    CreationState move(SoftwareViewport& view, IPoint2 mouse);
    CreationState release(SoftwareViewport& view, IPoint2 mouse);
    CreationState cancel(SoftwareViewport& view);

    CreationState state() const { return state_; }
    // The node being placed, or the one just placed; null otherwise.
    Node* node() const { return node_; }
    const std::string& error() const { return error_; }

private:
    bool start(SoftwareViewport& view);
    CreationState send(SoftwareViewport& view, int msg, IPoint2 mouse);
    int callOnMouse(SoftwareViewport& view, int msg, IPoint2 mouse);
    void finish();
    void drop();

    Scene& scene_;
    TimeValue time_;
    const PluginKind* kind_ = nullptr;
    std::string classname_;
    MouseCreateCallback* callback_ = nullptr;
    Node* node_ = nullptr;
    int point_ = 0;  // index of the point the next point message sets
    IPoint2 last_;
    CreationState state_ = CreationState::Idle;
    std::string error_;
};

// One click at mouse: creates and places one object of kind. Returns its node, or null.
Node* createByClick(Scene& scene, const PluginKind& kind, SoftwareViewport& view, IPoint2 mouse,
                    TimeValue t = 0);
