#include "common/resources.h"

#include <QtGlobal>

// Outside any namespace, as the macro needs.
static void registerAssets() { Q_INIT_RESOURCE(assets); }

namespace vel {
void initResources() { registerAssets(); }
}  // namespace vel
