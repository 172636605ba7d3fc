// The lines that show a node's kept brushes and patches, in the coordinates the map gave
// them: each brush face's outline, where its plane meets the brush's other planes, and each
// patch's control grid. Computed once for a node's kept data; drawn moved with the node.
#pragma once
#include <vector>
#include "vexsdk/geom.h"

struct BrushOutlines {
    bool world = false;        // the world's brushes, drawn quietly and not picked
    Point3 anchor;             // where the ends stand with the node (brushTextOrigin)
    std::vector<Point3> ends;  // segments, two ends each, every edge once
    Box3 box;                  // around the ends
};

// From a node's kept bytes; no segments when they hold no brush or patch.
BrushOutlines computeBrushOutlines(const std::vector<unsigned char>& kept);
