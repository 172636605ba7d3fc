#include "kept_entity.h"
#include <cmath>
#include <cstdint>
#include <cstring>
#include "entity_source.h"

namespace {

// Raised when the layout changes, so that an old host refuses what it cannot read. The
// first layout, without the entity's text, is still read.
constexpr uint32_t KEPT_LAYOUT = 2;
constexpr uint32_t KEPT_LAYOUT_WITHOUT_SOURCE = 1;
constexpr uint32_t KEPT_HAD_ORIGIN = 1;
constexpr uint32_t KEPT_WORLD = 2;

void putWord(std::vector<unsigned char>& out, uint32_t word) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(word >> (8 * i)));
}
void putText(std::vector<unsigned char>& out, const std::string& text) {
    putWord(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}
void putFloat(std::vector<unsigned char>& out, float value) {
    uint32_t word;
    std::memcpy(&word, &value, 4);
    putWord(out, word);
}

class KeptReader {
public:
    KeptReader(const unsigned char* data, size_t size) : data_(data), size_(size) {}
    bool word(uint32_t& value) {
        if (size_ - at_ < 4) return false;
        value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(data_[at_++]) << (8 * i);
        return true;
    }
    bool number(float& value) {
        uint32_t bits;
        if (!word(bits)) return false;
        std::memcpy(&value, &bits, 4);
        return true;
    }
    bool text(std::string& value) {
        uint32_t length;
        if (!word(length) || size_ - at_ < length) return false;
        value.assign(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return true;
    }
    // A count of items of at least minimum bytes each, which the rest of the data can hold.
    bool count(uint32_t& value, size_t minimum) {
        return word(value) && value <= (size_ - at_) / minimum;
    }
    bool atEnd() const { return at_ == size_; }

private:
    const unsigned char* data_;
    size_t size_, at_ = 0;
};

}  // namespace

Point3 brushTextOrigin(const KeptEntity& kept) {
    return kept.hadOrigin ? Point3(0, 0, 0) : kept.anchor;
}

KeptEntity copiedKept(const KeptEntity& kept) {
    KeptEntity copy = kept;
    copy.source = std::string(entityBlock(kept.source));
    copy.header.clear();
    copy.trailer.clear();
    return copy;
}

std::vector<unsigned char> encodeKeptEntity(const KeptEntity& kept) {
    std::vector<unsigned char> out;
    putWord(out, KEPT_LAYOUT);
    putWord(out, (kept.hadOrigin ? KEPT_HAD_ORIGIN : 0) | (kept.world ? KEPT_WORLD : 0));
    for (int axis = 0; axis < 3; ++axis) putFloat(out, kept.anchor[axis]);
    putText(out, kept.originText);
    putText(out, kept.header);
    putWord(out, static_cast<uint32_t>(kept.pairs.size()));
    for (const MapLine& pair : kept.pairs) {
        putText(out, pair.key);
        putText(out, pair.value);
    }
    putWord(out, static_cast<uint32_t>(kept.brushes.size()));
    for (const std::string& brush : kept.brushes) putText(out, brush);
    putText(out, kept.source);
    putText(out, kept.trailer);
    return out;
}

bool decodeKeptEntity(const unsigned char* data, size_t size, KeptEntity& kept,
                      std::string& error) {
    KeptReader r(data, size);
    KeptEntity read;
    uint32_t layout = 0, flags = 0, pairs = 0, brushes = 0;
    if (!r.word(layout) || (layout != KEPT_LAYOUT && layout != KEPT_LAYOUT_WITHOUT_SOURCE)) {
        error = "its kept map data has an unknown layout";
        return false;
    }
    bool ok = r.word(flags) && (flags & ~(KEPT_HAD_ORIGIN | KEPT_WORLD)) == 0;
    for (int axis = 0; axis < 3 && ok; ++axis)
        ok = r.number(read.anchor[axis]) && std::isfinite(read.anchor[axis]);
    ok = ok && r.text(read.originText) && r.text(read.header) && r.count(pairs, 8);
    for (uint32_t i = 0; i < pairs && ok; ++i) {
        MapLine pair;
        ok = r.text(pair.key) && r.text(pair.value);
        read.pairs.push_back(std::move(pair));
    }
    ok = ok && r.count(brushes, 4);
    for (uint32_t i = 0; i < brushes && ok; ++i) {
        read.brushes.emplace_back();
        ok = r.text(read.brushes.back());
    }
    if (layout == KEPT_LAYOUT) ok = ok && r.text(read.source) && r.text(read.trailer);
    if (!ok || !r.atEnd()) {
        error = "its kept map data is malformed";
        return false;
    }
    read.hadOrigin = (flags & KEPT_HAD_ORIGIN) != 0;
    read.world = (flags & KEPT_WORLD) != 0;
    kept = std::move(read);
    return true;
}
