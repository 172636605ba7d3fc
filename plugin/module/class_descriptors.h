// The twelve class descriptors: all create a VexalEntityHelper, each with its own preset
// classname, listed name and class id.
#pragma once
#include "vexsdk/classdesc.h"

constexpr int ENTITY_KIND_COUNT = 12;

// The descriptor of the first kind (preset "light"), base of the eleven others.
class EntityClassDesc : public ClassDesc {
public:
    int isPublic() override;
    Animatable* create(int loading) override;
    const char* className() override;
    SClass_ID superClassID() override;
    Class_ID classID() override;
    const char* category() override;
    void restoreClassDefaults(int flag) override;
};

// The descriptor at a registry index, or null outside 0..11.
ClassDesc* entityClassDesc(int index);
