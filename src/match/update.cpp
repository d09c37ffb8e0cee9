#include "match/update.h"
