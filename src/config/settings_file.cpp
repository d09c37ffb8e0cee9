#include "config/settings_file.h"
