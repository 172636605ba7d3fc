#include "render/grid_size.h"

std::vector<int> GridSize::choices() {
    std::vector<int> sizes;
    for (int units = SMALLEST; units <= LARGEST; units *= 2) sizes.push_back(units);
    return sizes;
}

bool GridSize::allowed(int units) {
    return units >= SMALLEST && units <= LARGEST && (units & (units - 1)) == 0;
}

bool GridSize::set(int units) {
    if (!allowed(units)) return false;
    units_ = units;
    return true;
}

void GridSize::halve() {
    if (units_ > SMALLEST) units_ /= 2;
}

void GridSize::twice() {
    if (units_ < LARGEST) units_ *= 2;
}
