#include "entity_create_callback.h"
#include "entity/entity_helper.h"
#include "vexsdk/viewport.h"

EntityCreateCallback entityCreateCallback;

namespace {

// Moves the new node to the host's snapped point under the mouse; only its translation
// changes.
void placeAtMouse(HostViewport* vpt, IPoint2 mouse, Matrix3& transform) {
    Point3 p = vpt->snapPointOnPlane(&mouse, &mouse, nullptr, SNAP_APPLY);
    transform.SetTrans(p);
}

}  // namespace

// A host that calls in before asking for the callback has no target yet: the node is
// still placed, and nothing is written through the missing pointer.
int EntityCreateCallback::onMouse(HostViewport* vpt, int msg, int point, int, IPoint2 mouse,
                                  Matrix3& transform) {
    if (msg == CreateMsgCancel) return CREATE_ABORT;
    if (msg != CreateMsgPoint && msg != CreateMsgMove) return CREATE_CONTINUE;
    if (point == 0) {
        if (target) target->creating = 1;
        placeAtMouse(vpt, mouse, transform);
        return CREATE_CONTINUE;
    }
    if (point == 1) {
        placeAtMouse(vpt, mouse, transform);
        if (msg == CreateMsgPoint) {
            if (target) target->creating = 0;
            return CREATE_STOP;
        }
    }
    return CREATE_CONTINUE;
}

MouseCreateCallback* VexalEntityHelper::creationCallback() {
    entityCreateCallback.target = this;
    return &entityCreateCallback;
}
