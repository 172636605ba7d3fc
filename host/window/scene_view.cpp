#include "window/scene_view.h"
#include "render/scene_render.h"
#include "session/host_session.h"

void drawSceneView(HostSession& session, SoftwareViewport& view, const OverlayOptions& overlay) {
    renderViewport(view, session.scene());
    EntityIndex& entities = session.entities();
    drawEntityOverlay(view, overlayEntities(entities.marks()), entities.links(), overlay);
}

std::vector<LitEntity> sceneLights(HostSession& session) {
    return litEntities(session.entities().marks());
}
