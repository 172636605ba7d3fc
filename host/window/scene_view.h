// What a viewport window shows of the scene: the helpers and brushes, and over them the
// labels and links the View menu asks for; and the lights that glow in it.
#pragma once
#include <vector>
#include "render/entity_overlay.h"
#include "render/light_glows.h"
#include "render/software_viewport.h"

class HostSession;

void drawSceneView(HostSession& session, SoftwareViewport& view, const OverlayOptions& overlay);
// The lights of the scene with their styles, read from their records as they are now.
std::vector<LitEntity> sceneLights(HostSession& session);
