#include "render/display.h"
