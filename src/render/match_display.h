// The renderer's side of a match: the table the match loop draws through.
#pragma once

#include "match/match_loop.h"

extern const MatchDisplay match_display;
