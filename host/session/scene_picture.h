// A picture of the scene as one view sees it, framed to show every node, for the command
// line's and the scripts' render.
#pragma once
#include <optional>
#include <string>
#include "render/camera.h"
#include "render/entity_overlay.h"

class HostSession;

// What a rendered picture shows beyond the helpers: labels and links, and the lights'
// style glows as at a moment (seconds; none: no glows).
struct PictureOptions {
    OverlayOptions overlay;
    std::optional<double> lightTime;
};

// Writes the picture to a PNG file; false with a message naming the file.
bool renderPicture(HostSession& session, ViewKind view, const std::string& path, int width,
                   int height, std::string& error, const PictureOptions& options = {});
