// The reference host end to end: a door, a light and a trigger edited through their pages
// as a user does (each helper with its own pages as the selection moves), the scene
// saved, loaded by a fresh host process and saved again; every chunk of every helper is
// compared byte for byte with what the edits should have stored.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "host_process.h"
#include "session/host_session.h"
#include "session/page_editor.h"
#include "class_page_input.h"
#include "entity_props.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "scene/chunk_format.h"
#include "scene/chunk_reader.h"

namespace {

using Bytes = std::vector<unsigned char>;
using ObjectChunks = std::map<uint16_t, Bytes>;

// Node name -> the object's chunks, by id, as the scene file holds them.
std::map<std::string, ObjectChunks> helperChunks(const std::string& file) {
    const Bytes bytes(file.begin(), file.end());
    MemorySource source(bytes);
    source.skip(14);  // the file header chunk
    ChunkReader in(source);
    std::map<std::string, ObjectChunks> nodes;
    while (in.nextChunk() == IO_OK) {
        if (in.chunkId() == SCENE_CHUNK_NODE) {
            std::string name;
            ObjectChunks chunks;
            while (in.nextChunk() == IO_OK) {
                if (in.chunkId() == SCENE_CHUNK_NODE_NAME) in.readRest(name);
                if (in.chunkId() == SCENE_CHUNK_NODE_OBJECT)
                    while (in.nextChunk() == IO_OK) {
                        in.readRest(chunks[in.chunkId()]);
                        in.leaveChunk();
                    }
                in.leaveChunk();
            }
            nodes[name] = chunks;
        }
        in.leaveChunk();
    }
    EXPECT_FALSE(in.failed()) << in.error();
    return nodes;
}

template <typename T>
Bytes bytesOf(const T& value) {
    Bytes bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

// The four chunks a helper with these settings writes.
ObjectChunks expectedChunks(const char* classname, int32_t showAxis, float axisLength,
                            const EntityProps& props) {
    char name[80] = {};
    std::strcpy(name, classname);
    return {{0x0100, bytesOf(showAxis)},
            {0x0110, bytesOf(axisLength)},
            {0x0120, bytesOf(name)},
            {0x0130, bytesOf(props)}};
}

EntityProps emptyRecord() {
    EntityProps props;
    std::memset(&props, 0, sizeof props);
    return props;
}

std::string keyValueText(std::vector<std::string> cells) {
    cells.resize(16);
    std::string text;
    for (const std::string& cell : cells) text += cell + "|";
    return text;
}

class ClassPagesEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(session.start(error)) << error;
        folder = makeScratchFolder("class-pages");
    }

    Node* create(const char* kind, const char* name, float x) {
        std::string error;
        const PluginKind* found = session.findKind(kind);
        EXPECT_NE(found, nullptr) << kind;
        Node* node = found ? session.create(*found, Point3(x, 0, 0), name, error) : nullptr;
        EXPECT_NE(node, nullptr) << error;
        return node;
    }

