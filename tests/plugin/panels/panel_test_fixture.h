// A command panel with a recording host interface, helpers to edit on it, and a dependent
// that hears every change announcement: what the parameter-page tests share.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include "recording_host.h"
#include "entity/entity_helper.h"
#include "panels/panels.h"
#include "resources/resource.h"

// Hears the helper's change announcements as the host's node would.
class AnnouncementRecorder : public ReferenceMaker {
public:
    struct Heard {
        Interval interval;
        PartID partId;
        RefMessage message;
        ReferenceTarget* target;
    };
    SClass_ID SuperClassID() override { return 1; }
    RefResult notifyRefChanged(const Interval& changeInt, ReferenceTarget* target, PartID& partId,
                               RefMessage message) override {
        heard.push_back({changeInt, partId, message, target});
        return REF_SUCCEED;
    }
    std::vector<Heard> heard;
};

class PanelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.create(nullptr, RECT{0, 0, 200, 760}));
        host.time = 4800;
    }

    void TearDown() override {
        if (edited) end(edited, END_EDIT_REMOVEUI);
        EXPECT_EQ(helperPanelWnd, nullptr);
        EXPECT_EQ(classPanelWnd, nullptr);
        EXPECT_EQ(keyValuePanelWnd, nullptr);
        EXPECT_EQ(hostInterface, nullptr);
        for (VexalEntityHelper* h : helpers) h->DeleteThis();
    }

    VexalEntityHelper* make(const char* classname) {
        helpers.push_back(new VexalEntityHelper(classname));
        helpers.back()->addDependent(&dependent);
        return helpers.back();
    }

    void begin(VexalEntityHelper* helper) {
        helper->beginEdit(&host, 0, nullptr);
        edited = helper;
    }

    void end(VexalEntityHelper* helper, uint32_t flags) {
        helper->endEdit(&host, flags, nullptr);
        edited = nullptr;
    }

    // From one helper straight to the next with the pages kept.
    void moveOn(VexalEntityHelper* from, VexalEntityHelper* to) {
        end(from, 0);
        begin(to);
    }

    HWND control(HWND page, int id) { return GetDlgItem(page, id); }

    // Forgets what happened so far; the next calls and announcements are the test's.
    void startListening() {
        host.calls.clear();
        dependent.heard.clear();
    }

    std::vector<std::string> redraws() const {
        std::vector<std::string> result;
        for (const std::string& call : host.calls)
            if (call.rfind("redraw", 0) == 0) result.push_back(call);
        return result;
    }

    CommandPanel panel;
    RecordingHost host{panel};
    AnnouncementRecorder dependent;
    std::vector<VexalEntityHelper*> helpers;
    VexalEntityHelper* edited = nullptr;
};
