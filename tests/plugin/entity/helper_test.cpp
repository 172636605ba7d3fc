#include <gtest/gtest.h>
#include <cstring>
#include "entity_catalogue.h"
#include "entity/entity_helper.h"
#include "module/class_descriptors.h"
#include "resources/resource_strings.h"
#include "test_files.h"

namespace {

class NoRemap : public RemapDir {
public:
    ReferenceTarget* findMapping(ReferenceTarget* from) override { return from; }
    void addEntry(ReferenceTarget*, ReferenceTarget*) override {}
};

TEST(Helper, ConstructionPresetsNameIndexDefaultsAndZeroRecord) {
    VexalEntityHelper h("func_door");
    EXPECT_STREQ(h.classname, "func_door");
    EXPECT_TRUE(allZero(h.classname + 9, sizeof h.classname - 9));
    EXPECT_EQ(h.classIndex, 11);
    EXPECT_EQ(h.showAxis, 1);
    EXPECT_EQ(h.axisLength, 20.0f);
    EXPECT_EQ(h.creating, 0);
    EXPECT_EQ(h.extDispFlags, 0);
    EXPECT_TRUE(allZero(&h.props, sizeof h.props));
}

TEST(Helper, FieldsFollowTheHostBaseInOrder) {
    VexalEntityHelper h("light");
    auto at = [&](const void* field) {
        return static_cast<const char*>(field) - reinterpret_cast<const char*>(&h);
    };
    EXPECT_GE(at(h.classname), static_cast<long long>(sizeof(HelperObject)));
    EXPECT_EQ(at(&h.classIndex), at(h.classname) + 80);
    EXPECT_EQ(at(&h.creating), at(&h.classIndex) + 4);
    EXPECT_EQ(at(&h.showAxis), at(&h.creating) + 4);
    EXPECT_EQ(at(&h.axisLength), at(&h.showAxis) + 4);
    EXPECT_EQ(at(&h.extDispFlags), at(&h.axisLength) + 4);
    EXPECT_EQ(at(&h.props), at(&h.extDispFlags) + 4);
}

TEST(Helper, AnswersTheFirstDescriptorsIdentityWhateverItsName) {
    for (const char* name : {"light", "func_door", "monster_ogre", "not_in_catalogue"}) {
        VexalEntityHelper h(name);
        EXPECT_EQ(h.ClassID(), Class_ID(0x41D53AFE, 0x616C0F57)) << name;
        EXPECT_EQ(h.SuperClassID(), 0x50u);
        CStr className, nodeName;
        h.getClassName(className);
        h.defaultNodeName(nodeName);
        EXPECT_STREQ(className.data(), "VexalEntityHelper");
        EXPECT_STREQ(nodeName.data(), "VexalEntity");
        EXPECT_EQ(h.hostFlag(), 1);
        EXPECT_EQ(h.objectValidity(1234), Interval(INT32_MIN, INT32_MAX));
        EXPECT_EQ(h.evaluate(0).obj, &h);
        EXPECT_EQ(h.CanConvertToType(h.ClassID()), 0);
        EXPECT_EQ(h.CanConvertToType(Class_ID(1, 2)), 0);
        PartID part = 3;
        EXPECT_EQ(h.notifyRefChanged(FOREVER(), nullptr, part, 0x50), 1);
    }
}

TEST(Helper, ConvertToTypeReportsTheAssertionAndGivesNothing) {
    static int reports = 0;
    AssertHandler previous = SetAssertHandler([](int, const char*) { ++reports; });
    VexalEntityHelper h("light");
    int before = LastAssertReport().count;
    EXPECT_EQ(h.ConvertToType(0, Class_ID(1, 0)), nullptr);
    SetAssertHandler(previous);
    AssertReport r = LastAssertReport();
    EXPECT_EQ(r.count, before + 1);
    EXPECT_EQ(r.line, 257);
    EXPECT_STREQ(r.file, "vexalhelpers");
    EXPECT_EQ(reports, 1);
}

TEST(Helper, CloneCopiesNameSettingsAndRecordByteForByte) {
    VexalEntityHelper src("func_door");
    src.showAxis = 0;
    src.axisLength = 35.5f;
    src.creating = 1;
    src.extDispFlags = 0x20;
    unsigned char* raw = reinterpret_cast<unsigned char*>(&src.props);
    for (size_t i = 0; i < sizeof src.props; ++i) raw[i] = static_cast<unsigned char>(i * 7 + 1);
    NoRemap remap;
    auto* copy = static_cast<VexalEntityHelper*>(src.Clone(remap));
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->classname, "func_door");
    EXPECT_EQ(copy->classIndex, 11);
    EXPECT_EQ(copy->showAxis, 0);
    EXPECT_EQ(copy->axisLength, 35.5f);
    EXPECT_EQ(copy->creating, 0);
    EXPECT_EQ(copy->extDispFlags, 0);
    EXPECT_EQ(std::memcmp(&copy->props, &src.props, sizeof src.props), 0);
    copy->DeleteThis();
}

TEST(Helper, CloneOfANameOutsideTheCatalogueKeepsTheSourceIndex) {
    VexalEntityHelper src("light");
    std::strcpy(src.classname, "foreign_thing");
    src.classIndex = 45;
    NoRemap remap;
    auto* copy = static_cast<VexalEntityHelper*>(src.Clone(remap));
    EXPECT_STREQ(copy->classname, "foreign_thing");
    EXPECT_EQ(copy->classIndex, 45);
    copy->DeleteThis();
}

TEST(Helper, DefaultsDoNotFollowEditsAndResetOnlyWithAFlag) {
    VexalEntityHelper first("light");
    first.axisLength = 5.0f;
    first.showAxis = 0;
    VexalEntityHelper next("light");
    EXPECT_EQ(next.axisLength, 20.0f);
    EXPECT_EQ(next.showAxis, 1);

    defaultShowAxis = 0;
    defaultAxisLength = 3.0f;
    entityClassDesc(0)->restoreClassDefaults(0);
    EXPECT_EQ(defaultShowAxis, 0);
    EXPECT_EQ(defaultAxisLength, 3.0f);
    entityClassDesc(5)->restoreClassDefaults(1);
    EXPECT_EQ(defaultShowAxis, 1);
    EXPECT_EQ(defaultAxisLength, 20.0f);
}

TEST(Descriptors, ClassNameAndCategoryShareTheStringBuffer) {
    ClassDesc* door = entityClassDesc(1);
    const char* name = door->className();
    EXPECT_STREQ(name, "Door");
    const char* category = door->category();
    EXPECT_EQ(category, name);
    EXPECT_STREQ(name, "Vexal");
}

}  // namespace
