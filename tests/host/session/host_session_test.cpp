// The session as the window and the scripts both use it: each edit one step, and the state
// the window shows (the changed mark, Undo/Redo names, the pages' automation) read from it.
#include <gtest/gtest.h>
#include <functional>
#include "helper_nodes.h"
#include "test_files.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "session/entity_linking.h"
#include "session/host_session.h"
#include "session/page_editor.h"
#include "session/record_page_values.h"
#include "helper_chunks.h"
#include "panel/page_change.h"

namespace {

using Lines = std::vector<std::string>;

class SessionTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(session.start(error)) << error;
        session.setRedrawHandler([this] { modifiedAtRedraw.push_back(session.modified()); });
    }
    Node* create(const char* kind, const Point3& at, const char* name) {
        std::string error;
        Node* node = session.create(*session.findKind(kind), at, name, error);
        EXPECT_NE(node, nullptr) << error;
        return node;
    }
    // Sets a control of the shown pages by its label; the warning, if any.
    std::string set(const std::string& label, const std::string& value) {
        std::string error, warning;
        EXPECT_TRUE(setPageControl(session.pages().commandPanel(), label, value, error, warning))
            << label << ": " << error;
        return warning;
    }
    const EntityMark& mark(Node* node) { return *session.entities().mark(*node); }
    HostSession session;
    std::vector<bool> modifiedAtRedraw;
};

TEST_F(SessionTest, ASaveHasClearedTheChangedMarkWhenTheWindowRedraws) {
    create("Door", Point3(), "gate");
    ASSERT_TRUE(session.modified());
    modifiedAtRedraw.clear();
    std::string error;
    const std::string file = "session-save-test.vxs";
    ASSERT_TRUE(session.save(file, error)) << error;
    DeleteFileA(file.c_str());
    ASSERT_FALSE(modifiedAtRedraw.empty());
    EXPECT_FALSE(modifiedAtRedraw.back());
}

TEST_F(SessionTest, ANewEditEndsTheStepsThatWereUndone) {
    Node* door = create("Door", Point3(), "gate");
    set("Speed", "120");
    session.select({});  // the pages close: the edit is a step
    ASSERT_EQ(session.undo(), 1);
    EXPECT_EQ(session.redoName(), "func_door edit");

    session.select({door});
    set("Speed", "200");  // still open in the pages
    EXPECT_EQ(session.undoName(), "func_door edit");
    EXPECT_EQ(session.redoName(), "") << "no redo offered past an open edit";
    EXPECT_EQ(session.redo(), 0);

    ASSERT_EQ(session.undo(), 1);
    session.moveBy({door}, Point3(5, 0, 0));
    EXPECT_EQ(session.redoName(), "") << "nor past any other edit";
}

// A clone from the window and from a script is the same operation: beside its source,
// selected, one step.
TEST_F(SessionTest, ClonesLandBesideTheirSourcesSelectedAsOneStep) {
    Node* a = create("Door", Point3(0, 0, 0), "a");
    Node* b = create("Button", Point3(50, 0, 0), "b");
    std::string error;
    const std::vector<Node*> copies = session.clone({a, b}, "", error);
    ASSERT_EQ(copies.size(), 2u) << error;
    // One step of a new scene's grid beside.
    EXPECT_EQ(copies[0]->position(), a->position() + Point3(16, 0, 0));
    EXPECT_EQ(copies[1]->position(), b->position() + Point3(16, 0, 0));
    EXPECT_EQ(session.scene().selection(), copies);
    EXPECT_EQ(session.undoName(), "Clone");
    EXPECT_EQ(session.undo(), 1);
    EXPECT_EQ(session.scene().size(), 2u);
    EXPECT_TRUE(session.clone({a, b}, "one", error).empty()) << "a name is for one copy";
}

TEST_F(SessionTest, SelectAllTakesWhatCanBePickedAndUnhideAllIsOneStep) {
    Node* shown = create("Door", Point3(0, 0, 0), "shown");
    Node* hidden = create("Door", Point3(20, 0, 0), "hidden");
    Node* frozen = create("Door", Point3(40, 0, 0), "frozen");
    session.setHidden({hidden, frozen}, true);
    session.setFrozen({frozen}, true);
    session.selectAll();
    EXPECT_EQ(session.scene().selection(), std::vector<Node*>{shown});
    session.unhideAll();
    EXPECT_FALSE(hidden->hidden() || frozen->hidden());
    EXPECT_EQ(session.undoName(), "Unhide");
    session.undo();
    EXPECT_TRUE(hidden->hidden() && frozen->hidden());
}

