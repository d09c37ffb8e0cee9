#include "frontend/game.h"

DATAFILE *menu_data = nullptr;
int white = 0;
