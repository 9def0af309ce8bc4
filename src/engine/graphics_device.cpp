#include "engine/graphics_device.h"

#include <dirent.h>

#include <cstdlib>
#include <cstring>

// Without a graphics device (no render node), OpenGL is Mesa's software
// rasteriser, and the compatibility layer's GL path costs several times the
// plain X image copy for the same pixels. The player's own choice wins.
void ChooseSoftwarePresentation() {
  if (DIR* devices = opendir("/dev/dri")) {
    bool renderNode = false;
    while (const dirent* entry = readdir(devices)) renderNode |= std::strncmp(entry->d_name, "renderD", 7) == 0;
    closedir(devices);
    if (renderNode) return;
  }
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
}
