// What the fuzz driver knows of one reader under test: inputs to start from, how to mutate
// an input, and the check of one input. A target is a name in the table of fuzz_main.cpp.
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct FuzzTarget {
    const char* name;
    const char* extension;  // of kept inputs: ".vxs"
    // Inputs the project makes itself; mutations start from them.
    std::vector<Bytes> (*seeds)();
    // Changes the input in place by one mutation.
    void (*mutate)(Bytes& input, std::mt19937_64& random);
    // Empty when the reader handled the input soundly (accepted it and round-tripped, or
    // refused it with a one-line message); otherwise what went wrong. accepted tells which.
    std::string (*check)(const Bytes& input, bool& accepted);
};

FuzzTarget sceneFileTarget();
FuzzTarget mapTextTarget();
