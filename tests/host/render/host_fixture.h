// A reference host with the built plug-in loaded, an empty scene and a top viewport of
// odd size, so that the world origin sits on the centre pixel (320, 240).
#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include "interaction/creation_tool.h"
#include "interaction/selection.h"
#include "plugins/plugin_registry.h"
#include "render/scene_render.h"
#include "scene/scene.h"

class HostFixture : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(registry.loadFolder(defaultPluginFolder(), error)) << error;
    }

    const PluginKind& kind(const char* name) {
        const PluginKind* k = registry.findByName(name);
        EXPECT_NE(k, nullptr) << name;
        return *k;
    }

    Node* place(const char* kindName, IPoint2 mouse, SoftwareViewport* view = nullptr) {
        const PluginKind* k = registry.findByName(kindName);
        EXPECT_NE(k, nullptr) << kindName;
        Node* node = k ? createByClick(scene, *k, view ? *view : top, mouse) : nullptr;
        EXPECT_NE(node, nullptr) << kindName;
        return node;
    }

    // The mouse position over a world point.
    IPoint2 mouseAt(const Point3& world, SoftwareViewport* view = nullptr) {
        Point2 w;
        EXPECT_TRUE((view ? *view : top).mousePosition(world, w));
        return IPoint2(static_cast<int>(std::lround(w.x)), static_cast<int>(std::lround(w.y)));
    }

    PluginRegistry registry;
    Scene scene;
    SoftwareViewport top{ViewKind::Top, 641, 481};
};
