#include "match/setup.h"
