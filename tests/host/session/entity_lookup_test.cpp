// What the window offers from the scene's entities: the classes found by part of their
// name with their counts, and the name a typed target is completed to.
#include <gtest/gtest.h>
#include "scene/scene.h"
#include "session/class_search.h"
#include "session/name_completion.h"

namespace {

EntityMark markOf(const char* classname, const char* targetName = "") {
    return EntityMark{nullptr, classname, targetName, {}, {}};
}

TEST(ClassSearch, FindsEveryClassHoldingTheTextWithItsCount) {
    const std::vector<EntityMark> marks = {markOf("func_door"), markOf("func_door"),
                                           markOf("light"), markOf("(unknown)")};
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"door", {"func_door (2)", "func_door_secret"}},
        {"LIGHT_F",
         {"light_flame_large_yellow", "light_flame_small_white", "light_flame_small_yellow",
          "light_fluoro", "light_fluorospark"}},
        {"unknown", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        for (const ClassCount& found : findClasses(c.text, marks))
            lines.push_back(classCountText(found));
        EXPECT_EQ(lines, c.lines) << c.text;
    }
    EXPECT_EQ(findClasses("", marks).size(), 98u) << "nothing typed: the whole catalogue";
}

TEST(NameCompletion, CompletesToTheFirstLongerNameOfTheScene) {
    Scene scene;
    Node* vault = scene.add(nullptr, Class_ID(0, 0), 0, "vault_door");
    const std::vector<EntityMark> marks = {{vault, "func_door", "vault", {}, {}},
                                           markOf("trigger_once", "valve")};
    const struct {
        const char* typed;
        const char* completed;
    } cases[] = {
        {"va", "valve"},    {"vau", "vault"}, {"vault", "vault_door"},
        {"vault_door", ""}, {"", ""},         {"V", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(completeName(c.typed, marks), c.completed) << c.typed;
}

}  // namespace
