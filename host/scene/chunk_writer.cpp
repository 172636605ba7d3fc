#include "scene/chunk_writer.h"
#include <cstring>
#include "scene/chunk_format.h"

// Windows on x86-64 is little-endian, so integers go out in memory order.

void ChunkWriter::fail(const std::string& what) {
    if (error_.empty()) error_ = what;
}

void ChunkWriter::startChunk(uint16_t id) {
    if (failed()) return;
    if (!open_.empty()) {
        OpenChunk& parent = open_.back();
        if (parent.hasData)
            return fail("chunk " + chunkIdText(parent.id) + " holds data and sub-chunks");
        parent.isList = true;
    }
    if (open_.size() == CHUNK_MAX_DEPTH)
        return fail("chunk " + chunkIdText(id) + " is nested deeper than " +
                    std::to_string(CHUNK_MAX_DEPTH) + " levels");
    unsigned char header[CHUNK_HEADER_SIZE] = {};
    std::memcpy(header, &id, 2);
    uint64_t at = sink_.position();
    if (!sink_.write(header, sizeof header)) return fail(sink_.failure());
    open_.push_back({at, id, false, false});
}

IOResult ChunkWriter::writeBlock(const void* buf, uint32_t nbytes, uint32_t* written) {
    if (written) *written = 0;
    if (failed()) return IO_ERROR;
    if (open_.empty()) {
        fail("data written outside a chunk");
        return IO_ERROR;
    }
    OpenChunk& chunk = open_.back();
    if (chunk.isList) {
        fail("chunk " + chunkIdText(chunk.id) + " holds data and sub-chunks");
        return IO_ERROR;
    }
    if (nbytes == 0) return IO_OK;
    chunk.hasData = true;
    if (!sink_.write(buf, nbytes)) {
        fail(sink_.failure());
        return IO_ERROR;
    }
    if (written) *written = nbytes;
    return IO_OK;
}

void ChunkWriter::finishChunk() {
    if (failed()) return;
    if (open_.size() <= floor_) return fail("a chunk was finished that was never started");
    OpenChunk chunk = open_.back();
    open_.pop_back();
    uint64_t length = sink_.position() - chunk.headerOffset;
    if (length > CHUNK_MAX_LENGTH) return fail("chunk " + chunkIdText(chunk.id) + " exceeds 2 GiB");
    uint32_t word = static_cast<uint32_t>(length) | (chunk.isList ? CHUNK_LIST_FLAG : 0);
    if (!sink_.patch(chunk.headerOffset + 2, &word, 4)) fail(sink_.failure());
}

void ChunkWriter::markList() {
    if (failed() || open_.empty()) return;
    if (open_.back().hasData) return fail("chunk " + chunkIdText(open_.back().id) + " holds data");
    open_.back().isList = true;
}

bool ChunkWriter::writeFramed(const std::vector<unsigned char>& chunks) {
    markList();
    if (failed() || open_.empty()) return false;
    if (!chunks.empty() && !sink_.write(chunks.data(), chunks.size())) fail(sink_.failure());
    return !failed();
}
