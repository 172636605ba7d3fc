// The host's chunk streams: framing, nesting, bounds and failures, in memory and on disk.
#include <windows.h>
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>
#include "scene/chunk_format.h"
#include "scene/chunk_reader.h"
#include "scene/chunk_writer.h"
#include "scene/file_identity.h"
#include "test_files.h"

namespace {

uint32_t lengthWordAt(const std::vector<unsigned char>& b, size_t headerOffset) {
    uint32_t word;
    std::memcpy(&word, b.data() + headerOffset + 2, 4);
    return word;
}

void writeData(ChunkWriter& w, uint16_t id, const void* data, uint32_t n) {
    uint32_t written = 0;
    w.startChunk(id);
    EXPECT_EQ(w.writeBlock(data, n, &written), IO_OK);
    EXPECT_EQ(written, n);
    w.finishChunk();
}

// A list 0x0001 holding data 0x0002 ("abcdef") and an empty list 0x0003, then data 0x0004.
std::vector<unsigned char> nestedSample() {
    MemorySink sink;
    ChunkWriter w(sink);
    w.startChunk(0x0001);
    writeData(w, 0x0002, "abcdef", 6);
    w.startChunk(0x0003);
    w.markList();
    w.finishChunk();
    w.finishChunk();
    writeData(w, 0x0004, "xy", 2);
    EXPECT_FALSE(w.failed()) << w.error();
    return sink.bytes;
}

TEST(ChunkWriter, FramesNestedChunksWithLengthsAndTheListFlag) {
    std::vector<unsigned char> b = nestedSample();
    ASSERT_EQ(b.size(), 6u + 12 + 6 + 8u);
    EXPECT_EQ(b[0] | b[1] << 8, 0x0001);
    EXPECT_EQ(lengthWordAt(b, 0), 0x80000000u | 24);
    EXPECT_EQ(lengthWordAt(b, 6), 12u);
    EXPECT_EQ(std::memcmp(b.data() + 12, "abcdef", 6), 0);
    EXPECT_EQ(lengthWordAt(b, 18), 0x80000000u | 6);
    EXPECT_EQ(lengthWordAt(b, 24), 8u);
}

TEST(ChunkWriter, MisuseFailsTheSaveInsteadOfWritingAMalformedFile) {
    struct Case {
        const char* what;
        void (*misuse)(ChunkWriter&);
    } cases[] = {
        {"data outside a chunk",
         [](ChunkWriter& w) {
             uint32_t n = 9;
             EXPECT_EQ(w.writeBlock("x", 1, &n), IO_ERROR);
             EXPECT_EQ(n, 0u);
         }},
        {"sub-chunk after data",
         [](ChunkWriter& w) {
             uint32_t n;
             w.startChunk(1);
             w.writeBlock("x", 1, &n);
             w.startChunk(2);
         }},
        {"data after a sub-chunk",
         [](ChunkWriter& w) {
             uint32_t n;
             w.startChunk(1);
             w.startChunk(2);
             w.finishChunk();
             EXPECT_EQ(w.writeBlock("x", 1, &n), IO_ERROR);
         }},
        {"finishing a chunk never started", [](ChunkWriter& w) { w.finishChunk(); }},
        {"finishing below the floor",
         [](ChunkWriter& w) {
             w.startChunk(1);
             w.setFloor(1);
             w.finishChunk();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MemorySink sink;
        ChunkWriter w(sink);
        c.misuse(w);
        EXPECT_TRUE(w.failed());
        EXPECT_FALSE(w.error().empty());
    }
}

TEST(ChunkReader, WalksNestedChunksAndNeverReadsPastTheOpenOne) {
    std::vector<unsigned char> b = nestedSample();
    MemorySource source(b);
    ChunkReader r(source);
    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.chunkId(), 0x0001);
    EXPECT_TRUE(r.isList());
    char buf[16] = {};
    uint32_t got = 99;
    EXPECT_EQ(r.readBlock(buf, 4, &got), IO_ERROR);  // a list holds no data
    EXPECT_EQ(got, 0u);

    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.chunkId(), 0x0002);
    EXPECT_EQ(r.nextChunk(), IO_END);  // data chunks hold no sub-chunks
    EXPECT_EQ(r.readBlock(buf, 4, &got), IO_OK);
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(r.readBlock(buf, 16, &got), IO_ERROR);  // only two bytes were left
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(std::memcmp(buf, "ef", 2), 0);
    EXPECT_EQ(r.leaveChunk(), IO_OK);

    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.chunkId(), 0x0003);
    EXPECT_EQ(r.nextChunk(), IO_END);  // an empty list
    EXPECT_EQ(r.leaveChunk(), IO_OK);
    EXPECT_EQ(r.nextChunk(), IO_END);
    EXPECT_EQ(r.leaveChunk(), IO_OK);

    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.chunkId(), 0x0004);
    EXPECT_EQ(r.leaveChunk(), IO_OK);  // skips the unread "xy"
    EXPECT_EQ(r.nextChunk(), IO_END);
    EXPECT_FALSE(r.failed());
}

