// The check's rules: each with a scene that trips it and one that does not, and the
// report's form and order.
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include "entity_checks.h"
#include "mapfile_test_support.h"

namespace {

using Edit = std::function<void(EntityProps&)>;

HelperEntry helper(const char* name, const char* classname, const char* keyValueText = "",
                   Edit edit = {}, Point3 at = Point3()) {
    HelperEntry entry{name, at, makeRecord(classname, keyValueText), nullptr};
    if (edit) edit(entry.record.props);
    return entry;
}

// The helper with one kept brush, as an imported brush entity has.
HelperEntry withBrush(HelperEntry entry) {
    auto kept = std::make_shared<KeptEntity>();
    kept->brushes.push_back("{\n( 0 0 1 ) ( 0 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1\n}");
    entry.kept = kept;
    return entry;
}

Edit doorTarget(const char* name) {
    return [name](EntityProps& p) { std::strcpy(p.targetName, name); };
}

struct Rule {
    const char* name;
    std::vector<HelperEntry> trips, passes;
    Severity severity;
    const char* message;
};

std::vector<Rule> rules() {
    const Point3 here(16, 0, 0);
    return {
        {"a target no name matches",
         {helper("b", "func_button", "target|nowhere|")},
         {helper("b", "func_button", "target|d|"), helper("d", "func_door", "", doorTarget("d"))},
         Severity::Warning,
         "target \"nowhere\" matches no helper's target name"},
        {"a killtarget no name matches",
         {helper("b", "trigger_once", "killtarget|gone|")},
         {helper("b", "trigger_once", "killtarget|gone|"),
          helper("g", "info_null", "targetname|gone|")},
         Severity::Warning,
         "killtarget \"gone\" matches no"},
        {"a door nothing targets",
         {helper("d", "func_door", "", doorTarget("d"))},
         {helper("d", "func_door", "", doorTarget("d")), helper("b", "func_button", "target|d|")},
         Severity::Warning,
         "nothing targets the door's target name \"d\""},
        {"a teleporter without a target",
         {helper("t", "trigger_teleport")},
         {helper("t", "trigger_teleport", "target|x|"),
          helper("x", "info_teleport_destination", "targetname|x|")},
         Severity::Warning,
         "the teleporter has no target"},
        {"a destination without a target name",
         {helper("x", "info_teleport_destination")},
         {helper("x", "info_teleport_destination", "targetname|x|"),
          helper("t", "trigger_teleport", "target|x|")},
         Severity::Warning,
         "the teleport destination has no target name"},
        {"both keys",
         {helper("d", "func_door", "", [](EntityProps& p) { p.goldKey = p.silverKey = 1; })},
         {helper("d", "func_door", "", [](EntityProps& p) { p.goldKey = 1; })},
         Severity::Warning,
         "both Gold Key and Silver Key"},
        {"a classname outside the catalogue",
         {helper("w", "func_lava")},
         {helper("w", "func_wall")},
         Severity::Warning,
         "classname outside the catalogue"},
        {"more than sixteen pieces",
         {helper("w", "func_wall", "a|1|||||||||||||||x|")},
         {helper("w", "func_wall", "a|1||||||||||||||")},
         Severity::Warning,
         "splits into 17 pieces"},
        {"a value without a key",
         {helper("w", "func_wall", "|lost|")},
         {helper("w", "func_wall", "k|lost|")},
         Severity::Warning,
         "\"lost\" has no key"},
        {"a key twice",
         {helper("w", "func_wall", "k|1|k|2|")},
         {helper("w", "func_wall", "k|1|j|2|")},
         Severity::Warning,
         "\"k\" is set twice"},
        {"a key also on the page",
         {helper("d", "func_door", "speed|200|", [](EntityProps& p) { p.speed = 100; })},
         {helper("d", "func_door", "speed|200|")},
         Severity::Warning,
         "\"speed\" is also set on the page; the pair's value is exported"},
        {"a quote",
         {helper("w", "func_wall", "message|say \"hi\"|")},
         {helper("w", "func_wall", "message|say hi|")},
         Severity::Error,
         "the text of \"message\" holds a '\"'"},
        {"a light style outside the list",
         {helper("l", "light", "", [](EntityProps& p) { p.lightStyle = 12; })},
         {helper("l", "light", "", [](EntityProps& p) { p.lightStyle = 11; })},
         Severity::Warning,
         "light style 12 is outside the list"},
        {"a door sound outside the list",
         {helper("d", "func_door", "", [](EntityProps& p) { p.sounds = 5; })},
         {helper("d", "func_door", "", [](EntityProps& p) { p.sounds = 4; })},
         Severity::Warning,
         "sound 5 is outside the list"},
        {"door fields on a light",
         {helper("l", "light", "", [](EntityProps& p) { p.speed = 5; })},
         {helper("l", "light", "", [](EntityProps& p) { p.lightStyle = 5; })},
         Severity::Note,
         "door fields (speed) hold values kept from an earlier classname"},
        {"a brush entity without brushes",
         {helper("d", "func_door"), helper("t", "trigger_multiple")},
         {withBrush(helper("d", "func_door")), helper("r", "trigger_relay"),
          helper("c", "trigger_counter"), helper("l", "light")},
         Severity::Warning,
         "has no brushes: the game gives it no size"},
        {"a second world",
         {helper("w", "worldspawn"), helper("x", "worldspawn")},
         {helper("w", "worldspawn"), helper("x", "func_wall")},
         Severity::Error,
         "a second world"},
        {"a clone left in place",
         {helper("a", "func_wall", "", {}, here), helper("b", "func_wall", "", {}, here)},
         {helper("a", "func_wall", "", {}, here),
          helper("b", "func_wall", "", {}, Point3(16, 0, 1))},
         Severity::Warning,
         "at the same position as a"},
    };
}

bool reports(const std::vector<HelperEntry>& helpers, Severity severity, const std::string& text) {
    for (const CheckFinding& f : checkHelpers(helpers))
        if (f.severity == severity && f.message.find(text) != std::string::npos) return true;
    return false;
}

TEST(EntityChecks, EachRuleTripsOnItsSceneAndNotOnTheOther) {
    for (const Rule& rule : rules()) {
        EXPECT_TRUE(reports(rule.trips, rule.severity, rule.message)) << rule.name;
        EXPECT_FALSE(reports(rule.passes, rule.severity, rule.message)) << rule.name;
    }
}

TEST(EntityChecks, TheReportIsSortedByNodeAndOnlyNotesPass) {
    std::vector<CheckFinding> findings =
        checkHelpers({helper("zeta", "info_teleport_destination"), helper("alpha", "func_lava"),
                      helper("mid", "light", "", [](EntityProps& p) { p.speed = 1; })});
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(formatFinding(findings[0]),
              "alpha (func_lava): warning: classname outside the catalogue");
    EXPECT_EQ(findings[1].node, "mid");
    EXPECT_EQ(findings[2].node, "zeta");
    EXPECT_TRUE(reportFails(findings));
    EXPECT_FALSE(reportFails({findings[1]}));
    EXPECT_TRUE(checkHelpers({helper("n", "info_null"), helper("w", "worldspawn")}).empty());
}

TEST(EntityChecks, NamesInTheReportAreEscapedAsEveryMessageShowsThem) {
    std::vector<std::string> report;
    for (const CheckFinding& finding : checkHelpers(
             {helper("lava\r\x01", "func_lava"), helper("a\x7F", "light", "", {}, Point3(1, 0, 0)),
              helper("b", "light", "", {}, Point3(1, 0, 0))}))
        report.push_back(formatFinding(finding));
    EXPECT_EQ(report,
              (std::vector<std::string>{
                  "b (light): warning: at the same position as a\\x7F (a clone left in place?)",
                  "lava\\x0D\\x01 (func_lava): warning: classname outside the catalogue"}));
}

}  // namespace
