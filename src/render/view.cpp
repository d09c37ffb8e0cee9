#include "render/view.h"
