#include "panel/edit_session.h"
#include "scene/scene.h"
#include "vexsdk/hostinterface.h"

bool EditSession::sameClass(Animatable* a, Animatable* b) {
    return a && b && a->ClassID() == b->ClassID() && a->SuperClassID() == b->SuperClassID();
}

void EditSession::edit(Animatable* next) {
    if (next == edited_) return;
    Animatable* previous = edited_;
    const uint32_t flags = sameClass(previous, next) ? 0 : END_EDIT_REMOVEUI;
    // The pages go (or stay) before the next object puts its own up.
    edited_ = nullptr;
    if (previous) previous->endEdit(&host_, flags, next);
    edited_ = next;
    if (next) next->beginEdit(&host_, 0, previous);
}

void EditSession::followSelection(const Scene& scene) {
    const std::vector<Node*> selected = scene.selection();
    edit(selected.size() == 1 ? selected.front()->object() : nullptr);
}
