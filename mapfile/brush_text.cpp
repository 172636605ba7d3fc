#include "brush_text.h"
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>
#include "number_text.h"

namespace {

// The token at or after at as the map reader splits them, at moved past it; empty at the
// end. Blanks between, '//' comments skipped to the line end (LF, CR LF or CR alone),
// quoted texts whole.
std::string_view nextToken(std::string_view text, size_t& at) {
    while (at < text.size()) {
        const unsigned char c = text[at];
        if (c <= ' ') {
            ++at;
        } else if (text.compare(at, 2, "//") == 0) {
            at = text.find_first_of("\r\n", at);
            if (at == std::string_view::npos) at = text.size();
        } else {
            size_t end = at + 1;
            if (c == '"') {
                end = text.find('"', end);
                end = end == std::string_view::npos ? text.size() : end + 1;
            } else {
                while (end < text.size() && static_cast<unsigned char>(text[end]) > ' ') ++end;
            }
            const std::string_view token = text.substr(at, end - at);
            at = end;
            return token;
        }
    }
    return {};
}

std::vector<std::string_view> tokens(std::string_view text) {
    std::vector<std::string_view> out;
    size_t at = 0;
    for (std::string_view token = nextToken(text, at); !token.empty(); token = nextToken(text, at))
        out.push_back(token);
    return out;
}

double numberOf(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

double component(const MapVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

double& component(MapVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

// A face's plane: its outward normal, and where it crosses the axis it faces along.
struct FacePlane {
    MapVector normal;
    double along = 0;  // for an axis-aligned face: its coordinate on that axis
};

// The axis a normal lies along (-1 when none), and whether it points up that axis.
int normalAxis(const MapVector& n, bool& up) {
    for (int axis = 0; axis < 3; ++axis) {
        const double a = component(n, axis), b = component(n, (axis + 1) % 3),
                     c = component(n, (axis + 2) % 3);
        if (a != 0 && std::fabs(b) <= 1e-9 * std::fabs(a) && std::fabs(c) <= 1e-9 * std::fabs(a)) {
            up = a > 0;
            return axis;
        }
    }
    return -1;
}

// Walks a brush's or patch's tokens, moving its geometry by delta: every face, or only
// the faces that face one way along one axis (a box's side dragged), and records each
// face's plane on the way.
class BrushMover {
public:
    struct Side {
        int axis;
        bool high;
    };

    BrushMover(std::string_view text, const MapVector& delta, const Side* only = nullptr)
        : text_(text), tokens_(tokens(text)), delta_(delta), faceDelta_(delta), only_(only) {}

    const std::vector<FacePlane>& planes() const { return planes_; }

    std::string moved() {
        // tokens_[0] is the brush's '{'
        if (tokens_.size() > 2 && (tokens_[1] == "brushDef" || tokens_[1] == "brushDef3")) {
            at_ = 3;
            return tokens_[1] == "brushDef" ? faces(&BrushMover::matrixFace)
                                            : faces(&BrushMover::equationFace);
        }
        if (tokens_.size() > 2 && (tokens_[1] == "patchDef2" || tokens_[1] == "patchDef3"))
            return patch();
        at_ = 1;
        return faces(&BrushMover::pointFace);
    }

private:
    struct Edit {
        size_t token;
        std::string text;
    };

    std::string_view token(size_t i) const { return i < tokens_.size() ? tokens_[i] : ""; }

    // The game reads brush numbers as floats: a number is written as the shortest text of
    // the float its source number moved gives, and keeps its text while that float is the
    // source's own, so rounding noise in a move changes nothing and there and back is as read.
    void add(size_t i, double change) {
        if (change == 0 || i >= tokens_.size()) return;
        const double old = numberOf(tokens_[i]);
        const float moved = static_cast<float>(old + change);
        if (moved != static_cast<float>(old)) edits_.push_back({i, shortestNumberText(moved)});
    }
    // "( x y z )" at at_.
    void movePoint() {
        for (int axis = 0; axis < 3; ++axis) add(at_ + 1 + axis, component(faceDelta_, axis));
        at_ += 5;
    }
    void skipToFaceEnd() {
        while (at_ < tokens_.size() && token(at_) != "(" && token(at_) != "}") ++at_;
    }
    std::string faces(void (BrushMover::*face)()) {
        const bool equation = face == &BrushMover::equationFace;
        while (token(at_) == "(") {
            planes_.push_back(equation ? equationPlane() : pointPlane());
            bool up = false;
            const bool moves = !only_ || (normalAxis(planes_.back().normal, up) == only_->axis &&
                                          up == only_->high);
            faceDelta_ = moves ? delta_ : MapVector{};
            (this->*face)();
            skipToFaceEnd();
        }
        return rewritten();
    }
    void matrixFace() {
        for (int i = 0; i < 3; ++i) movePoint();
        at_ += 12;  // ( ( a b c ) ( d e f ) )
    }
    void equationFace() {
        // a x + b y + c z + d = 0 moved by delta: d - (a, b, c) . delta
        double along = 0;
        for (int axis = 0; axis < 3; ++axis)
            along += numberOf(token(at_ + 1 + axis)) * component(faceDelta_, axis);
        add(at_ + 4, -along);
        at_ += 6 + 12;  // the plane, then ( ( a b c ) ( d e f ) )
    }
    // Three points, the texture, then "[ ux uy uz offset ] [ vx vy vz offset ] rotation
    // scaleU scaleV" in the texture-axes form: u = p . axis / scale + offset, so a point
    // moved by delta keeps its u when the offset drops by delta . axis / scale.
    void pointFace() {
        for (int i = 0; i < 3; ++i) movePoint();
        const size_t axes = at_ + 1;
        if (token(axes) != "[") return;
        for (int row = 0; row < 2; ++row) {
            const size_t first = axes + 1 + row * 6;
            double scale = numberOf(token(axes + 13 + row));
            if (scale == 0) scale = 1;
            double along = 0;
            for (int axis = 0; axis < 3; ++axis)
                along += numberOf(token(first + axis)) * component(faceDelta_, axis);
            add(first + 3, -along / scale);
        }
        at_ = axes + 12;
    }
    MapVector pointAt(size_t at) const {
        return {numberOf(token(at + 1)), numberOf(token(at + 2)), numberOf(token(at + 3))};
    }
    // Three points wound so that cross(p0 - p1, p2 - p1) faces out of the brush.
    FacePlane pointPlane() const {
        const MapVector p0 = pointAt(at_), p1 = pointAt(at_ + 5), p2 = pointAt(at_ + 10);
        const MapVector a{p0.x - p1.x, p0.y - p1.y, p0.z - p1.z},
            b{p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
        FacePlane plane{{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}};
        bool up;
        const int axis = normalAxis(plane.normal, up);
        if (axis >= 0) plane.along = component(p1, axis);
        return plane;
    }
    // ( a b c d ): a x + b y + c z + d = 0, (a, b, c) facing out.
    FacePlane equationPlane() const {
        FacePlane plane{pointAt(at_)};
        bool up;
        const int axis = normalAxis(plane.normal, up);
        if (axis >= 0) plane.along = -numberOf(token(at_ + 4)) / component(plane.normal, axis);
        return plane;
    }
    // patchDef { TEXTURE ( header ) ( ( ( x y z u v ) ... ) ... ) }
    std::string patch() {
        at_ = 4;
        while (at_ < tokens_.size() && token(at_) != ")") ++at_;  // the header
        at_ += 2;                                                 // its ')' and the '(' of the rows
        for (; token(at_) == "("; ++at_)
            for (++at_; token(at_) == "(";) {
                for (int axis = 0; axis < 3; ++axis) add(at_ + 1 + axis, component(delta_, axis));
                while (at_ < tokens_.size() && token(at_) != ")") ++at_;
                ++at_;
            }
        return rewritten();
    }
    std::string rewritten() const {
        std::string out;
        size_t from = 0;
        for (const Edit& edit : edits_) {
            const size_t offset = static_cast<size_t>(tokens_[edit.token].data() - text_.data());
            out.append(text_.substr(from, offset - from));
            out += edit.text;
            from = offset + tokens_[edit.token].size();
        }
        out.append(text_.substr(from));
        return out;
    }

    std::string_view text_;
    std::vector<std::string_view> tokens_;
    MapVector delta_;
    MapVector faceDelta_;  // the current face's
    const Side* only_;
    size_t at_ = 0;
    std::vector<FacePlane> planes_;
    std::vector<Edit> edits_;  // in token order
};

}  // namespace

const char* brushFormName(BrushForm form) {
    switch (form) {
        case BrushForm::Plain:
            return "plain";
        case BrushForm::TextureAxes:
            return "texture-axes";
        case BrushForm::Versioned:
            return "versioned";
        default:
            return "none";
    }
}

// In every form a face's texture is the word after the group that closes its geometry: the
// third point, the texture matrix, or the plane.
std::vector<std::string_view> faceTextures(std::string_view text) {
    std::vector<std::string_view> names;
    size_t at = 0;
    int depth = 0;
    bool closed = false;  // the token before closed a group
    for (std::string_view token = nextToken(text, at); !token.empty();
         token = nextToken(text, at)) {
        // After a closed group a point follows, or a patch's rows end, or the texture.
        if (closed && token != "(" && token != "}")
            names.push_back(token.size() >= 2 && token.front() == '"'
                                ? token.substr(1, token.size() - 2)
                                : token);
        if (token == "(") ++depth;
        closed = token == ")" && --depth == 0;
    }
    return names;
}

BrushForm brushForm(std::string_view text) {
    const std::vector<std::string_view> words = tokens(text);
    if (words.size() < 2) return BrushForm::None;
    if (words[1] == "brushDef" || words[1] == "brushDef3") return BrushForm::Versioned;
    if (words[1] != "(") return BrushForm::None;
    return std::find(words.begin(), words.end(), "[") != words.end() ? BrushForm::TextureAxes
                                                                     : BrushForm::Plain;
}

bool patchSize(std::string_view text, int& rows, int& columns) {
    const std::vector<std::string_view> words = tokens(text);
    // { patchDef2 { TEXTURE ( rows columns ...
    if (words.size() < 8 || (words[1] != "patchDef2" && words[1] != "patchDef3")) return false;
    rows = static_cast<int>(numberOf(words[5]));
    columns = static_cast<int>(numberOf(words[6]));
    return rows > 0 && columns > 0;
}

std::string movedBrushText(std::string_view text, const MapVector& delta) {
    if (delta.x == 0 && delta.y == 0 && delta.z == 0) return std::string(text);
    return BrushMover(text, delta).moved();
}

bool brushBox(std::string_view text, MapVector& low, MapVector& high) {
    const std::vector<std::string_view> words = tokens(text);
    if (words.size() < 2 || words[1] == "patchDef2" || words[1] == "patchDef3") return false;
    BrushMover walk(text, MapVector{});
    walk.moved();
    if (walk.planes().size() != 6) return false;
    bool seen[3][2] = {};
    for (const FacePlane& plane : walk.planes()) {
        bool up;
        const int axis = normalAxis(plane.normal, up);
        if (axis < 0 || seen[axis][up]) return false;
        seen[axis][up] = true;
        component(up ? high : low, axis) = plane.along;
    }
    return low.x < high.x && low.y < high.y && low.z < high.z;
}

std::string movedFaceText(std::string_view text, int axis, bool highSide, double amount) {
    if (amount == 0) return std::string(text);
    MapVector delta{};
    component(delta, axis) = amount;
    const BrushMover::Side side{axis, highSide};
    return BrushMover(text, delta, &side).moved();
}
