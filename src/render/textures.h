// The four textures of a match, made from "textures.dat".
#pragma once

#include "match/datafile_objects.h"

#include <array>
#include <cstdint>

// OpenGL texture names; 0 stands for an untextured surface.
extern std::array<uint32_t, NUM_TEXTURES> texture_ids;

void load_textures(const char *filename, int count);