TEST(ChunkReader, LeavingAListSkipsWhatWasNotRead) {
    std::vector<unsigned char> b = nestedSample();
    MemorySource source(b);
    ChunkReader r(source);
    ASSERT_EQ(r.nextChunk(), IO_OK);
    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.leaveChunk(), IO_OK);
    EXPECT_EQ(r.leaveChunk(), IO_OK);  // the list, with 0x0003 unvisited
    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.chunkId(), 0x0004);
}

void setLengthWord(std::vector<unsigned char>& b, size_t headerOffset, uint32_t word) {
    std::memcpy(b.data() + headerOffset + 2, &word, 4);
}

TEST(ChunkReader, BadLengthsStopTheStreamWithTheirPlace) {
    struct Case {
        const char* what;
        void (*damage)(std::vector<unsigned char>&);
        const char* walk;  // before the failing nextChunk: n = enter a chunk, l = leave it
        const char* message;
    } cases[] = {
        {"inner chunk past its list",
         [](std::vector<unsigned char>& b) { setLengthWord(b, 6, 19); }, "n",
         "chunk 0x0002 at offset 6 (19 bytes) runs past its container, chunk 0x0001 at offset 0"},
        {"outer chunk past the file",
         [](std::vector<unsigned char>& b) { setLengthWord(b, 24, 9); }, "nl",
         "truncated: chunk 0x0004 at offset 24 (9 bytes) runs past the end of the file at 32"},
        {"length shorter than a header",
         [](std::vector<unsigned char>& b) { setLengthWord(b, 0, 0x80000005u); }, "",
         "chunk 0x0001 at offset 0 has length 5, shorter than its header"},
        {"file ends inside a header", [](std::vector<unsigned char>& b) { b.resize(28); }, "nl",
         "truncated: the file ends inside a chunk header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> b = nestedSample();
        c.damage(b);
        MemorySource source(b);
        ChunkReader r(source);
        for (const char* step = c.walk; *step; ++step)
            ASSERT_EQ(*step == 'n' ? r.nextChunk() : r.leaveChunk(), IO_OK);
        EXPECT_EQ(r.nextChunk(), IO_ERROR);
        EXPECT_EQ(r.error(), c.message);
        // The failure sticks.
        uint32_t got = 1;
        char buf[4];
        EXPECT_EQ(r.nextChunk(), IO_ERROR);
        EXPECT_EQ(r.readBlock(buf, 4, &got), IO_ERROR);
        EXPECT_EQ(got, 0u);
        EXPECT_EQ(r.leaveChunk(), IO_ERROR);
    }
}

TEST(ChunkStreams, NestingIsBoundedOnBothSides) {
    MemorySink sink;
    ChunkWriter w(sink);
    for (size_t level = 0; level < CHUNK_MAX_DEPTH; ++level) w.startChunk(0x0001);
    EXPECT_FALSE(w.failed());
    w.startChunk(0x0002);
    EXPECT_EQ(w.error(), "chunk 0x0002 is nested deeper than 64 levels");

    // A file of list headers only, one level too deep, as a hostile writer could make it.
    std::vector<unsigned char> b(6 * (CHUNK_MAX_DEPTH + 1));
    for (size_t level = 0; level <= CHUNK_MAX_DEPTH; ++level) {
        uint16_t id = 1;
        uint32_t word = static_cast<uint32_t>(b.size() - 6 * level) | 0x80000000u;
        std::memcpy(b.data() + 6 * level, &id, 2);
        std::memcpy(b.data() + 6 * level + 2, &word, 4);
    }
    MemorySource source(b);
    ChunkReader r(source);
    for (size_t level = 0; level < CHUNK_MAX_DEPTH; ++level) ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.nextChunk(), IO_ERROR);
    EXPECT_EQ(r.error(), "chunk 0x0001 at offset 384 is nested deeper than 64 levels");
}

