// An import's warnings summed up by kind, and the bound on every message box's text.
#include <gtest/gtest.h>
#include "session/import_report.h"
#include "ui/message_box.h"

namespace {

TEST(ImportReport, SumsUpFindingsByKindWithTheirFirstPlaceAndAFewExamples) {
    ImportReport report;
    for (int i = 0; i < 2966; ++i)
        report.add({"l.map:" + std::to_string(412 + i * 9), false,
                    "func_detail: the classname \"func_detail\" is not in the catalogue; kept",
                    "n" + std::to_string(i)});
    // Other keys and numbers are the same complaint; an error is a kind of its own.
    report.add({"l.map:5", false, "light: the pair \"_color\" is left out: a later line", ""});
    report.add({"l.map:7", false, "light: the pair \"wait\" is left out: a later line", ""});
    report.add({"l.map:9:12", true, "door: the brush number 1e39 is out of range", ""});
    EXPECT_EQ(report.summary(),
              (std::vector<std::string>{
                  "2,966 warnings like: func_detail: the classname \"func_detail\" is not in "
                  "the catalogue; kept (first at l.map:412)",
                  "2 warnings like: light: the pair \"_color\" is left out: a later line "
                  "(first at l.map:5)",
                  "l.map:9:12: error: door: the brush number 1e39 is out of range"}));
    const std::vector<std::string> lines = report.lines(IMPORT_EXAMPLES);
    EXPECT_EQ(lines.size(), 3u + IMPORT_EXAMPLES + 2);
    EXPECT_EQ(lines[3],
              "  l.map:412: warning: func_detail: the classname \"func_detail\" is "
              "not in the catalogue; kept");
    EXPECT_EQ(report.notShown(IMPORT_EXAMPLES), 2966u - IMPORT_EXAMPLES);
    EXPECT_EQ(report.lines(0).size(), report.findings().size());
    EXPECT_EQ(report.notShown(0), 0u);
    EXPECT_EQ(report.headline(), "2,968 warnings of 2 kinds, 1 entity left out");
    EXPECT_EQ(report.findings()[7].node, "n7");
}

TEST(MessageBox, TextIsBoundedWhateverIsPassedIn) {
    const std::string longLine(5000, 'x');
    std::string manyLines;
    for (int i = 0; i < 447; ++i) manyLines += "level.map:" + std::to_string(i) + ": warning\n";
    const struct {
        std::string text;
        std::string shown;  // "" for: compare only the bounds
    } cases[] = {
        {"cannot read level.map", "cannot read level.map"},
        {"one\ntwo", "one\ntwo"},
        {longLine, longLine.substr(0, MESSAGE_MAX_LINE_CHARS - 3) + "..."},
        {manyLines, ""},
        {std::string(200, '\n'), ""},
    };
    for (const auto& c : cases) {
        const std::string shown = boundedMessageText(c.text);
        if (!c.shown.empty()) {
            EXPECT_EQ(shown, c.shown);
        }
        size_t lines = 1, longest = 0, run = 0;
        for (char ch : shown) {
            run = ch == '\n' ? 0 : run + 1;
            lines += ch == '\n';
            longest = std::max(longest, run);
        }
        EXPECT_LE(lines, MESSAGE_MAX_LINES);
        EXPECT_LE(longest, MESSAGE_MAX_LINE_CHARS);
    }
    EXPECT_NE(boundedMessageText(manyLines).find("(436 more lines not shown)"), std::string::npos);
}

}  // namespace
