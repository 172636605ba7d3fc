// The interactive-creation mouse procedure shared by every helper.
#pragma once
#include "vexsdk/mousecreate.h"

class VexalEntityHelper;

class EntityCreateCallback : public MouseCreateCallback {
public:
    int onMouse(HostViewport* vpt, int msg, int point, int flags, IPoint2 mouse,
                Matrix3& transform) override;

    VexalEntityHelper* target = nullptr;  // the helper being placed; not owned
};

extern EntityCreateCallback entityCreateCallback;
