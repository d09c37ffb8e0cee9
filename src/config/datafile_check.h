// Datafiles are walked before Allegro loads them: its loader calls through a null pointer when
// a datafile ends before the objects its counts promise.
#pragma once

struct DATAFILE;

// True when the file at `path` is an Allegro datafile that holds every object it announces,
// nested datafiles included, so that load_datafile can read it to its end.
bool datafile_intact(const char *path);

// load_datafile for an intact file; null for a missing, damaged or cut-short one.
DATAFILE *load_intact_datafile(const char *path);
