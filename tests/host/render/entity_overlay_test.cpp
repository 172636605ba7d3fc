// Names and links the host draws over the helpers, found at their pixels.
#include "host_fixture.h"
#include "render/bitmap_font.h"
#include "render/entity_overlay.h"

namespace {

class Overlay : public HostFixture {
protected:
    // A fires at B (100 right of it); C fires a name that nothing carries.
    void SetUp() override {
        HostFixture::SetUp();
        a = place("Door", mouseAt(Point3(0, 0, 0)));
        b = place("Door", mouseAt(Point3(100, 0, 0)));
        c = place("Door", mouseAt(Point3(0, -100, 0)));
        ASSERT_TRUE(a && b && c);
        scene.setSelection({});
        entities = {{a, "trigger_once"}, {b, "func_door"}, {c, "trigger_multiple"}};
    }
    int count(Rgb colour, int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) n += top_.image().pixel(x, y) == colour;
        return n;
    }
    void draw(OverlayOptions options) {
        renderViewport(top, scene);
        drawEntityOverlay(top, entities, links, options);
    }
    SoftwareViewport& top_ = top;
    Node *a = nullptr, *b = nullptr, *c = nullptr;
    std::vector<OverlayEntity> entities;
    const EntityLinks links{{{0, 1}}, {2}};
};

const Rgb GREY = {102, 102, 102};

TEST_F(Overlay, LabelsSitBesideThePivotInTheTripodColour) {
    draw({LabelMode::All, false});
    // a's pivot is at (320, 240): its two lines start 8 right and 6 below.
    EXPECT_GT(count(GREY, 328, 246, 400, 253), 10) << "node name";
    EXPECT_GT(count(GREY, 328, 256, 400, 263), 10) << "classname";
    EXPECT_EQ(count(GREY, 200, 246, 300, 263), 0) << "nothing left of the pivot";

    scene.setSelection({b});
    draw({LabelMode::Selected, false});
    EXPECT_EQ(count(GREY, 328, 246, 400, 263), 0) << "unselected a has no label";
    EXPECT_GT(count({255, 255, 255}, 428, 246, 500, 263), 10) << "selected b has";
}

TEST_F(Overlay, LabelsStayInsideTheViewOnADarkBacking) {
    draw({LabelMode::None, false});
    const Rgb under = top_.image().pixel(427, 245);  // the corner of b's label's backing
    draw({LabelMode::All, false});
    EXPECT_EQ(top_.image().pixel(427, 245),
              (Rgb{static_cast<uint8_t>(under.r >> 2), static_cast<uint8_t>(under.g >> 2),
                   static_cast<uint8_t>(under.b >> 2)}));
    // a at the right edge and c at the bottom: their labels turn back into the view.
    scene.setPosition(*a, Point3(315, 0, 0));
    scene.setPosition(*c, Point3(0, -236, 0));
    draw({LabelMode::All, false});
    EXPECT_GT(count(GREY, 560, 246, 639, 263), 10) << "a's label, moved left";
    EXPECT_GT(count(GREY, 322, 440, 420, 470), 10) << "c's label, above its pivot";
}

// a's label box, its margin round the two lines from (328, 246), holds only its text, whole
// to the foot of its descenders, on one backing: no grid line runs through it, and a label
// that would start right under it (b's, one label lower) does not cover its last rows.
TEST_F(Overlay, ALabelsBoxHoldsItsWholeTextAndNothingElse) {
    entities = {{a, "func_group"}, {b, "func_group"}};
    scene.setPosition(*b, Point3(0, -19, 0));
    const int right = 328 + std::max(textWidth(a->name().c_str()), textWidth("func_group"));
    for (const bool below : {false, true}) {
        scene.setFlag(*b, NodeFlag::Hidden, !below);
        draw({LabelMode::All, false});
        const Rgb backing = top_.image().pixel(326, 244);
        EXPECT_EQ(count(GREY, 326, 244, right + 1, 266) + count(backing, 326, 244, right + 1, 266),
                  (right + 2 - 326) * (266 - 244 + 1))
            << (below ? "with b below" : "alone");
        // Descenders: the foot of func_group's g and p, nine rows under its line's top.
        EXPECT_GT(count(GREY, 328, 264, right, 264), 2) << (below ? "with b below" : "alone");
    }
}

TEST_F(Overlay, ArrowsRunToTheTargetAndUnmatchedTargetsGetARedStub) {
    draw({LabelMode::None, true});
    EXPECT_EQ(top_.image().pixel(370, 240), LINK_COLOUR) << "half way from a to b";
    EXPECT_GT(count(DANGLING_COLOUR, 322, 320, 340, 340), 5) << "c's stub, up and right";
    scene.setSelection({b});
    draw({LabelMode::None, true});
    EXPECT_EQ(top_.image().pixel(370, 240), SELECTED_LINK_COLOUR) << "a link of the selection";
    // A hidden carrier still carries the name: no arrow, and no stub either.
    scene.setFlag(*b, NodeFlag::Hidden, true);
    draw({LabelMode::None, true});
    EXPECT_NE(top_.image().pixel(370, 240), SELECTED_LINK_COLOUR);
    EXPECT_EQ(count(DANGLING_COLOUR, 322, 220, 340, 240), 0) << "a's stub";
}

TEST_F(Overlay, ZoomedOutLabelsThatWouldOverlapAreLeftOut) {
    top.camera().setUnitsPerPixel(20.0f);  // a and b now 5 pixels apart
    scene.setSelection({b});
    draw({LabelMode::All, false});
    // Below the tripods, where the labels go.
    EXPECT_GT(count({255, 255, 255}, 320, 250, 420, 270), 10) << "the selected label wins";
    EXPECT_EQ(count(GREY, 320, 250, 420, 270), 0) << "a's label would cover it";
}

}  // namespace
