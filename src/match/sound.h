// The three sound cues of a match, heard from player 0's tank.
#pragma once

#include "config/datafile_objects.h"

struct DATAFILE;


// Samples loaded from "sounds.dat" at start-up; null when it could not be read.
extern DATAFILE *sound_data;

// Volume 0 to 255 for a sound at (x, z), or -1 when it is too far from player 0 to be heard.
int sound_volume_at(int x, int z);

void play_sound_at(int sample, int x, int z);
