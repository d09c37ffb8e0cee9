#include "render/textures.h"
