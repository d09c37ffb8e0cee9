#include "render/models.h"
