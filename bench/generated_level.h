// A generated level shaped like real ones, for the benchmarks: 2,000 entities (1,000 point
// entities of 40 classes, 500 lights, 90 doors with a brush each, 110 func_detail and 100
// func_group entities with four brushes each, 200 triggers with a brush each firing the
// doors) and a world of the remaining brushes: 4,000 brushes, 24,000 faces in the
// texture-axes form, about 3.5 MB of map text.
#pragma once
#include <string>

struct GeneratedLevel {
    std::string text;
    int entities = 0, brushes = 0, faces = 0;
};

GeneratedLevel generateRealLevel();
