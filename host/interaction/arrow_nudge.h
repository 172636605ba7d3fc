// The keys that move the selection in an orthographic view: the arrows one grid step across
// the view, Page Up and Page Down one step along its depth (towards and away from the eye).
#pragma once
#include <windows.h>
#include "vexsdk/geom.h"

// The offset of one press of key in a view with this construction plane; false for a key
// that moves nothing.
bool arrowNudge(WPARAM key, const Matrix3& plane, float step, Point3& offset);
