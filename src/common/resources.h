#pragma once

namespace vel {
// Registers the program's artwork (":/splash.svg", ":/velmora.svg", the tray
// icons). It lives in a static library, whose resources the linker would
// otherwise drop.
void initResources();
}  // namespace vel
