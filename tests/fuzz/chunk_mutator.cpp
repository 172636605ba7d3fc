#include "chunk_mutator.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr uint32_t HEADER = 6;
constexpr uint32_t LIST_FLAG = 0x80000000u;

struct Chunk {
    size_t offset;
    uint32_t length;  // header included
    bool isList;
    int parent;  // index into the walked chunks; -1 at the top
};

uint32_t wordAt(const Bytes& b, size_t at) {
    uint32_t w;
    std::memcpy(&w, b.data() + at, 4);
    return w;
}

void putWord(Bytes& b, size_t at, uint32_t w) { std::memcpy(b.data() + at, &w, 4); }

// Every chunk that lies within its container, in file order.
void walk(const Bytes& b, size_t from, size_t to, int parent, std::vector<Chunk>& out, int depth) {
    while (depth < 200 && from + HEADER <= to) {
        const uint32_t word = wordAt(b, from + 2), length = word & ~LIST_FLAG;
        if (length < HEADER || length > to - from) return;
        out.push_back({from, length, (word & LIST_FLAG) != 0, parent});
        if (out.back().isList)
            walk(b, from + HEADER, from + length, static_cast<int>(out.size()) - 1, out, depth + 1);
        from += length;
    }
}

// Adds delta to the length of every container of the chunk at index (not the chunk).
void resizeContainers(Bytes& b, const std::vector<Chunk>& chunks, int index, int64_t delta) {
    for (int at = chunks[index].parent; at >= 0; at = chunks[at].parent) {
        const uint32_t word = wordAt(b, chunks[at].offset + 2);
        putWord(b, chunks[at].offset + 2, static_cast<uint32_t>(word + delta));
    }
}

size_t below(std::mt19937_64& random, size_t n) { return n ? random() % n : 0; }

bool chance(std::mt19937_64& random) { return random() & 1; }

void insertBytes(Bytes& b, size_t at, const Bytes& piece) {
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), piece.begin(), piece.end());
}

void growChunk(Bytes& b, const Chunk& c, uint32_t delta) {
    putWord(b, c.offset + 2, wordAt(b, c.offset + 2) + delta);
}

void flipBit(Bytes& b, std::mt19937_64& random) {
    if (!b.empty())
        b[below(random, b.size())] ^= static_cast<unsigned char>(1u << below(random, 8));
}

void setLength(Bytes& b, const Chunk& c, std::mt19937_64& random) {
    const uint32_t flag = c.isList ? LIST_FLAG : 0;
    const uint32_t choices[] = {0,
                                5,
                                HEADER,
                                c.length - 1,
                                c.length + 1,
                                c.length + static_cast<uint32_t>(below(random, 1 << 20)),
                                0x7FFFFFFFu,
                                c.length ^ LIST_FLAG};
    const uint32_t length = choices[below(random, std::size(choices))];
    putWord(b, c.offset + 2,
            length == (c.length ^ LIST_FLAG) ? c.length | (flag ^ LIST_FLAG) : length | flag);
}

void cutAtBoundary(Bytes& b, const Chunk& c, std::mt19937_64& random) {
    const size_t cuts[] = {c.offset, c.offset + HEADER, c.offset + c.length,
                           c.offset + below(random, c.length)};
    b.resize(std::min(b.size(), cuts[below(random, std::size(cuts))]));
}

void duplicate(Bytes& b, const std::vector<Chunk>& chunks, int index, std::mt19937_64& random) {
    const Chunk& c = chunks[index];
    const Bytes copy(b.begin() + c.offset, b.begin() + c.offset + c.length);
    insertBytes(b, c.offset + c.length, copy);
    if (chance(random)) resizeContainers(b, chunks, index, c.length);
}

void removeChunk(Bytes& b, const std::vector<Chunk>& chunks, int index) {
    const Chunk& c = chunks[index];
    b.erase(b.begin() + c.offset, b.begin() + c.offset + c.length);
    resizeContainers(b, chunks, index, -static_cast<int64_t>(c.length));
}

// Two chunks of the same container change places.
void swapSiblings(Bytes& b, const std::vector<Chunk>& chunks, int index) {
    for (size_t next = index + 1; next < chunks.size(); ++next) {
        if (chunks[next].parent != chunks[index].parent) continue;
        const Chunk &first = chunks[index], &second = chunks[next];
        Bytes a(b.begin() + first.offset, b.begin() + first.offset + first.length);
        Bytes s(b.begin() + second.offset, b.begin() + second.offset + second.length);
        Bytes swapped = s;
        swapped.insert(swapped.end(), b.begin() + first.offset + first.length,
                       b.begin() + second.offset);
        swapped.insert(swapped.end(), a.begin(), a.end());
        std::copy(swapped.begin(), swapped.end(), b.begin() + first.offset);
        return;
    }
}

// The chunk inside a tower of list chunks with its own id.
void nest(Bytes& b, const std::vector<Chunk>& chunks, int index, std::mt19937_64& random) {
    const Chunk& c = chunks[index];
    const size_t levels = 1 + below(random, 100);
    Bytes tower;
    for (size_t level = 0; level < levels; ++level) {
        const uint32_t length =
            static_cast<uint32_t>(c.length + (levels - level) * HEADER) | LIST_FLAG;
        tower.insert(tower.end(), {b[c.offset], b[c.offset + 1], 0, 0, 0, 0});
        putWord(tower, tower.size() - 4, length);
    }
    insertBytes(b, c.offset, tower);
    resizeContainers(b, chunks, index, static_cast<int64_t>(tower.size()));
}

void oversize(Bytes& b, const std::vector<Chunk>& chunks, int index, std::mt19937_64& random) {
    const Chunk& c = chunks[index];
    const Bytes filler(1 + below(random, 1 << 16), static_cast<unsigned char>(random()));
    insertBytes(b, c.offset + c.length, filler);
    growChunk(b, c, static_cast<uint32_t>(filler.size()));
    resizeContainers(b, chunks, index, static_cast<int64_t>(filler.size()));
}

void nonFiniteFloat(Bytes& b, const Chunk& c, std::mt19937_64& random) {
    if (c.isList || c.length < HEADER + 4) return;
    const float values[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            3e38f,
                            -3e38f,
                            std::numeric_limits<float>::denorm_min(),
                            -0.0f};
    const float v = values[below(random, std::size(values))];
    const size_t slots = (c.length - HEADER) / 4;
    std::memcpy(b.data() + c.offset + HEADER + 4 * below(random, slots), &v, 4);
}

}  // namespace

void mutateChunks(Bytes& input, std::mt19937_64& random) {
    std::vector<Chunk> chunks;
    walk(input, 0, input.size(), -1, chunks, 0);
    const size_t operation = below(random, 10);
    if (chunks.empty() || operation == 0) return flipBit(input, random);
    const int index = static_cast<int>(below(random, chunks.size()));
    switch (operation) {
        case 1:
            return setLength(input, chunks[index], random);
        case 2:
            return cutAtBoundary(input, chunks[index], random);
        case 3:
            return duplicate(input, chunks, index, random);
        case 4:
            return swapSiblings(input, chunks, index);
        case 5:
            return removeChunk(input, chunks, index);
        case 6:
            return nest(input, chunks, index, random);
        case 7:
            return oversize(input, chunks, index, random);
        case 8:
            return nonFiniteFloat(input, chunks[index], random);
        default:
            return flipBit(input, random);
    }
}
