#include "session/scene_picture.h"
#include "render/light_glows.h"
#include "render/scene_render.h"
#include "render/software_viewport.h"
#include "render/view_framing.h"
#include "scene/progress.h"
#include "session/host_session.h"

namespace {

// Scenes this big show progress on the terminal while they render.
constexpr uint64_t BIG_SCENE = 4096;

}  // namespace

bool renderPicture(HostSession& session, ViewKind kind, const std::string& path, int width,
                   int height, std::string& error, const PictureOptions& options) {
    SoftwareViewport view(kind, width, height);
    view.setScene(&session.scene());
    view.gridSpacing = static_cast<float>(session.grid().units());
    frameScene(view, session.scene());
    EntityIndex& entities = session.entities();
    const auto drawPicture = [&] {
        renderViewport(view, session.scene(), 0, terminalProgress("rendering " + path, BIG_SCENE));
        drawEntityOverlay(view, overlayEntities(entities.marks()), entities.links(),
                          options.overlay);
    };
    if (options.lightTime) {
        LightGlows glows;
        glows.capture(view, litEntities(entities.marks()), drawPicture);
        glows.draw(view.image(), *options.lightTime);
    } else {
        drawPicture();
    }
    return writePng(view.image(), path, error);
}
