// The display lists of the models: compiled once per match, called by the views.
#pragma once

#include <array>
#include <cstdint>

enum ModelList {
    HULL_LIST = 0,
    LEFT_TRACK_LIST,
    RIGHT_TRACK_LIST,
    TURRET_LIST,
    BARREL_LIST,
    SHELL_LIST,
    TREE_LIST,
};
constexpr int NUM_MODEL_LISTS = 7;

// Consecutive display-list names; all 0 when OpenGL had no names to give.
extern std::array<uint32_t, NUM_MODEL_LISTS> model_lists;

void build_model_lists();
