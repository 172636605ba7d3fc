#include "entity_helper.h"
#include <cstring>
#include <new>
#include "entity_catalogue.h"
#include "resources/resource_strings.h"

int32_t defaultShowAxis = 1;
float defaultAxisLength = 20.0f;

VexalEntityHelper::VexalEntityHelper(const char* presetClassname) {
    showAxis = defaultShowAxis;
    axisLength = defaultAxisLength;
    std::memset(&props, 0, sizeof props);
    creating = 0;
    extDispFlags = 0;
    // A name outside the catalogue keeps index 0 rather than whatever memory held.
    classIndex = 0;
    std::memset(classname, 0, sizeof classname);
    std::strncpy(classname, presetClassname ? presetClassname : "", sizeof classname - 1);
    lookupClassIndex();
}

VexalEntityHelper::~VexalEntityHelper() = default;

void VexalEntityHelper::lookupClassIndex() {
    // Runs to the end marker on purpose: the names are distinct, so at most one matches.
    for (int i = 0; entityClassNames[i][0] != '\0'; ++i)
        if (std::strcmp(classname, entityClassNames[i]) == 0) classIndex = i;
}

void VexalEntityHelper::getClassName(CStr& s) { s = loadResourceString(IDS_HELPER_CLASS_NAME); }

Class_ID VexalEntityHelper::ClassID() { return Class_ID(ENTITY_CLASS_ID_A, ENTITY_CLASS_ID_B); }

SClass_ID VexalEntityHelper::SuperClassID() { return HelperObject::SuperClassID(); }

void VexalEntityHelper::DeleteThis() { delete this; }

RefResult VexalEntityHelper::notifyRefChanged(const Interval&, ReferenceTarget*, PartID&,
                                              RefMessage) {
    return REF_SUCCEED;
}

ReferenceTarget* VexalEntityHelper::Clone(RemapDir&) {
    auto* copy = new (std::nothrow) VexalEntityHelper(classname);
    if (!copy) return nullptr;
    copy->showAxis = showAxis;
    copy->axisLength = axisLength;
    std::memcpy(&copy->props, &props, sizeof props);
    // An exact copy: a name outside the catalogue keeps the source's index too.
    copy->classIndex = classIndex;
    copy->lookupClassIndex();
    return copy;
}

void VexalEntityHelper::storeDisplayFlags(int flags) { extDispFlags = flags; }

void VexalEntityHelper::defaultNodeName(CStr& s) { s = loadResourceString(IDS_ENTITY_NAME); }

int VexalEntityHelper::hostFlag() { return 1; }

Interval VexalEntityHelper::objectValidity(TimeValue) { return FOREVER(); }

ObjectState VexalEntityHelper::evaluate(TimeValue) { return ObjectState(this); }

int VexalEntityHelper::CanConvertToType(Class_ID) { return 0; }

Object* VexalEntityHelper::ConvertToType(TimeValue, Class_ID) {
    assert1(257, "vexalhelpers");
    return nullptr;
}
