#include "vexsdk/viewport.h"

void MakeHitRegion(HitRegion& region, int kind, int crossing, int size, IPoint2* p) {
    region.regionKind = kind;
    region.crossingFlag = crossing;
    region.size = size;
    region.a = p ? p[0] : IPoint2();
    region.b = (p && (kind == HITREGION_RECT || kind == HITREGION_CIRCLE)) ? p[1] : region.a;
}
