// VexalEntityHelper: the one scene-object class of the module, whatever kind made it.
#pragma once
#include <windows.h>
#include "entity_props.h"
#include "vexsdk/objects.h"

// Starting values of every new helper; only the descriptors' class-defaults reset writes them.
extern int32_t defaultShowAxis;
extern float defaultAxisLength;

class VexalEntityHelper : public HelperObject {
public:
    explicit VexalEntityHelper(const char* presetClassname);

    void lookupClassIndex();

    // Host-called operations, in the order of the host's object interface.
    void getClassName(CStr& s) override;
    Class_ID ClassID() override;
    SClass_ID SuperClassID() override;
    ~VexalEntityHelper() override;
    void DeleteThis() override;
    void beginEdit(HostInterface* ip, uint32_t flags, Animatable* prev) override;
    void endEdit(HostInterface* ip, uint32_t flags, Animatable* next) override;
    IOResult Save(ISave* isave) override;
    IOResult Load(ILoad* iload) override;
    RefResult notifyRefChanged(const Interval& changeInt, ReferenceTarget* target, PartID& partId,
                               RefMessage message) override;
    ReferenceTarget* Clone(RemapDir& remap) override;
    int pickTest(TimeValue t, SceneNode* node, int kind, int crossing, int flags, IPoint2* p,
                 HostViewport* vpt) override;
    void storeDisplayFlags(int flags) override;
    int drawInViewport(TimeValue t, SceneNode* node, HostViewport* vpt, int flags) override;
    void offerSnap(TimeValue t, SceneNode* node, SnapQuery* snap, IPoint2* p,
                   HostViewport* vpt) override;
    void worldBounds(TimeValue t, SceneNode* node, HostViewport* vpt, Box3& box) override;
    void localBounds(TimeValue t, SceneNode* node, HostViewport* vpt, Box3& box) override;
    MouseCreateCallback* creationCallback() override;
    void defaultNodeName(CStr& s) override;
    int hostFlag() override;
    Interval objectValidity(TimeValue t) override;
    ObjectState evaluate(TimeValue t) override;
    int CanConvertToType(Class_ID cid) override;
    Object* ConvertToType(TimeValue t, Class_ID cid) override;

    // Panel lifecycle steps (panels/).
    void addClassPanel(HostInterface* ip);
    void addKeyValuePanel(HostInterface* ip);
    void removeKeyValuePanel(HostInterface* ip, uint32_t flags);
    void removeClassPanel(HostInterface* ip, uint32_t flags);
    void notifyAndRedraw();
    void readKeyValuePanel();
    void fillKeyValuePanel(HWND window);

    // Drawing steps shared by display and pick (viewport/).
    void drawAxisTripod(HostViewport* vpt, const Matrix3& tm, float length, int selected,
                        int frozen);
    void drawAxisArrow(HostViewport* vpt, Point3 axis);
    void drawAxisLabel(HostViewport* vpt, const char* text, const Point3& position);
    Box3 axisTripodBox(HostViewport* vpt, const Matrix3& tm, float length, int resetTransform);

    char classname[ENTITY_CLASSNAME_SIZE];
    int32_t classIndex;
    int32_t creating;
    int32_t showAxis;
    float axisLength;
    int32_t extDispFlags;
    EntityProps props;
};

// tripodZoom: the viewport's screen scale at a point times this.
constexpr float TRIPOD_ZOOM_CONSTANT = 0.005f;
