// The size of the construction grid: a power of two from 1 to 256 units, as levels are
// built. Snapping, box brushes, side handles, typed positions and the drawn grid all use it.
#pragma once
#include <vector>

class GridSize {
public:
    static constexpr int SMALLEST = 1;
    static constexpr int LARGEST = 256;
    static constexpr int NEW_SCENE = 16;
    // A major line of the drawn grid every this many steps.
    static constexpr int MAJOR_EVERY = 8;

    // Every size a user can choose, smallest first.
    static std::vector<int> choices();
    static bool allowed(int units);

    int units() const { return units_; }
    // False (and the size kept) for a size that is not one of the choices.
    bool set(int units);
    // Half or twice the size, kept within the choices.
    void halve();
    void twice();

private:
    int units_ = NEW_SCENE;
};
