// The helper's chunks through the reference host's file streams: the bytes on disk, with
// the host's chunk headers (16-bit id, 32-bit length including the 6-byte header).
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "entity/entity_helper.h"
#include "scene/chunk_reader.h"
#include "scene/chunk_writer.h"
#include "test_files.h"

namespace {

void saveToFile(VexalEntityHelper& helper, const std::string& path) {
    FileSink out;
    ASSERT_TRUE(out.create(path));
    ChunkWriter writer(out);
    EXPECT_EQ(helper.Save(&writer), IO_OK);
    EXPECT_FALSE(writer.failed()) << writer.error();
    EXPECT_EQ(writer.depth(), 0u);
    ASSERT_TRUE(out.close());
}

IOResult loadFromFile(VexalEntityHelper& helper, const std::string& path, bool* streamFailed) {
    FileSource in;
    EXPECT_TRUE(in.open(path));
    ChunkReader reader(in);
    IOResult result = helper.Load(&reader);
    *streamFailed = reader.failed();
    EXPECT_EQ(reader.depth(), 0u);
    return result;
}

struct FieldChunk {
    uint16_t id;
    std::vector<unsigned char> bytes;
};

void writeChunks(const std::string& path, const std::vector<FieldChunk>& chunks) {
    FileSink out;
    ASSERT_TRUE(out.create(path));
    ChunkWriter writer(out);
    for (const FieldChunk& c : chunks) {
        uint32_t written = 0;
        writer.startChunk(c.id);
        writer.writeBlock(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()), &written);
        writer.finishChunk();
    }
    ASSERT_TRUE(out.close());
}

std::vector<unsigned char> header(uint16_t id, uint32_t length) {
    return {static_cast<unsigned char>(id),           static_cast<unsigned char>(id >> 8),
            static_cast<unsigned char>(length),       static_cast<unsigned char>(length >> 8),
            static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 24)};
}

