// What the host draws over the helpers, beside what each object draws of itself: every
// entity's node name and classname next to its pivot, and an arrow from each entity that
// fires a target to every entity carrying that target name.
#pragma once
#include <vector>
#include <cstddef>
#include "scene/scene.h"
#include "render/software_viewport.h"

enum class LabelMode { All, Selected, None };

// One entity as the overlay shows it: its node, and the classname written under its name.
struct OverlayEntity {
    const Node* node;
    const char* classname;
};

// Which entity fires which, as positions in the entities drawn.
struct EntityLinks {
    struct Arrow {
        size_t from, to;
    };
    std::vector<Arrow> arrows;     // from an entity that fires a name to each one carrying it
    std::vector<size_t> dangling;  // entities firing a name that none carries, once each
};

struct OverlayOptions {
    LabelMode labels = LabelMode::None;
    bool links = false;
    // A leak's path drawn over everything (render/point_path.h), and the point looked at.
    const std::vector<Point3>* pointPath = nullptr;
    int pointPathCurrent = -1;
    // A position a log line names where no entity is (render/position_mark.h).
    const Point3* positionMark = nullptr;
};

// Pixels from the pivot to the top-left corner of a node's label.
constexpr int LABEL_OFFSET_X = 8;
constexpr int LABEL_OFFSET_Y = 6;
// A target that matches no entity: a red stub this long, up and to the right.
constexpr int DANGLING_STUB_LENGTH = 14;

const Rgb LINK_COLOUR = {70, 130, 190};
const Rgb SELECTED_LINK_COLOUR = {140, 210, 255};
const Rgb DANGLING_COLOUR = {230, 50, 40};

// Draws onto the view's image, over everything drawn so far; links point into entities. Hidden
// nodes, and nodes kept as stored bytes (nothing is drawn of them), get neither label nor links. A
// label that would overlap one already placed is left out, selected nodes' labels being placed
// first.
void drawEntityOverlay(SoftwareViewport& view, const std::vector<OverlayEntity>& entities,
                       const EntityLinks& links, const OverlayOptions& options);
