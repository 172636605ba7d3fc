#include "class_descriptors.h"
#include <new>
#include "entity/entity_helper.h"
#include "resources/resource_strings.h"

int EntityClassDesc::isPublic() { return 1; }

Animatable* EntityClassDesc::create(int) { return new (std::nothrow) VexalEntityHelper("light"); }

const char* EntityClassDesc::className() { return loadResourceString(IDS_ENTITY_NAME); }

SClass_ID EntityClassDesc::superClassID() { return HELPER_CLASS_ID; }

Class_ID EntityClassDesc::classID() { return Class_ID(ENTITY_CLASS_ID_A, ENTITY_CLASS_ID_B); }

const char* EntityClassDesc::category() { return loadResourceString(IDS_CATEGORY); }

void EntityClassDesc::restoreClassDefaults(int flag) {
    if (flag == 0) return;
    defaultShowAxis = 1;
    defaultAxisLength = 20.0f;
}

namespace {

// What distinguishes one of the eleven further kinds.
struct KindTraits {
    const char* preset;
    int nameStringId;
    uint32_t classIdA, classIdB;
};

constexpr KindTraits kinds[] = {
    {"func_door", IDS_DOOR, 0x3EBF593D, 0x1DB61362},
    {"func_door_secret", IDS_SECRET_DOOR, 0x597D2F7E, 0x02AA5BCA},
    {"func_plat", IDS_PLATFORM, 0x7264153D, 0x4EB653F4},
    {"func_train", IDS_MOVE_PLAT, 0x4E3D33C6, 0x498F59F5},
    {"func_button", IDS_BUTTON, 0x697908EE, 0x2B714E73},
    {"trigger_once", IDS_TRIGGER_ONCE, 0x68F938E5, 0x48F30344},
    {"trigger_multiple", IDS_TRIGGER_MULTI, 0x325027E5, 0x258F50C5},
    {"trigger_secret", IDS_TRIG_SECRET, 0x73BB7708, 0x76AE3788},
    {"trigger_counter", IDS_TRIG_COUNTER, 0x10BE39F4, 0x4CDB51BE},
    {"trigger_teleport", IDS_TELEPORT_TRIG, 0x2100089D, 0x5176258C},
    {"info_teleport_destination", IDS_TELEPORT_DEST, 0x638E21A9, 0x6B1615C4},
};

// One subclass per kind, each overriding exactly create, class name and class id.
template <int K>
class KindClassDesc : public EntityClassDesc {
public:
    Animatable* create(int) override {
        return new (std::nothrow) VexalEntityHelper(kinds[K].preset);
    }
    const char* className() override { return loadResourceString(kinds[K].nameStringId); }
    Class_ID classID() override { return Class_ID(kinds[K].classIdA, kinds[K].classIdB); }
};

// Constructed in registry order at module start-up; never destroyed.
EntityClassDesc lightDesc;
KindClassDesc<0> doorDesc;
KindClassDesc<1> secretDoorDesc;
KindClassDesc<2> platformDesc;
KindClassDesc<3> movePlatDesc;
KindClassDesc<4> buttonDesc;
KindClassDesc<5> triggerOnceDesc;
KindClassDesc<6> triggerMultiDesc;
KindClassDesc<7> trigSecretDesc;
KindClassDesc<8> trigCounterDesc;
KindClassDesc<9> teleportTrigDesc;
KindClassDesc<10> teleportDestDesc;

ClassDesc* const registry[ENTITY_KIND_COUNT] = {
    &lightDesc,      &doorDesc,        &secretDoorDesc,   &platformDesc,
    &movePlatDesc,   &buttonDesc,      &triggerOnceDesc,  &triggerMultiDesc,
    &trigSecretDesc, &trigCounterDesc, &teleportTrigDesc, &teleportDestDesc,
};

}  // namespace

ClassDesc* entityClassDesc(int index) {
    if (index < 0 || index >= ENTITY_KIND_COUNT) return nullptr;
    return registry[index];
}
