// Words and numbers of a host script line, and the small words the command line shares
// with scripts: picture sizes and view names.
#include <gtest/gtest.h>
#include "cli/image_size.h"
#include "cli/script_lexer.h"
#include "render/camera.h"

namespace {

struct Split {
    const char* line;
    std::vector<std::string> words;
};

TEST(ScriptLexer, SplitsOnBlanksKeepsQuotedWordsAndDropsComments) {
    const Split cases[] = {
        {"create Door at 1 2 3", {"create", "Door", "at", "1", "2", "3"}},
        {"  set \"Target Name\"   vault  ", {"set", "Target Name", "vault"}},
        {"set Message \"a # is kept\" # but this goes", {"set", "Message", "a # is kept"}},
        {"set \"Key 1\" \"\"", {"set", "Key 1", ""}},
        {"list# at once", {"list"}},
        {"\t# only a comment", {}},
        {"", {}},
        {"save level.vxs\r", {"save", "level.vxs"}},
    };
    for (const Split& c : cases) {
        std::vector<std::string> words;
        std::string error;
        EXPECT_TRUE(splitScriptLine(c.line, words, error)) << c.line;
        EXPECT_EQ(words, c.words) << c.line;
    }
}

TEST(ScriptLexer, AnUnclosedQuoteIsAnError) {
    std::vector<std::string> words;
    std::string error;
    EXPECT_FALSE(splitScriptLine("set Message \"open", words, error));
    EXPECT_EQ(error, "unclosed quote");
}

TEST(ScriptLexer, NumbersMustBeWholeWords) {
    float f = 0;
    int i = 0;
    EXPECT_TRUE(parseFloatWord("-12.5", f));
    EXPECT_EQ(f, -12.5f);
    EXPECT_TRUE(parseFloatWord("1e2", f));
    EXPECT_EQ(f, 100.0f);
    for (const char* bad : {"", "12x", "zero", "1.5.2", "nan", "inf", "1e999", " 1"})
        EXPECT_FALSE(parseFloatWord(bad, f)) << bad;
    EXPECT_TRUE(parseIntWord("-7", i));
    EXPECT_EQ(i, -7);
    for (const char* bad : {"", "7.0", "3000000000", "x1", "\t7"})
        EXPECT_FALSE(parseIntWord(bad, i)) << bad;
}

TEST(ScriptWords, PictureSizesAreStrictWidthByHeightFrom16To8192) {
    const struct {
        const char* word;
        int width, height;  // 0: refused
    } cases[] = {
        {"800x600", 800, 600}, {"16x8192", 16, 8192}, {"15x100", 0, 0},   {"100x8193", 0, 0},
        {"800x600junk", 0, 0}, {"800X600", 0, 0},     {"x600", 0, 0},     {"800x", 0, 0},
        {" 800x600", 0, 0},    {"10by10", 0, 0},      {"80.5x600", 0, 0}, {"-800x600", 0, 0},
    };
    for (const auto& c : cases) {
        int width = 0, height = 0;
        const bool taken = parseImageSize(c.word, width, height);
        EXPECT_EQ(taken, c.width != 0) << c.word;
        if (taken) {
            EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.width, c.height)) << c.word;
        }
    }
}

TEST(ScriptWords, ViewNamesIgnoreCaseAndNameEachView) {
    const struct {
        const char* word;
        bool known;
        ViewKind kind;
    } cases[] = {
        {"top", true, ViewKind::Top},
        {"FRONT", true, ViewKind::Front},
        {"Left", true, ViewKind::Left},
        {"persp", true, ViewKind::Perspective},
        {"perspective", true, ViewKind::Perspective},
        {"side", false, ViewKind::Top},
        {"", false, ViewKind::Top},
    };
    for (const auto& c : cases) {
        ViewKind kind = ViewKind::Top;
        EXPECT_EQ(parseViewKind(c.word, kind), c.known) << c.word;
        EXPECT_EQ(kind, c.kind) << c.word;
    }
}

}  // namespace
