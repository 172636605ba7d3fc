// The four page templates as the built plug-in carries them, item by item, in the language
// each is filed under.
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>
#include "dialog_template_checks.h"

namespace {

HMODULE plugin() {
    static HMODULE h =
        LoadLibraryExA("plugins\\vexalhelpers.dlo", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return h;
}

constexpr LANGID englishUs = 1033;
constexpr LANGID englishUk = 2057;

DialogTemplate loadPage(int id, LANGID language) {
    DialogTemplate page;
    EXPECT_NE(plugin(), nullptr);
    EXPECT_TRUE(loadDialogTemplate(plugin(), id, language, page)) << "dialog " << id;
    return page;
}

TEST(PageTemplates, HelperPanel110IsFiledAsEnglishUsWithEveryItemInPlace) {
    const DialogTemplate page = loadPage(110, englishUs);
    expectPage(page, 0x50000040, 108, 87);
    expectItems(page, {
                          {1046, "BUTTON", "Axis", 0x50010003, 5, 11, 28, 10},
                          {1010, "CustEdit", "", 0x50010000, 63, 11, 28, 10},
                          {65535, "STATIC", "Length:", 0x50020002, 37, 11, 23, 8},
                          {1044, "SpinnerControl", "", 0x50000000, 93, 11, 7, 10},
                          {65535, "STATIC", "Vexal Entity Helper", 0x50020001, 1, 0, 107, 8},
                          {65535, "STATIC", "Class", 0x50020000, 5, 23, 19, 8},
                          {1050, "LISTBOX", "", 0x50a10003, 1, 32, 104, 54},
                      });
    DialogTemplate other;
    EXPECT_FALSE(loadDialogTemplate(plugin(), 110, englishUk, other))
        << "filed in one language only";
}

TEST(PageTemplates, TheDoorPageHoldsEveryControlInItsPlace) {
    const DialogTemplate page = loadPage(112, englishUs);
    expectPage(page, 0x50000040, 108, 150);
    expectItems(page, {
                          {65535, "STATIC", "Angle", 0x50020002, 44, 2, 19, 8},
                          {65535, "STATIC", "Speed", 0x50020002, 41, 12, 24, 8},
                          {65535, "STATIC", "Target Name", 0x50020000, 1, 28, 42, 8},
                          {65535, "STATIC", "Sounds", 0x50020002, 19, 40, 24, 8},
                          {65535, "STATIC", "Wait", 0x50020002, 40, 54, 23, 8},
                          {65535, "STATIC", "Lip", 0x50020002, 48, 65, 14, 8},
                          {1051, "CustEdit", "", 0x50010000, 67, 2, 28, 10},
                          {1052, "SpinnerControl", "", 0x50000000, 97, 2, 7, 10},
                          {1053, "CustEdit", "", 0x50010000, 67, 14, 28, 10},
                          {1054, "SpinnerControl", "", 0x50000000, 97, 14, 7, 10},
                          {1055, "CustEdit", "", 0x50010000, 68, 53, 28, 10},
                          {1056, "SpinnerControl", "", 0x50000000, 98, 53, 7, 10},
                          {1057, "CustEdit", "", 0x50010000, 68, 65, 28, 10},
                          {1058, "SpinnerControl", "", 0x50000000, 98, 65, 7, 10},
                          {1060, "LISTBOX", "", 0x50A10101, 46, 38, 59, 11},
                          {65535, "STATIC", "Message", 0x50020002, 2, 79, 31, 8},
                          {65535, "STATIC", "Health", 0x50020002, 37, 91, 25, 8},
                          {1062, "CustEdit", "", 0x50010000, 68, 91, 28, 10},
                          {1063, "SpinnerControl", "", 0x50000000, 98, 91, 7, 10},
                          {65535, "STATIC", "Damage", 0x50020002, 32, 102, 30, 8},
                          {1064, "CustEdit", "", 0x50010000, 68, 102, 28, 10},
                          {1065, "SpinnerControl", "", 0x50000000, 98, 102, 7, 10},
                          {1066, "BUTTON", "Toggle", 0x50010003, 3, 119, 38, 10},
                          {1067, "BUTTON", "Start Open", 0x50010003, 52, 119, 50, 10},
                          {1068, "BUTTON", "Dont Link", 0x50010003, 3, 129, 47, 10},
                          {1069, "BUTTON", "Gold Key", 0x50010003, 3, 139, 45, 10},
                          {1070, "BUTTON", "Silver Key", 0x50010003, 52, 139, 47, 10},
                          {1029, "CustEdit", "", 0x50020000, 48, 27, 55, 10},
                          {1030, "CustEdit", "", 0x50020000, 37, 78, 68, 10},
                      });
}

TEST(PageTemplates, KeyValue113IsFiledAsEnglishUkWithRowsSixToEightBottomUp) {
    const DialogTemplate page = loadPage(113, englishUk);
    expectPage(page, 0x50000040, 108, 101);
    std::vector<ExpectedItem> cells;
    const int rowY[] = {7, 18, 29, 40, 51, 84, 73, 62};  // template order: rows 1-5, 8, 7, 6
    for (int column = 0; column < 2; ++column)
        for (int i = 0; i < 8; ++i)
            cells.push_back({static_cast<uint32_t>(1072 + column * 8 + i), "CustEdit", "",
                             0x50020000, column ? 54 : 3, rowY[i], 49, 10});
    expectItems(page, cells);

    DialogTemplate other;
    EXPECT_FALSE(loadDialogTemplate(plugin(), 113, englishUs, other));
}

TEST(PageTemplates, LightParams114HasTheStyleButtonsInIdOrderPlacedByLook) {
    const DialogTemplate page = loadPage(114, englishUs);
    expectPage(page, 0x50000040, 108, 181);
    expectItems(page, {
                          {65535, "STATIC", "Lighting Params", 0x50020001, 3, 1, 101, 8},
                          {65535, "BUTTON", "Start State", 0x50020007, 3, 14, 101, 23},
                          {1073, "BUTTON", "On", 0x50000009, 6, 23, 25, 10},
                          {1074, "BUTTON", "Off", 0x50000009, 61, 22, 25, 10},
                          {65535, "BUTTON", "Style", 0x50020007, 3, 39, 100, 134},
                          {1075, "BUTTON", "Normal", 0x50000009, 7, 46, 38, 10},
                          {1076, "BUTTON", "Flicker (1)", 0x50000009, 7, 56, 47, 10},
                          {1077, "BUTTON", "Slow Strong Pulse", 0x50000009, 7, 116, 73, 10},
                          {1078, "BUTTON", "Candle (1)", 0x50000009, 7, 136, 48, 10},
                          {1079, "BUTTON", "Fast Strobe", 0x50000009, 7, 86, 52, 10},
                          {1080, "BUTTON", "Gentle Strobe", 0x50000009, 7, 96, 59, 10},
                          {1081, "BUTTON", "Flicker (2)", 0x50000009, 7, 66, 47, 10},
                          {1082, "BUTTON", "Candle (2)", 0x50000009, 7, 146, 48, 10},
                          {1083, "BUTTON", "Candle (3)", 0x50000009, 7, 156, 48, 10},
                          {1084, "BUTTON", "Slow Strobe", 0x50000009, 7, 106, 54, 10},
                          {1085, "BUTTON", "Flourescent Flicker", 0x50000009, 7, 76, 75, 10},
                          {1086, "BUTTON", "Slow Pulse (no black)", 0x50000009, 7, 126, 84, 10},
                      });
}

TEST(PageTemplates, DoorAndLightPagesAreFiledAsEnglishUsOnly) {
    DialogTemplate other;
    EXPECT_FALSE(loadDialogTemplate(plugin(), 112, englishUk, other));
    EXPECT_FALSE(loadDialogTemplate(plugin(), 114, englishUk, other));
}

}  // namespace