// The pages worked by label, as scripts work them: each kind of control, and what a control
// that cannot take a value says.
TEST_F(SessionTest, PageControlsAreSetByTheLabelAUserReads) {
    create("Door", Point3(), "gate");
    const struct {
        const char* label;
        const char* value;
        bool taken;
        const char* shown;  // what the control shows afterwards
    } cases[] = {
        {"Speed", "120", true, "120"},       {"Speed", "5000", true, "999"},
        {"Speed", "fast", false, "999"},     {"Gold Key", "on", true, "1"},
        {"Gold Key", "maybe", false, "1"},   {"Target Name", "vault", true, "vault"},
        {"Key 1", "target", true, "target"}, {"No Such Label", "1", false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.label) + " = " + c.value);
        std::string error, warning;
        EXPECT_EQ(setPageControl(session.pages().commandPanel(), c.label, c.value, error, warning),
                  c.taken);
        EXPECT_EQ(error.empty(), c.taken) << error;
        if (c.shown) {
            EXPECT_EQ(controlValue(session.pages().commandPanel().findControl(c.label)), c.shown);
        }
    }
    const std::string pages = describePages(session.pages().commandPanel());
    for (const char* part : {"Speed", "999", "vault"})
        EXPECT_NE(pages.find(part), std::string::npos) << part << " in\n" << pages;
}

