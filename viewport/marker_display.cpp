#include "entity/entity_helper.h"

// Not written yet: display, bounds, pick and snap.
int VexalEntityHelper::drawInViewport(TimeValue, SceneNode*, HostViewport*, int) { return 0; }
void VexalEntityHelper::drawAxisTripod(HostViewport*, const Matrix3&, float, int, int) {}
void VexalEntityHelper::drawAxisArrow(HostViewport*, Point3) {}
void VexalEntityHelper::drawAxisLabel(HostViewport*, const char*, const Point3&) {}
Box3 VexalEntityHelper::axisTripodBox(HostViewport*, const Matrix3&, float, int) { return Box3(); }
void VexalEntityHelper::localBounds(TimeValue, SceneNode*, HostViewport*, Box3&) {}
void VexalEntityHelper::worldBounds(TimeValue, SceneNode*, HostViewport*, Box3&) {}
int VexalEntityHelper::pickTest(TimeValue, SceneNode*, int, int, int, IPoint2*, HostViewport*) { return 0; }
void VexalEntityHelper::offerSnap(TimeValue, SceneNode*, SnapQuery*, IPoint2*, HostViewport*) {}
