#include "panel/edit_session.h"
#include "scene/scene.h"
#include "vexsdk/hostinterface.h"

void EditSession::end(Animatable* next, bool keepPages) {
    Animatable* previous = edited_;
    // No page may reach the object while its pages go.
    edited_ = nullptr;
    if (!previous) return;
    previous->endEdit(&host_, keepPages && next ? 0 : END_EDIT_REMOVEUI, next);
    if (onEnd) onEnd(previous);
}

void EditSession::edit(Animatable* next, bool keepPages) {
    if (next == edited_) return;
    Animatable* previous = edited_;
    end(next, keepPages);
    edited_ = next;
    if (!next) return;
    next->beginEdit(&host_, 0, previous);
    if (onBegin) onBegin(next);
}

void EditSession::reopen() {
    Animatable* object = edited_;
    if (!object) return;
    end(object);
    edited_ = object;
    object->beginEdit(&host_, 0, object);
    if (onBegin) onBegin(object);
}

void EditSession::followSelection(const Scene& scene) {
    for (Node* node : scene.selection())
        if (node->object()) return edit(node->object());
    edit(nullptr);
}
