#include "render/marker_patterns.h"
#include <algorithm>
#include <cmath>
#include "vexsdk/viewport.h"

namespace {

using Pattern = std::vector<IPoint2>;

void add(Pattern& p, int dx, int dy) {
    IPoint2 offset(dx, dy);
    if (std::find(p.begin(), p.end(), offset) == p.end()) p.push_back(offset);
}

Pattern makePattern(int kind) {
    const int r = MARKER_RADIUS;
    Pattern p;
    switch (kind) {
        case MARKER_HOLLOW_BOX:
            for (int i = -r; i <= r; ++i) add(p, i, -r), add(p, i, r), add(p, -r, i), add(p, r, i);
            break;
        case MARKER_PLUS:
            for (int i = -r; i <= r; ++i) add(p, i, 0), add(p, 0, i);
            break;
        case MARKER_X:
            for (int i = -r; i <= r; ++i) add(p, i, i), add(p, i, -i);
            break;
        case MARKER_CIRCLE:
            for (int i = 0; i < 64; ++i) {
                double a = i * 3.14159265358979 / 32;
                add(p, static_cast<int>(std::lround(r * std::cos(a))),
                    static_cast<int>(std::lround(r * std::sin(a))));
            }
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) add(p, dx, dy);
            break;
        case MARKER_DIAMOND:
            for (int i = 0; i <= r; ++i)
                add(p, i, i - r), add(p, r - i, i), add(p, -i, r - i), add(p, i - r, -i);
            break;
        default:  // two pixels square, so that a point stays visible
            add(p, 0, 0), add(p, 1, 0), add(p, 0, 1), add(p, 1, 1);
    }
    return p;
}

}  // namespace

const std::vector<IPoint2>& markerPattern(int kind) {
    static const Pattern patterns[] = {makePattern(MARKER_POINT),  makePattern(MARKER_HOLLOW_BOX),
                                       makePattern(MARKER_PLUS),   makePattern(MARKER_X),
                                       makePattern(MARKER_CIRCLE), makePattern(MARKER_DIAMOND)};
    return kind >= MARKER_HOLLOW_BOX && kind <= MARKER_DIAMOND ? patterns[kind] : patterns[0];
}
