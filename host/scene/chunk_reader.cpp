#include "scene/chunk_reader.h"
#include <algorithm>
#include <cstring>
#include "scene/chunk_format.h"

std::string ChunkReader::describe(uint16_t id, uint64_t at) const {
    return "chunk " + chunkIdText(id) + " at offset " + std::to_string(base_ + at);
}

// The chunk that holds the open one, for messages about overruns.
std::string ChunkReader::containerText() const {
    return open_.empty() ? container_ : describe(open_.back().id, open_.back().start);
}

IOResult ChunkReader::fail(const std::string& what) {
    if (error_.empty()) error_ = what;
    return IO_ERROR;
}

std::string ChunkReader::overrunMessage(uint16_t id, uint64_t at, uint64_t length,
                                        uint64_t end) const {
    std::string chunk = describe(id, at) + " (" + std::to_string(length) + " bytes)";
    if (open_.empty() && container_.empty())
        return "truncated: " + chunk + " runs past the end of the file at " +
               std::to_string(base_ + end);
    return chunk + " runs past its container, " + containerText();
}

IOResult ChunkReader::nextChunk() {
    if (failed()) return IO_ERROR;
    if (!open_.empty() && !open_.back().isList) return IO_END;
    uint64_t end = open_.empty() ? source_.size() : open_.back().end;
    uint64_t at = source_.position();
    if (at >= end) return IO_END;
    unsigned char header[CHUNK_HEADER_SIZE];
    if (end - at < CHUNK_HEADER_SIZE) {
        if (open_.empty() && container_.empty())
            return fail("truncated: the file ends inside a chunk header");
        return fail("a chunk header runs past its container, " + containerText());
    }
    if (source_.read(header, sizeof header) != sizeof header)
        return fail("read failed at offset " + std::to_string(base_ + at));
    uint16_t id;
    uint32_t word;
    std::memcpy(&id, header, 2);
    std::memcpy(&word, header + 2, 4);
    uint32_t length = word & ~CHUNK_LIST_FLAG;
    if (length < CHUNK_HEADER_SIZE)
        return fail(describe(id, at) + " has length " + std::to_string(length) +
                    ", shorter than its header");
    if (length > end - at) return fail(overrunMessage(id, at, length, end));
    if (open_.size() == CHUNK_MAX_DEPTH)
        return fail(describe(id, at) + " is nested deeper than " + std::to_string(CHUNK_MAX_DEPTH) +
                    " levels");
    open_.push_back({id, (word & CHUNK_LIST_FLAG) != 0, at, at + length});
    return IO_OK;
}

uint16_t ChunkReader::chunkId() { return open_.empty() ? 0 : open_.back().id; }

uint32_t ChunkReader::remaining() const {
    if (open_.empty()) return 0;
    return static_cast<uint32_t>(open_.back().end - source_.position());
}

IOResult ChunkReader::readBlock(void* buf, uint32_t nbytes, uint32_t* read) {
    if (read) *read = 0;
    if (failed() || open_.empty() || open_.back().isList) return IO_ERROR;
    uint32_t take = std::min(nbytes, remaining());
    uint64_t at = source_.position();
    size_t got = source_.read(buf, take);
    if (read) *read = static_cast<uint32_t>(got);
    if (got != take) return fail("read failed at offset " + std::to_string(base_ + at + got));
    return got == nbytes ? IO_OK : IO_ERROR;
}

bool ChunkReader::readRest(std::vector<unsigned char>& bytes) {
    bytes.resize(remaining());
    return readExactly(bytes.data(), bytes.size());
}

bool ChunkReader::readRest(std::string& text) {
    text.resize(remaining());
    return readExactly(&text[0], text.size());
}

bool ChunkReader::readExactly(void* data, size_t n) {
    if (failed() || open_.empty()) return false;
    uint64_t at = source_.position();
    size_t got = source_.read(data, n);
    if (got != n) fail("read failed at offset " + std::to_string(base_ + at + got));
    return got == n;
}

IOResult ChunkReader::leaveChunk() {
    if (failed()) return IO_ERROR;
    if (open_.size() <= floor_) return fail("a chunk was left that was never entered");
    uint64_t at = source_.position();
    if (at < open_.back().end && !source_.skip(open_.back().end - at))
        return fail("read failed at offset " + std::to_string(base_ + at));
    open_.pop_back();
    return IO_OK;
}
