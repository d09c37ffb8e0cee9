// Datafiles are walked before Allegro loads them: its loader calls through a null pointer when
// a datafile ends before the objects its counts promise.
#pragma once

struct DATAFILE;

// load_datafile for an intact file; null for a missing, damaged or cut-short one.
DATAFILE *load_intact_datafile(const char *path);