TEST(ChunkReader, TheFloorKeepsTheCallersChunksOpen) {
    std::vector<unsigned char> b = nestedSample();
    MemorySource source(b);
    ChunkReader r(source);
    ASSERT_EQ(r.nextChunk(), IO_OK);
    r.setFloor(1);
    EXPECT_EQ(r.leaveChunk(), IO_ERROR);
    EXPECT_EQ(r.depth(), 1u);
}

// A data chunk larger than the file buffer: its header is already on disk when its length is
// known, and reading it back crosses buffer refills.
TEST(FileStreams, ChunksLargerThanTheBufferRoundTrip) {
    std::string path = "chunk_stream_" + std::to_string(GetCurrentProcessId()) + ".bin";
    std::vector<unsigned char> big(3 * FILE_BUFFER_SIZE + 17);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<unsigned char>(i * 31 + i / 977);
    {
        FileSink sink;
        ASSERT_TRUE(sink.create(path));
        ChunkWriter w(sink);
        w.startChunk(0x0010);
        uint32_t written = 0;
        for (size_t at = 0; at < big.size(); at += 100000) {
            uint32_t n = static_cast<uint32_t>(std::min<size_t>(100000, big.size() - at));
            w.writeBlock(big.data() + at, n, &written);
        }
        w.finishChunk();
        writeData(w, 0x0011, "tail", 4);
        ASSERT_FALSE(w.failed()) << w.error();
        ASSERT_TRUE(sink.close());
    }
    FileSource source;
    ASSERT_TRUE(source.open(path));
    EXPECT_EQ(source.size(), big.size() + 6 + 10);
    ChunkReader r(source);
    ASSERT_EQ(r.nextChunk(), IO_OK);
    EXPECT_EQ(r.remaining(), big.size());
    std::vector<unsigned char> head(1000);
    uint32_t got = 0;
    r.readBlock(head.data(), 1000, &got);
    EXPECT_EQ(std::memcmp(head.data(), big.data(), 1000), 0);
    EXPECT_EQ(r.leaveChunk(), IO_OK);  // skips far past the buffer
    ASSERT_EQ(r.nextChunk(), IO_OK);
    char tail[8] = {};
    r.readBlock(tail, 8, &got);
    EXPECT_EQ(got, 4u);
    EXPECT_STREQ(tail, "tail");

    FileSource again;
    ASSERT_TRUE(again.open(path));
    std::vector<unsigned char> all(again.size());
    EXPECT_EQ(again.read(all.data(), all.size()), all.size());
    EXPECT_EQ(std::memcmp(all.data() + 6, big.data(), big.size()), 0);
    uint32_t word;
    std::memcpy(&word, all.data() + 2, 4);
    EXPECT_EQ(word, big.size() + 6);
    DeleteFileA(path.c_str());
}

}  // namespace

TEST(FileStreams, OneFileIsKnownUnderEverySpellingOfItsPath) {
    ScratchFile file("identity", ".map"), other("identity-other", ".map");
    ASSERT_TRUE(writeFile(file.path(), "x", 1) && writeFile(other.path(), "y", 1));
    char full[MAX_PATH];
    GetFullPathNameA(file.path().c_str(), MAX_PATH, full, nullptr);
    std::string upper = file.path();
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const struct {
        std::string a, b;
        bool same;
    } pairs[] = {{file.path(), file.path(), true},
                 {file.path(), ".\\" + file.path(), true},
                 {file.path(), full, true},
                 {file.path(), upper, true},
                 {file.path(), other.path(), false},
                 {file.path(), "missing.map", false},
                 {"missing.map", "missing.map", false}};
    for (const auto& pair : pairs)
        EXPECT_EQ(sameFile(pair.a, pair.b), pair.same) << pair.a << " " << pair.b;
}
