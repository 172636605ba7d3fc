// The built vexalhelpers.dlo, loaded and queried from outside as a host does.
#include <windows.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "entity/entity_helper.h"
#include "plugins/plugin_registry.h"

namespace {

HMODULE plugin() {
    static HMODULE h = LoadLibraryA("plugins\\vexalhelpers.dlo");
    return h;
}

// Names in the module's export directory, read from the loaded image.
std::set<std::string> exportedNames(HMODULE module) {
    auto base = reinterpret_cast<const unsigned char*>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> result;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        result.insert(reinterpret_cast<const char*>(base + names[i]));
    EXPECT_EQ(exports->NumberOfFunctions, 4u);
    EXPECT_EQ(exports->Base, 1u);
    return result;
}

TEST(ModuleLoading, ExportsExactlyTheFourEntriesByNameAndOrdinal) {
    ASSERT_NE(plugin(), nullptr);
    EXPECT_EQ(exportedNames(plugin()), (std::set<std::string>{"LibDescription", "LibNumberClasses",
                                                              "LibClassDesc", "LibVersion"}));
    const char* names[] = {"LibDescription", "LibNumberClasses", "LibClassDesc", "LibVersion"};
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        FARPROC byOrdinal = GetProcAddress(plugin(), MAKEINTRESOURCEA(ordinal));
        ASSERT_NE(byOrdinal, nullptr);
        EXPECT_EQ(byOrdinal, GetProcAddress(plugin(), names[ordinal - 1])) << names[ordinal - 1];
    }
}

TEST(ModuleLoading, AnswersDescriptionCountAndVersion) {
    auto description = moduleExport<LibDescriptionFn>(plugin(), "LibDescription");
    auto count = moduleExport<LibNumberClassesFn>(plugin(), "LibNumberClasses");
    auto version = moduleExport<LibVersionFn>(plugin(), "LibVersion");
    EXPECT_STREQ(description(), "Vexal Entity helper objects.");
    EXPECT_EQ(count(), 12);
    EXPECT_EQ(version(), 100u);
}

struct Expected {
    const char* name;
    uint32_t a, b;
    const char* preset;
    int catalogueIndex;
};

const Expected kinds[12] = {
    {"VexalEntity", 0x41D53AFE, 0x616C0F57, "light", 45},
    {"Door", 0x3EBF593D, 0x1DB61362, "func_door", 11},
    {"Secret Door", 0x597D2F7E, 0x02AA5BCA, "func_door_secret", 12},
    {"Platform", 0x7264153D, 0x4EB653F4, "func_plat", 16},
    {"Move Plat", 0x4E3D33C6, 0x498F59F5, "func_train", 15},
    {"Button", 0x697908EE, 0x2B714E73, "func_button", 14},
    {"Trigger Once", 0x68F938E5, 0x48F30344, "trigger_once", 84},
    {"Trigger Multi", 0x325027E5, 0x258F50C5, "trigger_multiple", 85},
    {"Trig Secret", 0x73BB7708, 0x76AE3788, "trigger_secret", 87},
    {"Trig Counter", 0x10BE39F4, 0x4CDB51BE, "trigger_counter", 83},
    {"Teleport Trig", 0x2100089D, 0x5176258C, "trigger_teleport", 80},
    {"Teleport Dest", 0x638E21A9, 0x6B1615C4, "info_teleport_destination", 28},
};

TEST(ModuleLoading, DescriptorsAnswerInRegistryOrder) {
    auto classDesc = moduleExport<LibClassDescFn>(plugin(), "LibClassDesc");
    EXPECT_EQ(classDesc(12), nullptr);
    EXPECT_EQ(classDesc(-1), nullptr);
    for (int i = 0; i < 12; ++i) {
        ClassDesc* d = classDesc(i);
        ASSERT_NE(d, nullptr) << i;
        EXPECT_EQ(d, classDesc(i)) << "descriptors are static";
        EXPECT_STREQ(d->className(), kinds[i].name);
        EXPECT_EQ(d->classID(), Class_ID(kinds[i].a, kinds[i].b)) << kinds[i].name;
        EXPECT_STREQ(d->category(), "Vexal");
        EXPECT_EQ(d->superClassID(), 0x50u);
        EXPECT_EQ(d->isPublic(), 1);
        // The answers the host base gives.
        EXPECT_EQ(d->beginCreate(nullptr), 0);
        EXPECT_EQ(d->endCreate(nullptr), 0);
        EXPECT_EQ(d->okToCreate(nullptr), 1);
        EXPECT_EQ(d->hasClassParams(), 0);
        EXPECT_EQ(d->numActionTables(), 0);
    }
}

TEST(ModuleLoading, EachDescriptorCreatesAHelperPresetToItsKind) {
    auto classDesc = moduleExport<LibClassDescFn>(plugin(), "LibClassDesc");
    for (int i = 0; i < 12; ++i) {
        Animatable* made = classDesc(i)->create(0);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->ClassID(), Class_ID(0x41D53AFE, 0x616C0F57)) << kinds[i].name;
        EXPECT_EQ(made->SuperClassID(), 0x50u);
        // Peek at the object as the module lays it out.
        auto* helper = static_cast<VexalEntityHelper*>(made);
        EXPECT_STREQ(helper->classname, kinds[i].preset);
        EXPECT_EQ(helper->classIndex, kinds[i].catalogueIndex);
        made->DeleteThis();
    }
}

TEST(ModuleLoading, TheRegistryListsTheKindsOfThePluginFolder) {
    PluginRegistry registry;
    std::string error;
    ASSERT_TRUE(registry.loadFolder("plugins", error)) << error;
    ASSERT_EQ(registry.kinds().size(), 12u);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(registry.kinds()[i].className, kinds[i].name);
    const PluginKind* first = registry.findByClassId(Class_ID(0x41D53AFE, 0x616C0F57), 0x50);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->indexInModule, 0);
}

}  // namespace
