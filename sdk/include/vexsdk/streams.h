// Scene streams: the chunked save and load streams the host hands to an object.
#pragma once
#include "api.h"

using IOResult = int;
constexpr IOResult IO_OK = 0;
constexpr IOResult IO_END = 1;    // nextChunk: no further chunk
constexpr IOResult IO_ERROR = 2;  // malformed or unreadable stream

class ISave {
public:
    virtual ~ISave() = default;
    virtual void startChunk(uint16_t id) = 0;
    virtual IOResult writeBlock(const void* buf, uint32_t nbytes, uint32_t* written) = 0;
    virtual void finishChunk() = 0;  // closes the chunk opened last
};

class ILoad {
public:
    virtual ~ILoad() = default;
    virtual IOResult nextChunk() = 0;  // IO_OK when a chunk was opened
    virtual uint16_t chunkId() = 0;
    // Reads at most nbytes of the open chunk; *read receives what was really read.
    virtual IOResult readBlock(void* buf, uint32_t nbytes, uint32_t* read) = 0;
    virtual IOResult leaveChunk() = 0;  // skips what was not read
};
