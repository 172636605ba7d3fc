// util.dll and core.dll: strings, assertion reports and change announcements between
// objects and their dependents.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "vexsdk/objects.h"

namespace {

TEST(CStr, CopiesAssignsAndSurvivesSelfAssignment) {
    CStr a("door");
    CStr b(a);
    a = "light";
    EXPECT_STREQ(b.data(), "door");
    EXPECT_STREQ(a.data(), "light");
    a = a.data();
    EXPECT_STREQ(a.data(), "light");
    a = static_cast<const char*>(nullptr);
    EXPECT_STREQ(a.data(), "");
    EXPECT_EQ(b.Length(), 4);
    EXPECT_TRUE(b == "door");
}

TEST(Assert1, ReachesTheHandlerAndIsKeptAsTheLastReport) {
    static std::vector<std::string> seen;
    AssertHandler previous = SetAssertHandler([](int line, const char* file) {
        seen.push_back(std::string(file) + ":" + std::to_string(line));
    });
    int before = LastAssertReport().count;
    assert1(99, "somewhere");
    SetAssertHandler(previous);
    EXPECT_EQ(seen, std::vector<std::string>{"somewhere:99"});
    EXPECT_EQ(LastAssertReport().count, before + 1);
    EXPECT_STREQ(LastAssertReport().file, "somewhere");
}

// A dependent that records what it hears and passes it on or not.
class Listener : public ReferenceTarget {
public:
    Listener(SClass_ID superClass, RefResult answer) : superClass_(superClass), answer_(answer) {}
    SClass_ID SuperClassID() override { return superClass_; }
    RefResult notifyRefChanged(const Interval& changeInt, ReferenceTarget* target, PartID& part,
                               RefMessage message) override {
        heard.push_back({changeInt, target, part, message});
        return answer_;
    }
    struct Heard {
        Interval changeInt;
        ReferenceTarget* target;
        PartID part;
        RefMessage message;
    };
    std::vector<Heard> heard;

private:
    SClass_ID superClass_;
    RefResult answer_;
};

class Source : public HelperObject {};

TEST(NotifyDependents, ReachesEveryDependentWithTheAnnouncement) {
    Source source;
    Listener a(1, REF_SUCCEED), b(2, REF_SUCCEED);
    source.addDependent(&a);
    source.addDependent(&b);
    source.addDependent(&a);  // once only
    EXPECT_EQ(source.numDependents(), 2);
    source.NotifyDependents(FOREVER(), 3, 0x50);
    ASSERT_EQ(a.heard.size(), 1u);
    ASSERT_EQ(b.heard.size(), 1u);
    EXPECT_EQ(a.heard[0].target, &source);
    EXPECT_EQ(a.heard[0].part, 3u);
    EXPECT_EQ(a.heard[0].message, 0x50u);
    EXPECT_EQ(a.heard[0].changeInt, FOREVER());
    source.removeDependent(&a);
    source.NotifyDependents(FOREVER(), 1, 0x50);
    EXPECT_EQ(a.heard.size(), 1u);
    EXPECT_EQ(b.heard.size(), 2u);
}

TEST(NotifyDependents, FiltersBySuperclassAndPropagatesOnlyWhenAsked) {
    Source source;
    Listener near(1, REF_SUCCEED), other(2, REF_SUCCEED), far(1, REF_SUCCEED);
    Listener stopper(1, REF_FAIL), hidden(1, REF_SUCCEED);
    source.addDependent(&near);
    source.addDependent(&other);
    source.addDependent(&stopper);
    near.addDependent(&far);
    stopper.addDependent(&hidden);

    source.NotifyDependents(FOREVER(), 3, 0x50, 1, 1);
    EXPECT_EQ(near.heard.size(), 1u);
    EXPECT_EQ(other.heard.size(), 0u) << "filtered out by superclass";
    EXPECT_EQ(far.heard.size(), 1u) << "passed on by a dependent that succeeded";
    EXPECT_EQ(far.heard[0].target, &near);
    EXPECT_EQ(hidden.heard.size(), 0u) << "a dependent that fails does not pass it on";

    source.NotifyDependents(FOREVER(), 3, 0x50, NOTIFY_ALL, 0);
    EXPECT_EQ(other.heard.size(), 1u);
    EXPECT_EQ(far.heard.size(), 1u) << "not propagated";
}

TEST(HelperBase, AnswersTheHelperSuperclassAndName) {
    Source helper;
    EXPECT_EQ(helper.SuperClassID(), HELPER_CLASS_ID);
    CStr name;
    helper.defaultNodeName(name);
    EXPECT_STREQ(name.data(), "Helper");
    EXPECT_EQ(helper.hostFlag(), 0);
    EXPECT_EQ(helper.evaluate(0).obj, &helper);
    EXPECT_EQ(helper.CanConvertToType(Class_ID(1, 2)), 0);
}

}  // namespace
