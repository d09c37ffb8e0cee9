// The four textures of a match, made from "textures.dat".
#pragma once

#include <array>
#include <cstdint>

enum TextureSlot {
    TEXTURE_GROUND = 0,
    TEXTURE_COMPUTER_TANK = 1, // also the arena walls
    TEXTURE_TRACKS = 2,
    TEXTURE_HUMAN_TANK = 3,
};
constexpr int NUM_TEXTURES = 4;

// OpenGL texture names; 0 stands for an untextured surface.
extern std::array<uint32_t, NUM_TEXTURES> texture_ids;

void load_textures(const char *filename, int count);
