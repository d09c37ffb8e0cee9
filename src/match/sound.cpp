#include "match/sound.h"
