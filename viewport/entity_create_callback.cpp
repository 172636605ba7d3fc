#include "entity_create_callback.h"
#include "entity/entity_helper.h"

EntityCreateCallback entityCreateCallback;

// Not written yet.
int EntityCreateCallback::onMouse(HostViewport*, int, int, int, IPoint2, Matrix3&) { return 0; }

MouseCreateCallback* VexalEntityHelper::creationCallback() {
    entityCreateCallback.target = this;
    return &entityCreateCallback;
}
