// The key/value text format on its own: joining sixteen cells and splitting them back,
// including texts that do not fit and loaded texts that break the format's limits.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "key_value_text.h"

namespace {

std::string compose(const std::vector<std::string>& cellTexts, int* stored = nullptr) {
    std::vector<std::string> cells = cellTexts;
    cells.resize(keyValueCellCount);
    const char* pointers[keyValueCellCount];
    for (int i = 0; i < keyValueCellCount; ++i) pointers[i] = cells[i].c_str();
    char text[128];
    std::memset(text, '#', sizeof text);
    const int count = composeKeyValueText(pointers, text, sizeof text);
    if (stored) *stored = count;
    return std::string(text, strnlen(text, sizeof text));
}

std::vector<std::string> split(const char* text, size_t size) {
    char pieces[keyValueCellCount][keyValueCellSize];
    std::memset(pieces, '#', sizeof pieces);
    const int count = splitKeyValueText(text, size, pieces);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) {
        EXPECT_NE(std::memchr(pieces[i], '\0', keyValueCellSize), nullptr) << "piece " << i;
        result.emplace_back(pieces[i]);
    }
    return result;
}

std::vector<std::string> split(const std::string& text) {
    char field[128] = {};
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field - 1));
    return split(field, sizeof field);
}

TEST(KeyValueText, EmptyCellsComposeToSixteenBarsThatSplitIntoSixteenEmptyPieces) {
    int stored = 0;
    EXPECT_EQ(compose({}, &stored), std::string(16, '|'));
    EXPECT_EQ(stored, 16);
    EXPECT_EQ(split(std::string(16, '|')), std::vector<std::string>(16, ""));
}

struct SplitCase {
    const char* text;
    std::vector<std::string> pieces;
};

TEST(KeyValueText, SplitTakesOnlyPiecesEndedByABarAndAtMostSixteen) {
    const std::vector<SplitCase> cases = {
        {"", {}},
        {"a|b|", {"a", "b"}},
        {"a|b", {"a"}},
        {"a|b|c", {"a", "b"}},
        {"|x||", {"", "x", ""}},
        {"x|y|z|", {"x", "y", "z"}},
        {"1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|",
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"}},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(split(c.text), c.pieces) << c.text;
}

TEST(KeyValueText, CellsThatDoNotFitAreLeftOutWholeSoTheRestSplitsBackIntoTheSameCells) {
    const std::string longKey(60, 'k'), longValue(60, 'v');
    int stored = 0;
    // 61 + 61 characters fit; "abcde|" would make 128.
    const std::string text = compose({longKey, longValue, "abcde", "e"}, &stored);
    EXPECT_EQ(stored, 2);
    EXPECT_EQ(text, longKey + "|" + longValue + "|");
    EXPECT_EQ(split(text), (std::vector<std::string>{longKey, longValue}));

    // Exactly 127 characters: sixteen cells of 7 and 15 bars... filled to the last byte.
    std::vector<std::string> full(16, "1234567");
    full[15] = "123456";
    EXPECT_EQ(compose(full, &stored).size(), 127u);
    EXPECT_EQ(stored, 16);
    EXPECT_EQ(split(compose(full)), full);

    full[15] = "1234567";
    const std::string cut = compose(full, &stored);
    EXPECT_EQ(stored, 15);
    EXPECT_EQ(cut.size(), 120u);
    EXPECT_EQ(split(cut), std::vector<std::string>(full.begin(), full.begin() + 15));
}

TEST(KeyValueText, ComposingLeavesTheBytesAfterTheTerminatorAndNeverWritesPastTheField) {
    const char* cells[keyValueCellCount];
    const std::string big(79, 'z');
    for (const char*& cell : cells) cell = big.c_str();
    char guarded[128 + 8];
    std::memset(guarded, '#', sizeof guarded);
    EXPECT_EQ(composeKeyValueText(cells, guarded, 128), 1);
    EXPECT_EQ(std::string(guarded, 80), big + "|");
    EXPECT_EQ(guarded[80], '\0');
    EXPECT_EQ(std::string(guarded + 81, sizeof guarded - 81),
              std::string(sizeof guarded - 81, '#'));
}

TEST(KeyValueText, ALoadedPieceLongerThanACellIsCutWithoutMovingTheNextPieces) {
    const std::string longPiece(100, 'p');
    EXPECT_EQ(split(longPiece + "|b|c|"),
              (std::vector<std::string>{std::string(79, 'p'), "b", "c"}));
}

TEST(KeyValueText, ALoadedTextWithoutTerminatorIsReadNoFurtherThanItsArray) {
    struct {
        char field[128];
        char after[8];
    } record;
    std::memset(record.field, 'a', sizeof record.field);
    record.field[3] = '|';
    record.field[127] = '|';
    std::memcpy(record.after, "x|y|z|w|", sizeof record.after);
    EXPECT_EQ(split(record.field, sizeof record.field),
              (std::vector<std::string>{"aaa", std::string(79, 'a')}));
}

}  // namespace
