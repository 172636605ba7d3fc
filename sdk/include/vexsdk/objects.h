// Object base classes of the host (core.dll). The order of the virtual operations is
// part of the binary contract between host and plug-ins: keep it.
#pragma once
#include "api.h"
#include "geom.h"
#include "streams.h"
#include "values.h"

class HostInterface;
class HostViewport;
class SceneNode;
struct SnapQuery;
class MouseCreateCallback;
class ReferenceTarget;

constexpr SClass_ID HELPER_CLASS_ID = 0x50;
constexpr SClass_ID NOTIFY_ALL = 0xFFFFFFF0;  // class filter: every dependent

// Change-announcement codes and part bits.
constexpr PartID PART_TOPO = 1;
constexpr PartID PART_GEOM = 2;
constexpr RefMessage REFMSG_CHANGE = 0x50;

class CORE_API Animatable {
public:
    Animatable();
    virtual void getClassName(CStr& s);  // class-name query
    virtual Class_ID ClassID();
    virtual SClass_ID SuperClassID() = 0;
    virtual ~Animatable();
    virtual void DeleteThis();
    virtual void beginEdit(HostInterface* ip, uint32_t flags, Animatable* prev);
    virtual void endEdit(HostInterface* ip, uint32_t flags, Animatable* next);
    virtual void* GetInterface(uint32_t id);
};

class CORE_API ReferenceMaker : public Animatable {
public:
    virtual IOResult Save(ISave* isave);
    virtual IOResult Load(ILoad* iload);
    // Change notification from a target this maker depends on.
    virtual RefResult notifyRefChanged(const Interval& changeInt, ReferenceTarget* target,
                                       PartID& partId, RefMessage message);
    virtual int NumRefs();
    virtual ReferenceTarget* GetReference(int i);
    virtual void SetReference(int i, ReferenceTarget* target);
    virtual ReferenceTarget* asTarget();  // this maker as a target, or null
};

class CORE_API ReferenceTarget : public ReferenceMaker {
public:
    ReferenceTarget();
    ~ReferenceTarget() override;
    ReferenceTarget(const ReferenceTarget&) = delete;
    ReferenceTarget& operator=(const ReferenceTarget&) = delete;

    ReferenceTarget* asTarget() override;
    virtual ReferenceTarget* Clone(RemapDir& remap);
    // Sends a change announcement to every dependent whose superclass passes the
    // filter (NOTIFY_ALL passes all); with propagate set, a dependent that is itself a
    // target and answers REF_SUCCEED passes it on to its own dependents.
    virtual RefResult NotifyDependents(const Interval& changeInt, PartID partId, RefMessage message,
                                       SClass_ID classFilter = NOTIFY_ALL, int propagate = 1,
                                       ReferenceTarget* target = nullptr);

    void addDependent(ReferenceMaker* maker);
    void removeDependent(ReferenceMaker* maker);
    int numDependents() const { return numDeps_; }
    ReferenceMaker* dependent(int i) const { return deps_[i]; }

private:
    ReferenceMaker** deps_ = nullptr;
    int numDeps_ = 0;
    int capDeps_ = 0;
};

class CORE_API BaseObject : public ReferenceTarget {
public:
    // Nonzero when the object, drawn in pick mode, touches the hit region.
    virtual int pickTest(TimeValue t, SceneNode* node, int kind, int crossing, int flags,
                         IPoint2* p, HostViewport* vpt);
    virtual void storeDisplayFlags(int flags);
    virtual int drawInViewport(TimeValue t, SceneNode* node, HostViewport* vpt, int flags);
    virtual void offerSnap(TimeValue t, SceneNode* node, SnapQuery* snap, IPoint2* p,
                           HostViewport* vpt);
    virtual void worldBounds(TimeValue t, SceneNode* node, HostViewport* vpt, Box3& box);
    virtual void localBounds(TimeValue t, SceneNode* node, HostViewport* vpt, Box3& box);
    virtual MouseCreateCallback* creationCallback();
    virtual void defaultNodeName(CStr& s);  // naming query: the base name of new nodes
};

class CORE_API Object : public BaseObject {
public:
    virtual int hostFlag();
    virtual Interval objectValidity(TimeValue t);
    virtual ObjectState evaluate(TimeValue t);
    virtual int CanConvertToType(Class_ID cid);
    virtual Object* ConvertToType(TimeValue t, Class_ID cid);
};

// Base of non-rendering helper objects.
class CORE_API HelperObject : public Object {
public:
    SClass_ID SuperClassID() override;       // HELPER_CLASS_ID
    void defaultNodeName(CStr& s) override;  // "Helper"
    int hostFlag() override;                 // 0
};
