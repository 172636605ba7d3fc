// ISave over a byte sink: chunks nest, and each chunk's length is filled in when it is
// finished. Misuse by an object (data and sub-chunks in one chunk, finishing a chunk that
// was never started) fails the whole save rather than writing a malformed file.
#pragma once
#include <string>
#include <vector>
#include "scene/byte_io.h"
#include "vexsdk/streams.h"

class ChunkWriter : public ISave {
public:
    explicit ChunkWriter(ByteSink& sink) : sink_(sink) {}

    void startChunk(uint16_t id) override;
    IOResult writeBlock(const void* buf, uint32_t nbytes, uint32_t* written) override;
    void finishChunk() override;

    // Marks the open chunk as a list of sub-chunks even if none follow.
    void markList();
    // Copies sub-chunks framed elsewhere (kept verbatim) into the open list chunk.
    bool writeFramed(const std::vector<unsigned char>& chunks);
    size_t depth() const { return open_.size(); }
    // Chunks at or below this depth belong to the caller: finishChunk will not close them.
    void setFloor(size_t depth) { floor_ = depth; }
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    struct OpenChunk {
        uint64_t headerOffset;
        uint16_t id;
        bool hasData;
        bool isList;
    };
    void fail(const std::string& what);

    ByteSink& sink_;
    std::vector<OpenChunk> open_;
    size_t floor_ = 0;
    std::string error_;
};
