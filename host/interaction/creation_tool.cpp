#include "interaction/creation_tool.h"
#include "scene/scene.h"

void CreationTool::setKind(const PluginKind* kind, const std::string& classname) {
    if (state_ == CreationState::Placing) drop();
    kind_ = kind;
    classname_ = kind ? classname : "";
    state_ = CreationState::Idle;
}

bool CreationTool::start(SoftwareViewport& view) {
    error_.clear();
    node_ = nullptr;
    if (!kind_ || !kind_->desc) {
        error_ = "no kind chosen";
        return false;
    }
    Animatable* made = kind_->desc->create(0);
    Object* object = dynamic_cast<Object*>(made);
    if (!object) {
        if (made) made->DeleteThis();
        error_ = "\"" + kind_->className + "\" made no object";
        return false;
    }
    node_ = scene_.add(object, object->ClassID(), object->SuperClassID(),
                       scene_.uniqueName(kind_->nodeNameBase()));
    callback_ = object->creationCallback();
    if (!callback_) {
        scene_.remove(node_);
        node_ = nullptr;
        error_ = "\"" + kind_->className + "\" cannot be placed with the mouse";
        return false;
    }
    view.setScene(&scene_, time_);
    point_ = 0;
    return true;
}

// The procedure places the object through the transform it is given; the scene takes it.
int CreationTool::callOnMouse(SoftwareViewport& view, int msg, IPoint2 mouse) {
    Matrix3 transform = node_->transform();
    const int result = callback_->onMouse(&view, msg, point_, 0, mouse, transform);
    scene_.setTransform(*node_, transform);
    return result;
}

CreationState CreationTool::send(SoftwareViewport& view, int msg, IPoint2 mouse) {
    last_ = mouse;
    int result = callOnMouse(view, msg, mouse);
    if (result == CREATE_ABORT) {
        drop();
    } else if (result == CREATE_STOP) {
        finish();
    } else {
        if (msg == CreateMsgPoint) ++point_;
        state_ = CreationState::Placing;
    }
    return state_;
}

CreationState CreationTool::press(SoftwareViewport& view, IPoint2 mouse) {
    if (state_ == CreationState::Placing) return state_;  // the release sets the next point
    if (!start(view)) return state_ = CreationState::Failed;
    return send(view, CreateMsgPoint, mouse);
}

CreationState CreationTool::move(SoftwareViewport& view, IPoint2 mouse) {
    if (state_ != CreationState::Placing) return state_;
    return send(view, CreateMsgMove, mouse);
}

CreationState CreationTool::release(SoftwareViewport& view, IPoint2 mouse) {
    if (state_ != CreationState::Placing) return state_;
    return send(view, CreateMsgPoint, mouse);
}

CreationState CreationTool::cancel(SoftwareViewport& view) {
    if (state_ != CreationState::Placing) return state_;
    // The procedure answers the cancel message; the host drops the object whatever the
    // answer, since the user asked for it to go.
    callOnMouse(view, CreateMsgCancel, last_);
    drop();
    return state_;
}

void CreationTool::finish() {
    scene_.setSelection({node_});
    callback_ = nullptr;
    state_ = CreationState::Finished;
}

void CreationTool::drop() {
    scene_.remove(node_);
    node_ = nullptr;
    callback_ = nullptr;
    state_ = CreationState::Cancelled;
}

Node* createByClick(Scene& scene, const PluginKind& kind, SoftwareViewport& view, IPoint2 mouse,
                    TimeValue t) {
    CreationTool tool(scene, t);
    tool.setKind(&kind);
    if (tool.press(view, mouse) == CreationState::Placing) tool.release(view, mouse);
    return tool.state() == CreationState::Finished ? tool.node() : nullptr;
}
