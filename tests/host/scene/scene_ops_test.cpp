// Creating, cloning, deleting and listing helper nodes through the real plug-in.
#include "scene_test_support.h"
#include "entity/entity_helper.h"
#include "scene/scene_ops.h"

namespace {

VexalEntityHelper* helperOf(Node* node) { return static_cast<VexalEntityHelper*>(node->object()); }

TEST(SceneOps, CreatesAHelperOfEachKindNamedAfterItAtItsPosition) {
    const struct {
        const char* kind;
        const char* preset;
    } kinds[] = {{"VexalEntity", "light"},
                 {"Door", "func_door"},
                 {"Secret Door", "func_door_secret"},
                 {"Trigger Once", "trigger_once"},
                 {"Teleport Dest", "info_teleport_destination"}};
    Scene scene;
    std::string error;
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        Node* node = createHelperNode(scene, pluginRegistry(), k.kind, Point3(1, 2, 3), error);
        ASSERT_NE(node, nullptr) << error;
        EXPECT_EQ(node->name, std::string(k.kind) + "001");
        EXPECT_EQ(node->position(), Point3(1, 2, 3));
        EXPECT_STREQ(helperOf(node)->classname, k.preset);
        // Every helper answers the first kind's class id; that is what a file records.
        EXPECT_EQ(node->classId, Class_ID(0x41D53AFE, 0x616C0F57));
        EXPECT_EQ(node->superClassId, 0x50u);
    }
    Node* second = createHelperNode(scene, pluginRegistry(), "door", Point3(), error);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name, "Door002");
    EXPECT_EQ(createHelperNode(scene, pluginRegistry(), "Teapot", Point3(), error), nullptr);
    EXPECT_EQ(error, "\"Teapot\": no plug-in offers this kind");
    EXPECT_EQ(scene.size(), 6u);
}

TEST(SceneOps, CloneCopiesTheObjectAndTransformUnderTheNextName) {
    Scene scene;
    std::string error;
    Node* door = createHelperNode(scene, pluginRegistry(), "Door", Point3(5, 6, 7), error);
    helperOf(door)->axisLength = 4.0f;
    helperOf(door)->props.speed = 250;
    door->transform.RotateX(1.0f);
    Node* copy = cloneNode(scene, *door, error);
    ASSERT_NE(copy, nullptr) << error;
    EXPECT_EQ(copy->name, "Door002");
    EXPECT_NE(copy->object(), door->object());
    EXPECT_TRUE(copy->transform == door->transform);
    EXPECT_STREQ(helperOf(copy)->classname, "func_door");
    EXPECT_EQ(helperOf(copy)->axisLength, 4.0f);
    EXPECT_EQ(helperOf(copy)->props.speed, 250);
    EXPECT_EQ(copy->classId, door->classId);

    Node* stored = scene.add(nullptr, Class_ID(3, 4), 0x50, "Stranger001");
    stored->opaqueData = {6, 0, 6, 0, 0, 0};
    Node* storedCopy = cloneNode(scene, *stored, error);
    ASSERT_NE(storedCopy, nullptr);
    EXPECT_EQ(storedCopy->name, "Stranger002");
    EXPECT_TRUE(storedCopy->isOpaque());
    EXPECT_EQ(storedCopy->opaqueData, stored->opaqueData);
    EXPECT_EQ(storedCopy->classId, Class_ID(3, 4));

    deleteNode(scene, door);
    EXPECT_EQ(scene.find("Door001"), nullptr);
    EXPECT_EQ(scene.size(), 3u);
}

TEST(SceneOps, ListsNodesWithTheirClassNamesKindsAndState) {
    Scene scene;
    std::string error;
    createHelperNode(scene, pluginRegistry(), "Button", Point3(1.5f, 0, -2), error);
    Node* stored = scene.add(nullptr, Class_ID(3, 4), 0x50, "Stranger001");
    stored->hidden = true;
    std::vector<NodeListing> list = listNodes(scene, pluginRegistry());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "Button001");
    EXPECT_EQ(list[0].className, "VexalEntityHelper");
    EXPECT_EQ(list[0].kindName, "VexalEntity");
    EXPECT_EQ(list[0].position, Point3(1.5f, 0, -2));
    EXPECT_FALSE(list[0].opaque);
    EXPECT_EQ(list[1].className, "");
    EXPECT_EQ(list[1].kindName, "");
    EXPECT_TRUE(list[1].opaque);
    EXPECT_TRUE(list[1].hidden);

    std::string text = formatNodeList(list);
    EXPECT_NE(text.find("Button001"), std::string::npos);
    EXPECT_NE(text.find("VexalEntityHelper"), std::string::npos);
    EXPECT_NE(text.find("0x41D53AFE,0x616C0F57"), std::string::npos);
    EXPECT_NE(text.find("(1.5, 0, -2)"), std::string::npos);
    EXPECT_NE(text.find("hidden stored-bytes"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

// A name is the file's bytes: a line break in one must not make a second row, nor a
// megabyte a megabyte-long line.
TEST(SceneOps, ListingsShowNamesEscapedAndCut) {
    Scene scene;
    scene.add(nullptr, Class_ID(3, 4), 0x50, "fake\nrow\x7f");
    scene.add(nullptr, Class_ID(3, 4), 0x50, std::string(1 << 20, 'n'));
    std::string text = formatNodeList(listNodes(scene, pluginRegistry()));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find("fake\\x0Arow\\x7F "), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(64, 'n') + "... "), std::string::npos);
    EXPECT_LT(text.size(), 1000u);
}

}  // namespace
