// The three sound cues of a match, heard from player 0's tank.
#pragma once

#include "match/datafile_objects.h"

struct DATAFILE;

// The mix: this many voices, each at full volume and centred given 2^-SOUND_VOICE_HALVINGS of
// full scale (Allegro's volume per voice). All of them together at full volume cannot clip
// with cues that peak below full scale / (SOUND_VOICES * 2^-SOUND_VOICE_HALVINGS), and a single
// cue beside player 1 is still heard loud, above a quarter of full scale: more voices could
// not have both. When more cues are due, the oldest one gives its voice up.
constexpr int SOUND_VOICES = 3;
constexpr int SOUND_VOICE_HALVINGS = 1;

// Samples loaded from "sounds.dat" at start-up; null when it could not be read.
extern DATAFILE *sound_data;

// Makes `data` (or null) the sounds datafile and finds its cues in it once: a cue whose object
// is missing or holds something else than a sample stays silent.
void use_sound_data(DATAFILE *data);

void play_sound_at(int sample, int x, int z);
