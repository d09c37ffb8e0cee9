#include "match/movement.h"
