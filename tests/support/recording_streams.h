// Scene streams that record what an object does with them: the chunks and blocks it writes,
// the blocks it asks for, and a load script whose leaveChunk can fail on a chosen call.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "vexsdk/streams.h"

struct RecordedChunk {
    uint16_t id;
    std::vector<unsigned char> bytes;
};

inline RecordedChunk chunkOf(uint16_t id, const void* data, size_t n) {
    const auto* p = static_cast<const unsigned char*>(data);
    return {id, std::vector<unsigned char>(p, p + n)};
}

class RecordingSave : public ISave {
public:
    void startChunk(uint16_t id) override {
        calls += "start ";
        chunks.push_back({id, {}});
    }
    IOResult writeBlock(const void* buf, uint32_t nbytes, uint32_t* written) override {
        calls += "write ";
        const auto* p = static_cast<const unsigned char*>(buf);
        chunks.back().bytes.insert(chunks.back().bytes.end(), p, p + nbytes);
        if (written) *written = nbytes;
        return IO_OK;
    }
    void finishChunk() override { calls += "finish "; }

    std::vector<RecordedChunk> chunks;
    std::string calls;
};

class ScriptedLoad : public ILoad {
public:
    explicit ScriptedLoad(std::vector<RecordedChunk> script) : chunks(std::move(script)) {}

    IOResult nextChunk() override {
        if (next_ >= chunks.size()) return IO_END;
        open_ = next_++;
        readPos_ = 0;
        return IO_OK;
    }
    uint16_t chunkId() override { return chunks[open_].id; }
    IOResult readBlock(void* buf, uint32_t nbytes, uint32_t* read) override {
        requests.push_back(nbytes);
        const std::vector<unsigned char>& bytes = chunks[open_].bytes;
        uint32_t take = std::min<uint32_t>(nbytes, static_cast<uint32_t>(bytes.size() - readPos_));
        std::copy(bytes.begin() + readPos_, bytes.begin() + readPos_ + take,
                  static_cast<unsigned char*>(buf));
        readPos_ += take;
        *read = take;
        return take == nbytes ? IO_OK : IO_ERROR;
    }
    IOResult leaveChunk() override {
        ++leaves;
        return leaves == failingLeave ? failureResult : IO_OK;
    }

    std::vector<RecordedChunk> chunks;
    std::vector<uint32_t> requests;  // nbytes of every readBlock
    int leaves = 0;
    int failingLeave = 0;  // 1-based call of leaveChunk that fails; 0 for none
    IOResult failureResult = 7;

private:
    size_t next_ = 0, open_ = 0, readPos_ = 0;
};
