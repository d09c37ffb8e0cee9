#include "match/tick.h"