// Each source fires the target's name, the target named after its node when it had no
// name; the selection stays, and one undo takes the whole link back.
TEST_F(SessionTest, LinkingSetsTheTargetPairsThroughThePagesAsOneStep) {
    const struct {
        const char* name;
        std::vector<const char*> sourceKinds;
        const char* targetKind;
        const char* givenName;  // the target's name before the link ("" for none)
        const char* firedName;
    } cases[] = {
        {"a named door", {"Button"}, "Door", "vault", "vault"},
        {"an unnamed door", {"Button"}, "Door", "", "goal"},
        {"an unnamed helper of no door", {"Trigger Once"}, "Teleport Dest", "", "goal"},
        {"several sources", {"Button", "Trigger Once", "Move Plat"}, "Door", "", "goal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        session.reset();
        Node* target = create(c.targetKind, Point3(), "goal");
        if (*c.givenName) set("Target Name", c.givenName);
        std::vector<Node*> sources;
        for (const char* kind : c.sourceKinds)
            sources.push_back(create(kind, Point3(float(20 * sources.size() + 20), 0, 0), ""));
        session.select({sources[0]});
        set("Key 1", "target");  // a stale target of the first source is replaced
        set("Value 1", "elsewhere");
        session.select(sources);
        std::string error;
        ASSERT_TRUE(linkToTarget(session, sources, *target, error)) << error;
        EXPECT_EQ(mark(target).targetName, c.firedName);
        for (Node* source : sources) EXPECT_EQ(mark(source).targets, Lines{c.firedName});
        EXPECT_EQ(session.scene().selection(), sources);
        EXPECT_EQ(session.undoName(), "Link");
        ASSERT_EQ(session.undo(), 1);
        EXPECT_EQ(mark(target).targetName, c.givenName);
        EXPECT_EQ(mark(sources[0]).targets, Lines{"elsewhere"});
        for (size_t i = 1; i < sources.size(); ++i) EXPECT_TRUE(mark(sources[i]).targets.empty());
    }
}

TEST_F(SessionTest, ALinkThatCannotBeMadeChangesNothing) {
    Node* door = create("Door", Point3(), "gate");
    Node* full = create("Button", Point3(20, 0, 0), "full");
    for (int row = 1; row <= 8; ++row) set("Key " + std::to_string(row), "k");
    session.select({});
    const std::string before = session.undoName();
    std::string error;
    EXPECT_FALSE(linkToTarget(session, {door}, *door, error));
    EXPECT_NE(error.find("cannot fire itself"), std::string::npos) << error;
    EXPECT_FALSE(linkToTarget(session, {full}, *door, error));
    EXPECT_NE(error.find("no room"), std::string::npos) << error;
    EXPECT_EQ(session.undoName(), before);
    EXPECT_TRUE(mark(door).targetName.empty());
}

// The centre of the nodes' pivots lands on the point, each keeping its offset; one step.
TEST_F(SessionTest, MoveToPutsTheCentreOfThePivotsOnThePoint) {
    const struct {
        std::vector<Point3> from;
        Point3 to;
        std::vector<Point3> expected;
    } cases[] = {
        {{Point3(3, 4, 5)}, Point3(-12.5f, 96, 8), {Point3(-12.5f, 96, 8)}},
        {{Point3(0, 0, 0), Point3(20, 10, 0)},
         Point3(100, 100, 16),
         {Point3(90, 95, 16), Point3(110, 105, 16)}},
    };
    for (const auto& c : cases) {
        session.reset();
        std::vector<Node*> nodes;
        for (const Point3& p : c.from) nodes.push_back(create("Door", p, ""));
        session.moveTo(nodes, c.to);
        for (size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(nodes[i]->position(), c.expected[i]);
        EXPECT_EQ(session.undoName(), "Move");
        session.undo();
        for (size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(nodes[i]->position(), c.from[i]);
    }
}

// A move that would take a node beyond a float's range, or move a frozen one, is refused
// whole with why: nothing moves and no step is made. Pivots near the limit have a centre.
TEST_F(SessionTest, AMoveBeyondAFloatOrOfAFrozenNodeIsRefusedWhole) {
    Node* a = create("Door", Point3(0, 0, 0), "a");
    Node* b = create("Door", Point3(0, 0, 0), "b");
    ASSERT_TRUE(session.moveBy({a, b}, Point3(3e38f, 0, 0)));
    ASSERT_TRUE(session.moveTo({a, b}, Point3(3e38f, 0, 8)));
    const Point3 at(3e38f, 0, 8);
    EXPECT_EQ(a->position(), at);
    session.setFrozen({b}, true);
    const struct {
        const char* name;
        std::function<bool(std::string&)> move;
        const char* said;
    } refusals[] = {
        {"beyond a float", [&](std::string& why) { return session.moveBy({a}, at, &why); },
         "node 'a' beyond a float's range on x"},
        {"a frozen node",
         [&](std::string& why) {
             return session.moveTo({a, b}, Point3(1, 0, 0), &why);
         },
         "node 'b' is frozen"},
    };
    for (const auto& refusal : refusals) {
        const std::string step = session.undoName();
        const std::vector<Point3> before = {a->position(), b->position()};
        std::string why;
        EXPECT_FALSE(refusal.move(why)) << refusal.name;
        EXPECT_NE(why.find(refusal.said), std::string::npos) << refusal.name << ": " << why;
        EXPECT_EQ(session.undoName(), step) << refusal.name;
        EXPECT_EQ(a->position(), before[0]) << refusal.name;
        EXPECT_EQ(b->position(), before[1]) << refusal.name;
    }
}

// Helpers of three classes edited at once (the first's class twice, whose pages stay up for
// the second): each ends with the bytes the same edit gives it alone, where its pages have
// the control, and one undo takes all of it back.
TEST_F(SessionTest, AnEditOfSeveralHelpersIsEachOnesOwnEditAsOneStep) {
    const struct {
        const char* first;  // the kind whose pages show: it has the control
        const char* label;
        const char* value;
    } edits[] = {
        {"VexalEntity", "Slow Strobe", ""},    {"VexalEntity", "Axis", "off"},
        {"VexalEntity", "Length", "35"},       {"VexalEntity", "Value 2", "t1"},
        {"VexalEntity", "Class", "func_door"}, {"Door", "Target Name", "vault"},
        {"Door", "Sounds", "stone"},
    };
    auto chunks = [](const std::vector<Node*>& nodes) {
        std::vector<std::vector<unsigned char>> all;
        for (Node* n : nodes) all.push_back(saveObjectChunks(*n->object()));
        return all;
    };
    std::vector<Node*> together, alone;
    std::string first;
    for (const auto& e : edits) {
        SCOPED_TRACE(std::string(e.label) + " = " + e.value);
        if (first != e.first) {  // the first kind's helpers first in the scene
            first = e.first;
            session.reset();
            together.clear();
            alone.clear();
            std::vector<std::string> kinds = {first, first};
            for (const char* kind : {"Door", "VexalEntity", "Trigger Once"})
                if (first != kind) kinds.push_back(kind);
            for (size_t i = 0; i < kinds.size(); ++i) {
                const std::string n = std::to_string(i);
                together.push_back(create(kinds[i].c_str(), Point3(), ("t" + n).c_str()));
                alone.push_back(create(kinds[i].c_str(), Point3(), ("a" + n).c_str()));
            }
        }
        const auto before = chunks(together);
        session.select(together);
        set(e.label, e.value);
        const auto after = chunks(together);
        EXPECT_NE(after, before);
        EXPECT_EQ(session.undoName(), "Edit 4 helpers");
        ASSERT_EQ(session.undo(), 1);
        EXPECT_EQ(chunks(together), before);
        ASSERT_EQ(session.redo(), 1);
        EXPECT_EQ(chunks(together), after);
        for (Node* n : alone) {
            session.select({n});
            if (session.pages().commandPanel().findControl(e.label)) set(e.label, e.value);
        }
        session.select({});
        EXPECT_EQ(after, chunks(alone));
    }
}

// Differing values show as none until set; a control only some helpers' pages have counts
// for those only.
TEST_F(SessionTest, ThePagesOfSeveralHelpersShowWhereTheirValuesDiffer) {
    Node* a = create("Door", Point3(), "a");
    set("Speed", "100");
    set("Gold Key", "on");
    set("Target Name", "vault");
    set("Sounds", "stone");
    Node* b = create("Door", Point3(), "b");
    set("Speed", "200");
    set("Target Name", "vault");
    Node* c = create("Trigger Once", Point3(), "c");
    session.select({a, b, c});
    CommandPanel& panel = session.pages().commandPanel();
    EXPECT_EQ(panel.title(), "3 selected");
    const struct {
        const char* label;
        const char* shown;
    } controls[] = {
        {"Speed", ""},  {"Gold Key", ""},         {"Class", ""},
        {"Sounds", ""}, {"Target Name", "vault"}, {"Axis", "1"},
    };
    for (const auto& control : controls)
        EXPECT_EQ(controlValue(panel.findControl(control.label)), control.shown) << control.label;
    // The door stores its Sounds line whenever its list takes the focus: not the line none.
    const std::vector<unsigned char> before = saveObjectChunks(*a->object());
    focusControl(panel.findControl("Sounds"));
    EXPECT_EQ(saveObjectChunks(*a->object()), before);
    set("Gold Key", "off");
    EXPECT_EQ(controlValue(panel.findControl("Gold Key")), "0");
    session.select({a});
    EXPECT_EQ(panel.title(), "");
    EXPECT_EQ(controlValue(panel.findControl("Speed")), "100") << "the mixed show stored nothing";
    EXPECT_EQ(controlValue(panel.findControl("Gold Key")), "0");
    EXPECT_EQ(controlValue(panel.findControl("Sounds")), "stone");
}

// A text still being typed when the scene is read (a save, an export) is stored, as Enter
// would store it: on every selected helper, not the first alone.
TEST_F(SessionTest, TypingNotYetCommittedReachesEverySelectedHelper) {
    const std::vector<Node*> doors = {create("Door", Point3(), "a"), create("Door", Point3(), "b"),
                                      create("Door", Point3(), "c")};
    session.select(doors);
    focusControl(session.pages().commandPanel().findControl("Target Name"));
    for (char c : std::string("vault")) SendMessageA(GetFocus(), WM_CHAR, c, 1);
    session.pages().storeTyping();
    for (Node* door : doors) EXPECT_EQ(mark(door).targetName, "vault") << door->name();
    EXPECT_EQ(session.undoName(), "Edit 3 helpers");
}

// What a selection of several shows as differing is read from the records: for helpers of
// every page, what each one's own pages show is what its record says they show.
TEST_F(SessionTest, TheRecordsTellWhatThePagesShow) {
    const struct {
        const char* kind;
        std::vector<std::pair<const char*, const char*>> sets;
    } helpers[] = {
        {"Door", {}},
        {"Door",
         {{"Speed", "250"},
          {"Angle", "-1"},
          {"Target Name", "vault"},
          {"Sounds", "stone chain"},
          {"Message", "locked"},
          {"Gold Key", "on"},
          {"Toggle", "on"},
          {"Health", "30"}}},
        {"VexalEntity", {{"Off", ""}, {"Candle (1)", ""}, {"Axis", "off"}, {"Length", "35.5"}}},
        {"VexalEntity", {{"Class", "light_globe"}, {"Key 1", "_color"}, {"Value 1", "1 0.5 0"}}},
        {"Trigger Once", {{"Key 2", "target"}, {"Value 2", "t|x"}}},
    };
    for (const auto& h : helpers) {
        Node* node = create(h.kind, Point3(), "");
        for (const auto& [label, value] : h.sets) set(label, value);
        session.select({});
        session.select({node});
        HelperRecord record;
        std::string error;
        ASSERT_TRUE(readHelperRecord(*node->object(), record, error)) << error;
        const PageValues fromRecord = recordPageValues(record);
        for (const auto& [key, shown] : shownValues(session.pages().commandPanel())) {
            SCOPED_TRACE(std::string(h.kind) + ": " + key.first + " " + std::to_string(key.second));
            ASSERT_TRUE(fromRecord.count(key));
            EXPECT_EQ(fromRecord.at(key), shown);
        }
    }
}

// Many alike helpers among several: each ends in the bytes its own edit gives it, though
// only the first of them had its pages put up; the selection itself changes nothing.
TEST_F(SessionTest, AlikeHelpersOfAnEditEndAsTheirOwnEditsWouldLeaveThem) {
    std::vector<Node*> together, alone;
    for (const char* kind : {"Door", "VexalEntity", "VexalEntity", "VexalEntity", "Door", "Door"}) {
        together.push_back(create(kind, Point3(), ""));
        alone.push_back(create(kind, Point3(), ""));
    }
    auto chunks = [](const std::vector<Node*>& nodes) {
        std::vector<std::vector<unsigned char>> all;
        for (Node* n : nodes) all.push_back(saveObjectChunks(*n->object()));
        return all;
    };
    const auto before = chunks(together);
    const std::string lastStep = session.undoName();
    session.select(together);
    EXPECT_EQ(chunks(together), before) << "a selection stores nothing";
    EXPECT_EQ(session.undoName(), lastStep);
    set("Length", "42");
    set("Axis", "off");
    const auto after = chunks(together);
    ASSERT_EQ(session.undo(2), 2);
    EXPECT_EQ(chunks(together), before);
    ASSERT_EQ(session.redo(2), 2);
    EXPECT_EQ(chunks(together), after);
    for (Node* n : alone) {
        session.select({n});
        set("Length", "42");
        set("Axis", "off");
    }
    session.select({});
    EXPECT_EQ(after, chunks(alone));
}

// A grouped step that fails is taken back whole: moves, renames and page edits made in it
// are undone, no step is left, and the changed mark is as it was.
TEST_F(SessionTest, AnActionRolledBackLeavesTheSceneAndTheHistoryAsTheyWere) {
    Node* door = create("Door", Point3(), "gate");
    Node* lamp = create("VexalEntity", Point3(40, 0, 0), "lamp");
    std::string error;
    ScratchFile scene("rollback");
    ASSERT_TRUE(session.save(scene.path(), error)) << error;
    const std::vector<unsigned char> doorBefore = saveObjectChunks(*door->object());
    const std::string lastStep = session.undoName();
    {
        HostSession::Action step(session, "Link");
        session.moveBy({lamp}, Point3(16, 0, 0));
        ASSERT_TRUE(session.rename(lamp, "lantern", error)) << error;
        session.select({door});
        set("Target Name", "vault");
        step.rollBack();
    }
    EXPECT_EQ(lamp->position().x, 40);
    EXPECT_EQ(lamp->name(), "lamp");
    EXPECT_EQ(saveObjectChunks(*door->object()), doorBefore);
    EXPECT_EQ(mark(door).targetName, "");
    EXPECT_EQ(session.undoName(), lastStep);
    EXPECT_FALSE(session.modified());
}

}  // namespace
