// Undo and redo of every kind of step on a scene of the real plug-in's helpers.
#include <functional>
#include "scene/scene_history.h"
#include "scene/scene_ops.h"
#include "scene_test_support.h"

namespace {

// Everything a step may change, as one comparable text.
std::string stateOf(const Scene& scene) {
    std::string s;
    for (const auto& n : scene.nodes()) {
        Point3 p = n->position();
        s += n->name() + " " + std::to_string(p.x) + "," + std::to_string(p.y) + "," +
             std::to_string(p.z) + (n->frozen() ? " F" : "") + (n->hidden() ? " H" : "") + " [";
        for (unsigned char b : saveObjectChunks(*n->object())) s += std::to_string(b) + ".";
        s += "]\n";
    }
    return s;
}

// A door, a light and a trigger at (10, 20, 0), with a history.
struct ThreeHelpers {
    ThreeHelpers() {
        for (const char* kind : {"Door", "VexalEntity", "Trigger Once"}) {
            std::string error;
            EXPECT_NE(createHelperNode(scene, pluginRegistry(), kind, Point3(10, 20, 0), error),
                      nullptr)
                << error;
        }
        a = scene.nodes()[0].get();
        b = scene.nodes()[1].get();
    }
    Scene scene;
    SceneHistory history{scene};
    Node *a = nullptr, *b = nullptr;
};

class History : public testing::Test, public ThreeHelpers {};

TEST_F(History, EveryKindOfStepUndoesAndRedoesExactly) {
    std::string error;
    const struct {
        const char* name;
        std::function<void(ThreeHelpers&)> act;
    } actions[] = {
        {"Create",
         [&](ThreeHelpers& t) {
             t.history.add("Create", {createHelperNode(t.scene, pluginRegistry(), "Button",
                                                       Point3(), error)});
         }},
        {"Clone",
         [&](ThreeHelpers& t) { t.history.add("Clone", {cloneNode(t.scene, *t.b, error)}); }},
        {"Delete",
         [](ThreeHelpers& t) {
             t.history.remove({t.b, t.a});
         }},
        {"Move",
         [](ThreeHelpers& t) {
             t.history.moveBy({t.a, t.b}, Point3(5, 5, 5));
         }},
        {"Rename", [](ThreeHelpers& t) { t.history.rename(t.a, "gold_door"); }},
        {"Freeze",
         [](ThreeHelpers& t) {
             t.history.setFlag({t.a, t.b}, SceneHistory::Flag::Frozen, true);
         }},
        {"Hide",
         [](ThreeHelpers& t) { t.history.setFlag({t.b}, SceneHistory::Flag::Hidden, true); }},
        {"Door edit",
         [](ThreeHelpers& t) {
             // The light's chunks given to the door: every byte of the door's data changes.
             std::vector<unsigned char> before = saveObjectChunks(*t.a->object());
             ASSERT_TRUE(loadObjectChunks(*t.a->object(), saveObjectChunks(*t.b->object())));
             t.history.objectEdited("Door edit", t.a, before);
         }},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.name);
        ThreeHelpers t;
        const std::string before = stateOf(t.scene);
        action.act(t);
        const std::string after = stateOf(t.scene);
        ASSERT_NE(after, before);
        EXPECT_EQ(t.history.undoName(), action.name);
        EXPECT_EQ(t.history.undo(), 1);
        EXPECT_EQ(stateOf(t.scene), before);
        EXPECT_EQ(t.history.redoName(), action.name);
        EXPECT_EQ(t.history.redo(), 1);
        EXPECT_EQ(stateOf(t.scene), after);
    }
}

TEST_F(History, StepsThatChangeNothingAreNotKept) {
    EXPECT_FALSE(history.moveBy({a}, Point3(0, 0, 0)));
    EXPECT_FALSE(history.rename(a, a->name()));
    EXPECT_FALSE(history.setFlag({a}, SceneHistory::Flag::Hidden, false));
    EXPECT_FALSE(history.objectEdited("Door edit", a, saveObjectChunks(*a->object())));
    EXPECT_FALSE(history.canUndo());
}