void append(std::vector<unsigned char>& to, const std::vector<unsigned char>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

TEST(PersistenceFile, DoorSavesItsFourChunksWithHeadersOnDisk) {
    VexalEntityHelper door("func_door");
    door.showAxis = 0;
    door.axisLength = 35.5f;
    std::memset(&door.props, 0, sizeof door.props);
    door.props.goldKey = 1;
    ScratchFile file("door");
    saveToFile(door, file.path());

    std::vector<unsigned char> expected;
    append(expected, header(0x0100, 10));
    append(expected, {0x00, 0x00, 0x00, 0x00});
    append(expected, header(0x0110, 10));
    append(expected, {0x00, 0x00, 0x0E, 0x42});
    append(expected, header(0x0120, 86));
    append(expected, nameField("func_door"));
    append(expected, header(0x0130, 522));
    std::vector<unsigned char> record(516, 0);
    record[24] = 1;  // goldKey, a little-endian word at offset 24
    append(expected, record);
    EXPECT_EQ(readFileBytes(file.path()), expected);
}

TEST(PersistenceFile, ChunksInAnyOrderAndOfOddLengthsLoad) {
    std::vector<unsigned char> recordBytes(516, 0x3C);
    std::vector<unsigned char> offBytes(4, 0);
    float length = 12.5f;
    std::vector<unsigned char> lengthBytes(4);
    std::memcpy(lengthBytes.data(), &length, 4);

    struct Case {
        const char* what;
        std::vector<FieldChunk> chunks;
        const char* name;
        int index;
        int32_t showAxis;
        float axisLength;
        bool recordLoaded;
    } cases[] = {
        {"only the classname",
         {{0x0120, nameField("trigger_once")}},
         "trigger_once",
         84,
         1,
         20.0f,
         false},
        {"record before classname",
         {{0x0130, recordBytes}, {0x0120, nameField("func_door")}},
         "func_door",
         11,
         1,
         20.0f,
         true},
        {"an extra chunk 0x0140",
         {{0x0100, offBytes},
          {0x0140, std::vector<unsigned char>(33, 0x77)},
          {0x0110, lengthBytes},
          {0x0120, nameField("light_globe")}},
         "light_globe",
         52,
         0,
         12.5f,
         false},
        {"long chunks, each followed by another",
         {{0x0120, nameField("func_train", 120)},
          {0x0100, {0, 0, 0, 0, 9, 9}},
          {0x0130,
           [&] {
               auto b = recordBytes;
               b.resize(600, 0x11);
               return b;
           }()},
          {0x0110, lengthBytes}},
         "func_train",
         15,
         0,
         12.5f,
         true},
        {"a short record chunk and an empty axis chunk",
         {{0x0130, std::vector<unsigned char>(515, 0x3C)},
          {0x0100, {}},
          {0x0120, nameField("func_plat")}},
         "func_plat",
         16,
         1,
         20.0f,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchFile file("examples");
        writeChunks(file.path(), c.chunks);
        VexalEntityHelper h("light");
        bool streamFailed = true;
        EXPECT_EQ(loadFromFile(h, file.path(), &streamFailed), IO_OK);
        EXPECT_FALSE(streamFailed);
        EXPECT_STREQ(h.classname, c.name);
        EXPECT_EQ(h.classIndex, c.index);
        EXPECT_EQ(h.showAxis, c.showAxis);
        EXPECT_EQ(h.axisLength, c.axisLength);
        std::vector<unsigned char> expectedRecord(516, c.recordLoaded ? 0x3C : 0);
        EXPECT_EQ(std::memcmp(&h.props, expectedRecord.data(), 516), 0);
    }
}

TEST(PersistenceFile, RoundTripIsByteForByteIncludingReservedAreas) {
    VexalEntityHelper src("light");
    std::strcpy(src.classname, "item_armorInv");
    src.lookupClassIndex();
    src.showAxis = 0;
    src.axisLength = 1e-3f;
    auto* raw = reinterpret_cast<unsigned char*>(&src.props);
    for (size_t i = 0; i < sizeof src.props; ++i)
        raw[i] = static_cast<unsigned char>(255 - i % 251);
    ScratchFile first("first"), second("second");
    saveToFile(src, first.path());

    VexalEntityHelper copy("light");
    bool streamFailed = true;
    EXPECT_EQ(loadFromFile(copy, first.path(), &streamFailed), IO_OK);
    EXPECT_STREQ(copy.classname, "item_armorInv");
    EXPECT_EQ(copy.classIndex, src.classIndex);
    EXPECT_EQ(copy.showAxis, 0);
    EXPECT_EQ(copy.axisLength, 1e-3f);
    EXPECT_EQ(std::memcmp(&copy.props, &src.props, sizeof src.props), 0);
    EXPECT_EQ(std::memcmp(copy.props.reserved80, src.props.reserved80, 92), 0);

    saveToFile(copy, second.path());
    EXPECT_EQ(readFileBytes(second.path()), readFileBytes(first.path()));
    EXPECT_EQ(readFileBytes(first.path()).size(), 628u);
}

TEST(PersistenceFile, AChunkRunningPastTheFileStopsTheStreamNotTheHelper) {
    ScratchFile file("truncated");
    writeChunks(file.path(), {{0x0100, {0, 0, 0, 0}}, {0x0120, nameField("func_door")}});
    std::vector<unsigned char> bytes = readFileBytes(file.path());
    bytes.resize(bytes.size() - 1);  // the classname chunk now runs past the end
    {
        FileSink out;
        ASSERT_TRUE(out.create(file.path()));
        out.write(bytes.data(), bytes.size());
        ASSERT_TRUE(out.close());
    }
    VexalEntityHelper h("light");
    bool streamFailed = false;
    // The load loop ends at the failing chunk; the host learns of it from its stream.
    EXPECT_EQ(loadFromFile(h, file.path(), &streamFailed), IO_OK);
    EXPECT_TRUE(streamFailed);
    EXPECT_EQ(h.showAxis, 0);
    EXPECT_STREQ(h.classname, "light");
}

}  // namespace
