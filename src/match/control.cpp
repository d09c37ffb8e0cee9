#include "match/control.h"