TEST_F(History, DeletedNodesComeBackAsTheSameNodesInTheirPlaces) {
    Node* c = scene.nodes()[2].get();
    history.remove({a, c});
    EXPECT_EQ(scene.size(), 1u);
    history.undo();
    ASSERT_EQ(scene.size(), 3u);
    EXPECT_EQ(scene.nodes()[0].get(), a);
    EXPECT_EQ(scene.nodes()[1].get(), b);
    EXPECT_EQ(scene.nodes()[2].get(), c);
}

TEST_F(History, TheCleanMarkFollowsUndoAndIsLostWithTheRedoBranch) {
    history.markClean();
    history.setFlag({a}, SceneHistory::Flag::Hidden, true);
    EXPECT_FALSE(history.isClean());
    history.undo();
    EXPECT_TRUE(history.isClean());
    history.redo();
    EXPECT_FALSE(history.isClean());
    history.undo();
    history.setFlag({b}, SceneHistory::Flag::Frozen, true);  // a new branch
    history.undo();
    EXPECT_TRUE(history.isClean());

    history.markClean();
    history.undo();  // nothing to undo: still clean
    history.setFlag({a}, SceneHistory::Flag::Frozen, true);
    history.markClean();
    history.undo();
    history.setFlag({b}, SceneHistory::Flag::Hidden, true);  // the clean state is undone away
    EXPECT_FALSE(history.isClean());
    history.undo();
    EXPECT_FALSE(history.isClean());
}

TEST_F(History, TwoHundredMovesOfOneNodeKeepTheMovesNotTheScene) {
    for (int i = 0; i < 997; ++i) {
        std::string error;
        createHelperNode(scene, pluginRegistry(), "Door", Point3(), error);
    }
    for (int i = 0; i < 200; ++i) history.moveBy({a}, Point3(1, 0, 0));
    EXPECT_EQ(history.size(), 200u);
    EXPECT_LE(history.bytesKept(), 200u * 2 * sizeof(Matrix3) + 200u * 64);
    EXPECT_EQ(history.undo(200), 200);
    EXPECT_EQ(a->position(), Point3(10, 20, 0));
    EXPECT_EQ(history.redo(500), 200);
    EXPECT_EQ(a->position(), Point3(210, 20, 0));
}

TEST_F(History, OldestStepsGiveWayAtTheLimit) {
    SceneHistory small(scene, 3);
    for (int i = 0; i < 5; ++i) small.setFlag({a}, SceneHistory::Flag::Hidden, i % 2 == 0);
    EXPECT_EQ(small.size(), 3u);
    EXPECT_EQ(small.undo(10), 3);
    EXPECT_FALSE(a->hidden()) << "back to the state after the second step, the oldest kept";
}

// Repeated changes of a large node's kept bytes: the history stays within its bytes, the
// latest steps kept, and the bytes of undone steps a new one ends are no longer counted.
TEST_F(History, OldestStepsGiveWayAtTheByteLimit) {
    constexpr size_t large = 100000, budget = 1000000;
    SceneHistory bounded(scene, 1000, budget);
    for (int i = 0; i < 300; ++i)
        bounded.setKept("Box Brush", {{a, std::make_shared<const std::vector<unsigned char>>(
                                              large + i, static_cast<unsigned char>(i))}});
    EXPECT_LE(bounded.bytesKept(), budget);
    EXPECT_GE(bounded.size(), 4u);
    EXPECT_EQ(bounded.undo(), 1);
    EXPECT_EQ(a->kept()->size(), large + 298);
    bounded.moveBy({a}, Point3(1, 0, 0));
    EXPECT_LE(bounded.bytesKept(), budget);
}

}  // namespace