    HWND page(const char* title) {
        HWND found = session.pages().commandPanel().page(title);
        EXPECT_NE(found, nullptr) << title;
        return found;
    }
    std::vector<std::string> titles() { return session.pages().commandPanel().pageTitles(); }
    HWND labelled(const char* label) {
        HWND found = session.pages().commandPanel().findControl(label);
        EXPECT_NE(found, nullptr) << label;
        return found;
    }
    HWND spinnerOf(const char* label) {
        return GetDlgItem(page("Door Params"), GetDlgCtrlID(labelled(label)) + 1);
    }
    HWND cell(const char* name) {
        HWND found = findLabelledControl(page("Map Parameters"), name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    HostSession session;
    std::string folder;
};

TEST_F(ClassPagesEndToEnd, PageEditsOfADoorALightAndATriggerSurviveSaveAndLoadByteForByte) {
    Node* door = create("Door", "door", 0);
    Node* lamp = create("VexalEntity", "lamp", 40);
    Node* trigger = create("Trigger Once", "trigger", 80);

    // The door, through all three of its pages.
    session.select({door});
    EXPECT_EQ(titles(), (std::vector<std::string>{"Parameters", "Door Params", "Map Parameters"}));
    typeIntoField(labelled("Angle"), "270");
    clickSpinnerArrow(spinnerOf("Angle"), false);
    dragSpinnerUp(spinnerOf("Speed"), 50);
    clickSpinnerArrow(spinnerOf("Wait"), false);
    clickSpinnerArrow(spinnerOf("Wait"), false);  // stays at the lower limit -1
    typeIntoField(labelled("Lip"), "12");
    typeIntoField(labelled("Health"), "40");
    for (int i = 0; i < 3; ++i) clickSpinnerArrow(spinnerOf("Damage"), true);
    typeIntoField(labelled("Target Name"), "vault_door");
    ASSERT_TRUE(clickListItem(labelled("Sounds"), "base"));
    clickButton(labelled("Toggle"));
    clickButton(labelled("Gold Key"));
    clickButton(labelled("Start Open"));
    clickButton(labelled("Start Open"));
    clickButton(labelled("Silver Key"));
    clickButton(labelled("Axis"));
    typeIntoField(labelled("Length"), "35");
    typeWithoutCommit(cell("Key 1"), "target");
    typeIntoField(cell("Value 1"), "t1");
    typeIntoField(cell("Key 3"), "delay");
    typeWithoutCommit(cell("Value 3"), "1.5");
    typeWithoutCommit(labelled("Message"), "Locked tight");  // kept by the end-of-edit read-back

    // Straight on to the light: its own pages, and the door's pairs stay with the door.
    session.select({lamp});
    EXPECT_EQ(titles(), (std::vector<std::string>{"Parameters", "Light Params", "Map Parameters"}));
    EXPECT_EQ(controlValue(cell("Key 1")), "");
    EXPECT_EQ(controlValue(cell("Value 3")), "");
    typeIntoField(cell("Key 2"), "style");
    typeIntoField(cell("Value 2"), "fast");

    // On to the trigger, which has no class page.
    session.select({trigger});
    EXPECT_EQ(titles(), (std::vector<std::string>{"Parameters", "Map Parameters"}));
    EXPECT_EQ(controlValue(cell("Key 2")), "");
    typeIntoField(cell("Key 1"), "wait");
    typeWithoutCommit(cell("Value 1"), "2");

    // Back to the light, which shows what it was given.
    session.select({lamp});
    EXPECT_EQ(controlValue(cell("Value 2")), "fast");
    clickButton(labelled("Off"));
    clickButton(labelled("Candle (2)"));
    session.select({});

    std::string error;
    ASSERT_TRUE(session.save(folder + "\\edited.vxs", error)) << error;

    EntityProps doorProps = emptyRecord();
    doorProps.angle = 269;
    doorProps.speed = 5;
    doorProps.wait = -1;
    doorProps.lip = 12;
    doorProps.health = 40;
    doorProps.damage = 3;
    std::strcpy(doorProps.targetName, "vault_door");
    std::strcpy(doorProps.message, "Locked tight");
    doorProps.sounds = 2;
    doorProps.toggle = 1;
    doorProps.goldKey = 1;
    doorProps.silverKey = 1;
    std::strcpy(doorProps.keyValueText,
                keyValueText({"target", "t1", "", "", "delay", "1.5"}).c_str());
    EntityProps lampProps = emptyRecord();
    lampProps.lightFlags = 1;
    lampProps.lightStyle = 7;
    std::strcpy(lampProps.keyValueText, keyValueText({"", "", "style", "fast"}).c_str());
    EntityProps triggerProps = emptyRecord();
    std::strcpy(triggerProps.keyValueText, keyValueText({"wait", "2"}).c_str());
    const std::map<std::string, ObjectChunks> expected = {
        {"door", expectedChunks("func_door", 0, 35.0f, doorProps)},
        {"lamp", expectedChunks("light", 1, 20.0f, lampProps)},
        {"trigger", expectedChunks("trigger_once", 1, 20.0f, triggerProps)},
    };
    const std::map<std::string, ObjectChunks> saved =
        helperChunks(readFile(folder + "\\edited.vxs"));
    for (const auto& [name, chunks] : expected) {
        ASSERT_TRUE(saved.count(name)) << name;
        for (const auto& [id, bytes] : chunks)
            EXPECT_EQ(saved.at(name).at(id), bytes) << name << " chunk " << chunkIdText(id);
        EXPECT_EQ(saved.at(name).size(), 4u) << name;
    }

    writeFile(folder + "\\reload.script", "load edited.vxs\nsave reloaded.vxs\n");
    HostRun reload = runHost("run reload.script", folder);
    ASSERT_EQ(reload.exitCode, 0) << reload.err;
    EXPECT_EQ(helperChunks(readFile(folder + "\\reloaded.vxs")), saved)
        << "a fresh host loads every field and writes it back unchanged";
}

}  // namespace
