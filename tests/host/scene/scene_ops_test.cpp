// Creating, cloning, deleting and listing helper nodes through the real plug-in.
#include <algorithm>
#include "scene_test_support.h"
#include "scene/scene_ops.h"
#include "scene/storable_node.h"

namespace {

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
        std::string base = k.kind;  // the kind's name without blanks
        base.erase(std::remove(base.begin(), base.end(), ' '), base.end());
        EXPECT_EQ(node->name(), base + "001");
        EXPECT_EQ(node->position(), Point3(1, 2, 3));
        EXPECT_STREQ(helperOf(node)->classname, k.preset);
        // Every helper answers the first kind's class id; that is what a file records.
        EXPECT_EQ(node->classId(), Class_ID(0x41D53AFE, 0x616C0F57));
        EXPECT_EQ(node->superClassId(), 0x50u);
    }
    Node* second = createHelperNode(scene, pluginRegistry(), "door", Point3(), error);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name(), "Door002");
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
    Matrix3 turned = door->transform();
    turned.RotateX(1.0f);
    scene.setTransform(*door, turned);
    Node* copy = cloneNode(scene, *door, error);
    ASSERT_NE(copy, nullptr) << error;
    EXPECT_EQ(copy->name(), "Door002");
    EXPECT_NE(copy->object(), door->object());
    EXPECT_TRUE(copy->transform() == door->transform());
    EXPECT_STREQ(helperOf(copy)->classname, "func_door");
    EXPECT_EQ(helperOf(copy)->axisLength, 4.0f);
    EXPECT_EQ(helperOf(copy)->props.speed, 250);
    EXPECT_EQ(copy->classId(), door->classId());

    Node* stored = scene.add(nullptr, Class_ID(3, 4), 0x50, "Stranger001");
    scene.setOpaqueData(*stored, {6, 0, 6, 0, 0, 0});
    Node* storedCopy = cloneNode(scene, *stored, error);
    ASSERT_NE(storedCopy, nullptr);
    EXPECT_EQ(storedCopy->name(), "Stranger002");
    EXPECT_TRUE(storedCopy->isOpaque());
    EXPECT_EQ(storedCopy->opaqueData(), stored->opaqueData());
    EXPECT_EQ(storedCopy->classId(), Class_ID(3, 4));

    // A clone of a node whose name fills the stored name's room still has a name that saves.
    const std::string longest = std::string(NODE_NAME_MAX_BYTES - 2, 'x') + "\xC3\xA9";
    for (const std::string& name : {longest, longest.substr(0, 250), std::string("Door")}) {
        Node* source = scene.add(nullptr, Class_ID(3, 4), 0x50, name);
        Node* clone = cloneNode(scene, *source, error);
        ASSERT_NE(clone, nullptr);
        EXPECT_EQ(nameLengthProblem(clone->name().size()), "") << clone->name().size();
        EXPECT_EQ(clone->name().rfind(name.substr(0, 200), 0), 0u) << "keeps the name's start";
    }
}

}  // namespace
