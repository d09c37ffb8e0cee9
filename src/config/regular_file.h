// Opening the game's own files only when they are plain files, and finding the file a link
// names: the platform-specific half of the configuration files, beside replace_file.
#pragma once

struct PACKFILE;

// pack_fopen of `path` for reading (`mode` as pack_fopen takes it), refused at once, without
// waiting for a writer, when `path` is not a regular file: a FIFO, a device or a folder.
PACKFILE *open_regular_for_reading(const char *path, const char *mode);

// pack_fopen of `path` for writing, made or emptied, refused at once when something other than
// a regular file has that name.
PACKFILE *open_regular_for_writing(const char *path, const char *mode);

// True when something other than a regular file has the name `path`: a FIFO, a device, a
// folder. A missing name is not.
bool taken_by_other_kind(const char *path);

// A new file `path` for writing; refused when anything of that name exists already.
PACKFILE *create_new_file(const char *path, const char *mode);

// Puts into `target` (`size` bytes) the name of the file `path` stands for once every symbolic
// link on the way is followed: `path` itself when it is no link. False when the links loop or
// the name does not fit.
bool follow_links(const char *path, char *target, int size);

// True when the last part of `path`, with `spare` more bytes, is a name the file system takes
// and the whole path is not longer than the platform allows.
bool name_fits(const char *path, int spare);
