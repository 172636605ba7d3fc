// Template 110 as the built plug-in carries it, read back out of vexalhelpers.dlo.
#include <windows.h>
#include <gtest/gtest.h>
#include "dialog_template_checks.h"

namespace {

TEST(HelperPanelTemplate, Dialog110IsFiledAsEnglishUsWithEveryItemInPlace) {
    HMODULE plugin = LoadLibraryExA("plugins\\vexalhelpers.dlo", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(plugin, nullptr);
    DialogTemplate page;
    ASSERT_TRUE(loadDialogTemplate(plugin, 110, 1033, page));
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
    EXPECT_FALSE(loadDialogTemplate(plugin, 110, 2057, other)) << "filed in one language only";
    FreeLibrary(plugin);
}

}  // namespace
