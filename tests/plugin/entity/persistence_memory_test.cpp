// The helper's Save and Load against recording streams: the chunk sequence, the load loop,
// and how short, long and unterminated chunks are taken.
#include <gtest/gtest.h>
#include <cstring>
#include "entity/entity_helper.h"
#include "recording_streams.h"
#include "test_files.h"

namespace {

std::vector<unsigned char> bytesOf(const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    return std::vector<unsigned char>(b, b + n);
}

// The whole state that persistence may change, to compare helpers field by field.
void expectSameState(const VexalEntityHelper& a, const VexalEntityHelper& b) {
    EXPECT_EQ(std::memcmp(a.classname, b.classname, sizeof a.classname), 0);
    EXPECT_EQ(a.classIndex, b.classIndex);
    EXPECT_EQ(a.showAxis, b.showAxis);
    EXPECT_EQ(std::memcmp(&a.axisLength, &b.axisLength, 4), 0);
    EXPECT_EQ(std::memcmp(&a.props, &b.props, sizeof a.props), 0);
    EXPECT_EQ(a.creating, b.creating);
    EXPECT_EQ(a.extDispFlags, b.extDispFlags);
}

TEST(PersistenceSave, WritesTheFourFieldChunksInOrder) {
    VexalEntityHelper door("func_door");
    door.showAxis = 0;
    door.axisLength = 35.5f;
    RecordingSave save;
    EXPECT_EQ(door.Save(&save), IO_OK);

    EXPECT_EQ(save.calls,
              "start write finish start write finish start write finish start write finish ");
    ASSERT_EQ(save.chunks.size(), 4u);
    EXPECT_EQ(save.chunks[0].id, 0x0100);
    EXPECT_EQ(save.chunks[0].bytes, (std::vector<unsigned char>{0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(save.chunks[1].id, 0x0110);
    EXPECT_EQ(save.chunks[1].bytes, (std::vector<unsigned char>{0x00, 0x00, 0x0E, 0x42}));
    EXPECT_EQ(save.chunks[2].id, 0x0120);
    EXPECT_EQ(save.chunks[2].bytes, nameField("func_door"));
    EXPECT_EQ(save.chunks[3].id, 0x0130);
    ASSERT_EQ(save.chunks[3].bytes.size(), 516u);
    EXPECT_TRUE(allZero(save.chunks[3].bytes.data(), 516));  // a new helper's record
}

TEST(PersistenceLoad, OnlyTheClassnameChunkLeavesTheRestAtTheStartingValues) {
    VexalEntityHelper h("light");
    ScriptedLoad load({chunkOf(0x0120, nameField("trigger_once").data(), 80)});
    EXPECT_EQ(h.Load(&load), IO_OK);
    EXPECT_STREQ(h.classname, "trigger_once");
    EXPECT_EQ(h.classIndex, 84);
    EXPECT_EQ(h.showAxis, 1);
    EXPECT_EQ(h.axisLength, 20.0f);
    EXPECT_TRUE(allZero(&h.props, sizeof h.props));
}

TEST(PersistenceLoad, ChunksComeInAnyOrderUnknownIdsAreSkippedAndTheLaterChunkWins) {
    EntityProps record;
    std::memset(&record, 0x5A, sizeof record);
    int32_t off = 0, on = 1;
    float length = 7.25f;
    RecordedChunk propsChunk = chunkOf(0x0130, &record, sizeof record);
    RecordedChunk nameChunk = {0x0120, nameField("func_plat")};
    struct Case {
        const char* what;
        std::vector<RecordedChunk> script;
    } cases[] = {
        {"record before classname",
         {propsChunk, nameChunk, chunkOf(0x0110, &length, 4), chunkOf(0x0100, &off, 4)}},
        {"extra chunk 0x0140",
         {chunkOf(0x0100, &off, 4), chunkOf(0x0110, &length, 4), nameChunk,
          chunkOf(0x0140, "junk", 4), propsChunk}},
        {"later chunk wins",
         {chunkOf(0x0100, &on, 4),
          {0x0120, nameField("light_globe")},
          chunkOf(0x0100, &off, 4),
          chunkOf(0x0110, &length, 4),
          nameChunk,
          propsChunk}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VexalEntityHelper h("light");
        ScriptedLoad load(c.script);
        EXPECT_EQ(h.Load(&load), IO_OK);
        EXPECT_STREQ(h.classname, "func_plat");
        EXPECT_EQ(h.classIndex, 16);
        EXPECT_EQ(h.showAxis, 0);
        EXPECT_EQ(h.axisLength, 7.25f);
        EXPECT_EQ(std::memcmp(&h.props, &record, sizeof record), 0);
        EXPECT_EQ(load.leaves, static_cast<int>(c.script.size()));
    }
}

TEST(PersistenceLoad, AFailingLeaveEndsTheLoopWithItsResultKeepingWhatWasRead) {
    int32_t off = 0;
    float length = 3.0f;
    VexalEntityHelper h("light");
    ScriptedLoad load(
        {chunkOf(0x0100, &off, 4), {0x0120, nameField("func_door")}, chunkOf(0x0110, &length, 4)});
    load.failingLeave = 2;
    EXPECT_EQ(h.Load(&load), 7);
    EXPECT_EQ(h.showAxis, 0);
    EXPECT_STREQ(h.classname, "func_door");  // read before its close failed
    EXPECT_EQ(h.classIndex, 11);
    EXPECT_EQ(h.axisLength, 20.0f);  // never reached
    EXPECT_EQ(load.leaves, 2);
}

// Each field chunk cut short by one byte, and empty: the field keeps its starting value, as
// if the chunk were missing, and nothing around it changes.
TEST(PersistenceLoad, AShortChunkLeavesItsFieldAtTheStartingValue) {
    const uint16_t ids[] = {0x0100, 0x0110, 0x0120, 0x0130};
    const size_t sizes[] = {4, 4, 80, 516};
    for (int i = 0; i < 4; ++i) {
        for (size_t shortBy : {size_t{1}, sizes[i]}) {
            SCOPED_TRACE(testing::Message() << "chunk " << ids[i] << " short by " << shortBy);
            std::vector<unsigned char> bytes(sizes[i] - shortBy, 0x61);
            VexalEntityHelper h("func_door"), untouched("func_door");
            ScriptedLoad load({{ids[i], bytes}});
            EXPECT_EQ(h.Load(&load), IO_OK);
            expectSameState(h, untouched);
        }
    }
}

// Each field chunk 16 bytes too long: the field takes its own size, the rest is never read
// into the helper.
TEST(PersistenceLoad, ALongChunkFillsOnlyItsField) {
    const uint16_t ids[] = {0x0100, 0x0110, 0x0120, 0x0130};
    const size_t sizes[] = {4, 4, 80, 516};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(testing::Message() << "chunk " << ids[i]);
        std::vector<unsigned char> bytes(sizes[i] + 16, 0xEE);
        if (ids[i] == 0x0120) {
            bytes = nameField("func_button");
            bytes.resize(96, 0xEE);
        }
        VexalEntityHelper h("func_door"), expected("func_door");
        ScriptedLoad load({{ids[i], bytes}});
        EXPECT_EQ(h.Load(&load), IO_OK);
        EXPECT_EQ(load.requests, std::vector<uint32_t>{static_cast<uint32_t>(sizes[i])});
        switch (ids[i]) {
            case 0x0100:
                std::memset(&expected.showAxis, 0xEE, 4);
                break;
            case 0x0110:
                std::memset(&expected.axisLength, 0xEE, 4);
                break;
            case 0x0120:
                std::strcpy(expected.classname, "func_button");
                expected.classIndex = 14;
                break;
            default:
                std::memset(&expected.props, 0xEE, sizeof expected.props);
        }
        expectSameState(h, expected);
    }
}

TEST(PersistenceLoad, AnUnterminatedClassnameIsCutToSeventyNineCharacters) {
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
        const char* name;
        int index;
    } cases[] = {
        {"no terminator at all", std::vector<unsigned char>(80, 'q'), nullptr, 45},
        {"a catalogue name running into the last byte",
         [] {
             std::vector<unsigned char> b(80, 'x');
             std::memcpy(b.data(), "func_door", 9);
             return b;
         }(),
         nullptr, 45},
        {"a name with stray bytes behind its terminator",
         [] {
             std::vector<unsigned char> b(80, 'y');
             std::memcpy(b.data(), "trigger_once", 13);
             return b;
         }(),
         "trigger_once", 84},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VexalEntityHelper h("light");
        int32_t creatingBefore = h.creating;
        ScriptedLoad load({{0x0120, c.bytes}});
        EXPECT_EQ(h.Load(&load), IO_OK);
        EXPECT_EQ(h.classname[79], '\0');
        if (c.name)
            EXPECT_STREQ(h.classname, c.name);
        else
            EXPECT_EQ(std::memcmp(h.classname, c.bytes.data(), 79), 0);
        EXPECT_EQ(h.classIndex, c.index);
        EXPECT_EQ(h.creating, creatingBefore);
    }
}

TEST(PersistenceLoad, SaveThenLoadIntoANewHelperGivesBackEveryFieldByteForByte) {
    VexalEntityHelper src("light");
    std::strcpy(src.classname, "monster_ogre");
    src.lookupClassIndex();
    src.showAxis = 0;
    src.axisLength = -0.375f;
    auto* raw = reinterpret_cast<unsigned char*>(&src.props);
    for (size_t i = 0; i < sizeof src.props; ++i) raw[i] = static_cast<unsigned char>(i * 13 + 5);
    RecordingSave save;
    src.Save(&save);

    VexalEntityHelper copy("light");
    ScriptedLoad load(save.chunks);
    EXPECT_EQ(copy.Load(&load), IO_OK);
    expectSameState(copy, src);
    EXPECT_EQ(bytesOf(&copy.props, 516), bytesOf(&src.props, 516));
}

}  // namespace
