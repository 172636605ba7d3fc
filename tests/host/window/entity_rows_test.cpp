// The entity index and the entity list's rows over it: a node is read again only after it
// is said to have changed, and the rows follow every change once they are next shown.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include "entity/entity_helper.h"
#include "helper_nodes.h"
#include "session/entity_index.h"
#include "window/entity_rows.h"

namespace {

class EntityRowsTest : public testing::Test {
protected:
    Node* add(const char* kind, const char* name) {
        std::string error;
        Node* node = createHelperNode(scene, pluginRegistry(), kind, Point3(), error);
        EXPECT_NE(node, nullptr) << error;
        scene.rename(*node, name);
        index.nodeChanged(*node);
        return node;
    }
    // Changes a helper's data behind the index's back, as a page's typing does.
    template <size_t N>
    static void store(Node* node, char (EntityProps::*field)[N], const char* text) {
        auto* helper = static_cast<VexalEntityHelper*>(node->object());
        std::strncpy(helper->props.*field, text, N - 1);
    }
    std::vector<std::string> shown() {
        rows.update();
        std::vector<std::string> names;
        for (size_t i = 0; i < rows.size(); ++i) names.push_back(rows.at(i)->name());
        return names;
    }
    Scene scene;
    EntityIndex index{scene};
    EntityRows rows{index};
};

TEST_F(EntityRowsTest, TheIndexReadsANodeAgainOnlyAfterItChanged) {
    Node* door = add("Door", "gate");
    Node* trigger = add("Trigger Once", "hall");
    EXPECT_EQ(index.mark(*door)->classname, "func_door");
    store(door, &EntityProps::targetName, "vault");
    store(trigger, &EntityProps::keyValueText, "target|vault|");
    EXPECT_EQ(index.mark(*door)->targetName, "") << "not read again unasked";
    index.nodeChanged(*door);
    index.nodeChanged(*trigger);
    EXPECT_EQ(index.mark(*door)->targetName, "vault");
    ASSERT_EQ(index.links().arrows.size(), 1u) << "the trigger fires the door";
    scene.remove(trigger);
    EXPECT_EQ(index.marks().size(), 1u);
    EXPECT_TRUE(index.links().arrows.empty());
}

TEST_F(EntityRowsTest, RowsFollowTheFilterAndEveryChangeSortedByName) {
    add("Door", "b_door");
    Node* button = add("Button", "a_button");
    Node* lamp = add("VexalEntity", "c_light");
    using Names = std::vector<std::string>;
    EXPECT_EQ(shown(), (Names{"a_button", "b_door", "c_light"}));
    EXPECT_FALSE(rows.update()) << "nothing changed since";
    rows.setFilter("DOOR");
    EXPECT_EQ(shown(), Names{"b_door"}) << "a name or classname in any case";
    scene.rename(*lamp, "door_lamp");
    index.nodeChanged(*lamp);
    EXPECT_EQ(shown(), (Names{"b_door", "door_lamp"}));
    store(button, &EntityProps::keyValueText, "targetname|front_door|");
    index.nodeChanged(*button);
    EXPECT_EQ(shown(), (Names{"a_button", "b_door", "door_lamp"})) << "a target name matches";
    scene.remove(scene.find("b_door"));
    EXPECT_EQ(shown(), (Names{"a_button", "door_lamp"}));
    scene.clear();
    EXPECT_TRUE(shown().empty());
}

TEST(EntityRowsOrder, NamesSortNaturallyInAnyCase) {
    const std::vector<std::string> expected = {
        "door",      "Door1",   "door02",  "door2", "door10", "door100", "entity 2",
        "entity 10", "light_a", "Light_B", "x9y",   "x9y1",   "x10"};
    std::vector<std::string> names = expected;
    for (int round = 0; round < 3; ++round) {
        std::rotate(names.begin(), names.begin() + 5, names.end());
        std::reverse(names.begin(), names.end());
        std::sort(names.begin(), names.end(), rowOrder);
        EXPECT_EQ(names, expected);
    }
    EXPECT_FALSE(rowOrder("a", "a"));
}

}  // namespace
