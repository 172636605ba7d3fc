#include "box_brush.h"
#include <cmath>
#include "brush_text.h"
#include "number_text.h"

namespace {

double& axisOf(MapVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
double axisOf(const MapVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

std::string number(double value) { return shortestNumberText(static_cast<float>(value)); }

std::string pointText(const MapVector& p) {
    return "( " + number(p.x) + " " + number(p.y) + " " + number(p.z) + " )";
}

// One face: three of the box's corners on it, wound so that the plane through them
// (cross(p0 - p1, p2 - p1)) faces out of the box, as the compilers expect.
struct Face {
    MapVector p[3];
    MapVector normal;  // outward, a unit axis
};

Face boxFace(const MapVector& low, const MapVector& high, int axis, bool highSide) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    Face face;
    MapVector corner = low;
    axisOf(corner, axis) = axisOf(highSide ? high : low, axis);
    MapVector alongU = corner, alongV = corner;
    axisOf(alongU, u) = axisOf(high, u);
    axisOf(alongV, v) = axisOf(high, v);
    // cross(e_v, e_u) is -e_axis (out of the low side), cross(e_u, e_v) is +e_axis.
    face.p[0] = highSide ? alongU : alongV;
    face.p[1] = corner;
    face.p[2] = highSide ? alongV : alongU;
    axisOf(face.normal, axis) = highSide ? 1 : -1;
    return face;
}

// Texture axes lying in a face: the two world axes other than the face's own, the second
// pointing down the face as textures are laid out.
void textureAxes(const Face& face, MapVector& s, MapVector& t) {
    s = {}, t = {};
    if (face.normal.z != 0) {
        s.x = 1, t.y = -1;
    } else if (face.normal.x != 0) {
        s.y = 1, t.z = -1;
    } else {
        s.x = 1, t.z = -1;
    }
}

std::string faceText(BoxForm form, const Face& face, const std::string& texture) {
    const std::string points =
        pointText(face.p[0]) + " " + pointText(face.p[1]) + " " + pointText(face.p[2]);
    MapVector s, t;
    textureAxes(face, s, t);
    switch (form) {
        case BoxForm::Plain:
            return points + " " + texture + " 0 0 0 1 1";
        case BoxForm::TextureAxes:
            return points + " " + texture + " [ " + number(s.x) + " " + number(s.y) + " " +
                   number(s.z) + " 0 ] [ " + number(t.x) + " " + number(t.y) + " " + number(t.z) +
                   " 0 ] 0 1 1";
        case BoxForm::PointsMatrix:
            return points + " ( ( 0.0078125 0 0 ) ( 0 0.0078125 0 ) ) \"" + texture + "\" 0 0 0";
        case BoxForm::PlaneEquations: {
            const double distance = face.normal.x * face.p[1].x + face.normal.y * face.p[1].y +
                                    face.normal.z * face.p[1].z;
            return "( " + number(face.normal.x) + " " + number(face.normal.y) + " " +
                   number(face.normal.z) + " " + number(-distance) +
                   " ) ( ( 0.0078125 0 0 ) ( 0 0.0078125 0 ) ) \"" + texture + "\" 0 0 0";
        }
    }
    return points;
}

}  // namespace

std::string boxProblem(const MapVector& low, const MapVector& high) {
    for (int axis = 0; axis < 3; ++axis) {
        const double a = axisOf(low, axis), b = axisOf(high, axis);
        if (!std::isfinite(a) || !std::isfinite(b) || std::fabs(a) > 1e9 || std::fabs(b) > 1e9)
            return "a corner is not a finite number of map units";
        if (b < a) return "the corners are inverted: each of the first must be below the second";
        if (b - a < 1) return "the box is thinner than one unit";
    }
    return "";
}

std::string boxBrushText(BoxForm form, const MapVector& low, const MapVector& high,
                         const std::string& texture) {
    const bool versioned = form == BoxForm::PointsMatrix || form == BoxForm::PlaneEquations;
    std::string text = "{\n";
    if (versioned) text += form == BoxForm::PointsMatrix ? "brushDef\n{\n" : "brushDef3\n{\n";
    for (int axis = 0; axis < 3; ++axis)
        for (bool highSide : {false, true})
            text += faceText(form, boxFace(low, high, axis, highSide), texture) + "\n";
    if (versioned) text += "}\n";
    return text + "}";
}

BoxForm boxFormBeside(std::string_view brushText) {
    switch (brushForm(brushText)) {
        case BrushForm::TextureAxes:
            return BoxForm::TextureAxes;
        case BrushForm::Versioned:
            return brushText.find("brushDef3") != std::string_view::npos ? BoxForm::PlaneEquations
                                                                         : BoxForm::PointsMatrix;
        default:
            return BoxForm::Plain;
    }
}

std::shared_ptr<const KeptEntity> withBox(const KeptEntity* kept, bool world,
                                          const Point3& position, BoxForm form,
                                          const MapVector& low, const MapVector& high,
                                          const std::string& texture) {
    auto next = kept ? std::make_shared<KeptEntity>(*kept) : std::make_shared<KeptEntity>();
    if (!kept) {
        next->anchor = position;
        next->world = world;
    }
    // Written where it stands, then taken back to where the text stands as a move would:
    // export's move (or the origin) puts it here again, its texture offsets as given.
    const Point3 textOrigin = brushTextOrigin(*next);
    const MapVector back{textOrigin.x - double(position.x), textOrigin.y - double(position.y),
                         textOrigin.z - double(position.z)};
    next->brushes.push_back(movedBrushText(boxBrushText(form, low, high, texture), back));
    return next;
}

std::shared_ptr<const KeptEntity> withoutBrushes(const KeptEntity& kept) {
    auto next = std::make_shared<KeptEntity>(kept);
    next->brushes.clear();
    if (!next->world && next->pairs.empty() && !next->hadOrigin && next->source.empty())
        return nullptr;
    return next;
}
