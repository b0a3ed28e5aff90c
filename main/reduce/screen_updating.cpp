#include "main/reduce/screen_updating.h"

#include "host/xl/application.h"
#include "host/xl/window.h"
#include "main/engine/insert_picture.h"

namespace picrows {

void s_SetScreenUpdating(const xl::Application& app, bool on)
{
    if (!on) {
        app.setScreenUpdating(false);
        return;
    }
    app.setScreenUpdating(true);
    if (hostVersion(app) < 12)
        return;
    const xl::Window window = app.ActiveWindow();
    const std::int32_t zoom = window.Zoom();
    window.setZoom(zoom + 1);
    window.setZoom(zoom);
}

} // namespace picrows
