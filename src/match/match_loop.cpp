#include "match/match_loop.h"
