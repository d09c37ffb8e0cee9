#include "config/settings_bounds.h"
