// ILoad over a byte source. Every chunk header is checked against the chunk (or file) that
// contains it before anything inside is read, reads never pass the end of the open chunk,
// and leaving a chunk skips whatever its reader left. A malformed header or a failed read
// stops the stream for good: every later call fails, and error() says what and where.
#pragma once
#include <string>
#include <vector>
#include "scene/byte_io.h"
#include "vexsdk/streams.h"

class ChunkReader : public ILoad {
public:
    explicit ChunkReader(ByteSource& source) : source_(source) {}
    // Reads chunks that were cut out of a larger file: offsets in messages count from that
    // file's start, and the outermost container is named instead of the end of the file.
    ChunkReader(ByteSource& source, uint64_t offsetInFile, std::string container)
        : source_(source), base_(offsetInFile), container_(std::move(container)) {}

    IOResult nextChunk() override;  // IO_END when the open chunk holds no further sub-chunk
    uint16_t chunkId() override;
    IOResult readBlock(void* buf, uint32_t nbytes, uint32_t* read) override;
    IOResult leaveChunk() override;

    // The whole unread rest of the open chunk, whether data or sub-chunks, as bytes.
    bool readRest(std::vector<unsigned char>& bytes);
    bool readRest(std::string& text);
    bool isList() const { return !open_.empty() && open_.back().isList; }
    uint32_t remaining() const;  // unread bytes of the open chunk
    uint64_t chunkOffset() const { return open_.empty() ? 0 : base_ + open_.back().start; }
    size_t depth() const { return open_.size(); }
    // Chunks at or below this depth belong to the caller: leaveChunk will not close them.
    void setFloor(size_t depth) { floor_ = depth; }

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    struct OpenChunk {
        uint16_t id;
        bool isList;
        uint64_t start;  // offset of the header
        uint64_t end;    // offset just past the chunk
    };
    IOResult fail(const std::string& what);
    std::string overrunMessage(uint16_t id, uint64_t at, uint64_t length, uint64_t end) const;
    bool readExactly(void* data, size_t n);
    std::string describe(uint16_t id, uint64_t at) const;
    std::string containerText() const;

    ByteSource& source_;
    uint64_t base_ = 0;
    std::string container_;  // empty: the outermost container is the file
    std::vector<OpenChunk> open_;
    size_t floor_ = 0;
    std::string error_;
};
