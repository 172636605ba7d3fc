// The listing of `vexalhost list`: one row per node with what its helper says.
#include <gtest/gtest.h>
#include <algorithm>
#include "session/helper_listing.h"
#include "helper_nodes.h"
#include "plugins/plugin_registry.h"

namespace {

TEST(HelperListing, ShowsClassnamePositionAndStateOfEachNode) {
    Scene scene;
    std::string error;
    createHelperNode(scene, pluginRegistry(), "Button", Point3(1.5f, 0, -2), error);
    scene.setFlag(*scene.add(nullptr, Class_ID(3, 4), 0x50, "Stranger001"), NodeFlag::Hidden, true);
    const std::string text = helperListing(scene);
    for (const char* part : {"Button001", "func_button", "(1.5, 0, -2)", "Stranger001", "(unknown)",
                             "hidden stored-bytes"})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

// A name is the file's bytes: a line break in one must not make a second row, nor a
// megabyte a megabyte-long line.
TEST(HelperListing, NamesAreEscapedAndCut) {
    Scene scene;
    scene.add(nullptr, Class_ID(3, 4), 0x50, "fake\nrow\x7f");
    scene.add(nullptr, Class_ID(3, 4), 0x50, std::string(1 << 20, 'n'));
    const std::string text = helperListing(scene);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find("fake\\x0Arow\\x7F "), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(64, 'n') + "... "), std::string::npos);
    EXPECT_LT(text.size(), 1000u);
}

}  // namespace
