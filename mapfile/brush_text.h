// A brush's or patch's text as map text holds it, read again for what moving needs: which
// form it is written in, and the same text with its geometry moved.
#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "map_text.h"

// The forms do not mix in one map. A patch or an empty brush has none of its own.
enum class BrushForm { None, Plain, TextureAxes, Versioned };
// "plain", "texture-axes", "versioned".
const char* brushFormName(BrushForm form);
BrushForm brushForm(std::string_view text);

// A patch's rows and columns of control points, from its header; false for a brush.
bool patchSize(std::string_view text, int& rows, int& columns);

// The text moved by delta: plane points, versioned planes' distances and patch control
// points. In the texture-axes form the texture offsets follow, so the texture stays on the
// brush; the plain form's offsets are left as they are. Numbers whose float does not change
// keep their text; changed ones get the shortest text that reads back as the new float.
// The text must be one that readMapText accepted.
std::string movedBrushText(std::string_view text, const MapVector& delta);

// The texture name of each face of a brush, quotes taken off, as parts of text; none for a
// patch.
std::vector<std::string_view> faceTextures(std::string_view text);

// Whether the brush is a box: six faces, one facing each way along each axis; its corners.
bool brushBox(std::string_view text, MapVector& low, MapVector& high);
// The brush with the faces that face along axis (up it, or down it) moved by amount along
// it, as dragging a box's side does; the other faces' text is kept as it is.
std::string movedFaceText(std::string_view text, int axis, bool highSide, double amount);
