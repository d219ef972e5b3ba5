#include <QtGlobal>

// The artwork lives in a static library; its resources must be registered by
// hand, or the linker drops them.
static void registerAssets() { Q_INIT_RESOURCE(assets); }

namespace vel {
void initResources() { registerAssets(); }
}  // namespace vel
