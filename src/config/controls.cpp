#include "config/controls.h"
