// Rendering a scene into viewports and writing the pictures out.
#pragma once
#include <string>
#include "render/software_viewport.h"
#include "scene/progress.h"
#include "vexsdk/values.h"

class Scene;

// What a view shows where nothing is drawn.
const Rgb VIEW_BACKGROUND = {40, 40, 44};
// Colour of frozen nodes, which an object leaves to the host.
constexpr float FROZEN_GREY[3] = {0.45f, 0.50f, 0.62f};

// Draws what every picture of the view starts from: the background and the grid.
void renderGround(SoftwareViewport& view);

// Draws one viewport of the scene into its image: background, grid, every visible node
// through its own display operation with the outlines of the brushes it keeps (selected
// ones marked by the host as well, and drawn last, over everything), and the view's name in
// the corner.
void renderViewport(SoftwareViewport& view, Scene& scene, TimeValue t = 0,
                    const ProgressReport& progress = {});

// Writes an image as a PNG file; false with a message on failure.
bool writePng(const Framebuffer& image, const std::string& path, std::string& error);
