#include <cstdlib>
#include "vexsdk/objects.h"

Animatable::Animatable() = default;
Animatable::~Animatable() = default;
void Animatable::getClassName(CStr& s) { s = ""; }
Class_ID Animatable::ClassID() { return Class_ID(0, 0); }
void Animatable::DeleteThis() { delete this; }
void Animatable::beginEdit(HostInterface*, uint32_t, Animatable*) {}
void Animatable::endEdit(HostInterface*, uint32_t, Animatable*) {}
void* Animatable::GetInterface(uint32_t) { return nullptr; }

IOResult ReferenceMaker::Save(ISave*) { return IO_OK; }
IOResult ReferenceMaker::Load(ILoad*) { return IO_OK; }
RefResult ReferenceMaker::notifyRefChanged(const Interval&, ReferenceTarget*, PartID&, RefMessage) {
    return REF_SUCCEED;
}
int ReferenceMaker::NumRefs() { return 0; }
ReferenceTarget* ReferenceMaker::GetReference(int) { return nullptr; }
void ReferenceMaker::SetReference(int, ReferenceTarget*) {}
ReferenceTarget* ReferenceMaker::asTarget() { return nullptr; }

ReferenceTarget::ReferenceTarget() = default;
ReferenceTarget::~ReferenceTarget() { std::free(deps_); }
ReferenceTarget* ReferenceTarget::asTarget() { return this; }
ReferenceTarget* ReferenceTarget::Clone(RemapDir&) { return nullptr; }

void ReferenceTarget::addDependent(ReferenceMaker* maker) {
    for (int i = 0; i < numDeps_; ++i)
        if (deps_[i] == maker) return;
    if (numDeps_ == capDeps_) {
        int cap = capDeps_ ? capDeps_ * 2 : 4;
        void* grown = std::realloc(deps_, sizeof(ReferenceMaker*) * cap);
        if (!grown) return;
        deps_ = static_cast<ReferenceMaker**>(grown);
        capDeps_ = cap;
    }
    deps_[numDeps_++] = maker;
}

void ReferenceTarget::removeDependent(ReferenceMaker* maker) {
    for (int i = 0; i < numDeps_; ++i) {
        if (deps_[i] != maker) continue;
        for (int j = i + 1; j < numDeps_; ++j) deps_[j - 1] = deps_[j];
        --numDeps_;
        return;
    }
}

static bool passesFilter(ReferenceMaker* dep, SClass_ID filter) {
    return filter == NOTIFY_ALL || dep->SuperClassID() == filter;
}

RefResult ReferenceTarget::NotifyDependents(const Interval& changeInt, PartID partId,
                                            RefMessage message, SClass_ID classFilter,
                                            int propagate, ReferenceTarget* target) {
    ReferenceTarget* source = target ? target : this;
    // A dependent may detach itself while being told; walk a snapshot.
    int n = numDeps_;
    ReferenceMaker* snapshot[64];
    ReferenceMaker** deps =
        n <= 64 ? snapshot : static_cast<ReferenceMaker**>(std::malloc(sizeof(void*) * n));
    if (!deps) return REF_FAIL;
    for (int i = 0; i < n; ++i) deps[i] = deps_[i];
    for (int i = 0; i < n; ++i) {
        ReferenceMaker* dep = deps[i];
        if (!passesFilter(dep, classFilter)) continue;
        PartID part = partId;
        RefResult r = dep->notifyRefChanged(changeInt, source, part, message);
        if (propagate && r == REF_SUCCEED) {
            if (ReferenceTarget* next = dep->asTarget())
                next->NotifyDependents(changeInt, part, message, classFilter, propagate, nullptr);
        }
    }
    if (deps != snapshot) std::free(deps);
    return REF_SUCCEED;
}

int BaseObject::pickTest(TimeValue, SceneNode*, int, int, int, IPoint2*, HostViewport*) {
    return 0;
}
void BaseObject::storeDisplayFlags(int) {}
int BaseObject::drawInViewport(TimeValue, SceneNode*, HostViewport*, int) { return 0; }
void BaseObject::offerSnap(TimeValue, SceneNode*, SnapQuery*, IPoint2*, HostViewport*) {}
void BaseObject::worldBounds(TimeValue, SceneNode*, HostViewport*, Box3& box) { box.Init(); }
void BaseObject::localBounds(TimeValue, SceneNode*, HostViewport*, Box3& box) { box.Init(); }
MouseCreateCallback* BaseObject::creationCallback() { return nullptr; }
void BaseObject::defaultNodeName(CStr& s) { s = "Object"; }

int Object::hostFlag() { return 0; }
Interval Object::objectValidity(TimeValue t) { return Interval(t, t); }
ObjectState Object::evaluate(TimeValue) { return ObjectState(this); }
int Object::CanConvertToType(Class_ID) { return 0; }
Object* Object::ConvertToType(TimeValue, Class_ID) { return nullptr; }

SClass_ID HelperObject::SuperClassID() { return HELPER_CLASS_ID; }
void HelperObject::defaultNodeName(CStr& s) { s = "Helper"; }
int HelperObject::hostFlag() { return 0; }
