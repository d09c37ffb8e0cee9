// Built by the layer check: the renderer's header is found from the renderer's include root and
// must not be from the simulation's.
#include "render/rotation.h"
