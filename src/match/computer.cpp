#include "match/computer.h"
