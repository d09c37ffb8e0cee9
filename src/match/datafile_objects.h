// The objects of the three datafiles beside the game, in the order the game looks them up by.
// This is the one place that order is written: the generator names each object's source file
// after its entry ("NN_NAME.bmp"), and the tests check the packed files against it.
#pragma once

#include <array>

// menus.dat: the background, each button as its image and then its highlight, the pointer,
// two spare sprites that are never drawn, and the title.
#define MENU_DATAFILE_OBJECTS(X)                                                                  \
    X(BACKGROUND) X(OK) X(OK_LIT) X(CONTROLS) X(CONTROLS_LIT) X(POINTER) X(CROSSHAIR)             \
    X(TANK_BADGE) X(DOWN) X(DOWN_LIT) X(EXIT) X(EXIT_LIT) X(LOAD) X(LOAD_LIT) X(OPTIONS)          \
    X(OPTIONS_LIT) X(ONE_PLAYER) X(ONE_PLAYER_LIT) X(TWO_PLAYERS) X(TWO_PLAYERS_LIT)              \
    X(THREE_PLAYERS) X(THREE_PLAYERS_LIT) X(FOUR_PLAYERS) X(FOUR_PLAYERS_LIT) X(SAVE)             \
    X(SAVE_LIT) X(START) X(START_LIT) X(TITLE) X(UP) X(UP_LIT)
// textures.dat: the computer tanks' texture also covers the arena walls.
#define TEXTURE_DATAFILE_OBJECTS(X) X(GROUND) X(COMPUTER_TANK) X(TRACKS) X(HUMAN_TANK)
// sounds.dat: the three cues of a match.
#define SOUND_DATAFILE_OBJECTS(X) X(DESTROYED) X(SHOT) X(HIT)

#define MENU_ENUMERATOR(name) MENU_##name,
#define TEXTURE_ENUMERATOR(name) TEXTURE_##name,
#define SOUND_ENUMERATOR(name) SOUND_##name,
#define DATAFILE_OBJECT_NAME(name) #name,

enum MenuObject { MENU_DATAFILE_OBJECTS(MENU_ENUMERATOR) MENU_OBJECT_COUNT };
enum TextureSlot { TEXTURE_DATAFILE_OBJECTS(TEXTURE_ENUMERATOR) NUM_TEXTURES };
enum SoundIndex { SOUND_DATAFILE_OBJECTS(SOUND_ENUMERATOR) NUM_SOUNDS };

constexpr std::array<const char *, MENU_OBJECT_COUNT> MENU_OBJECT_NAMES = {
    MENU_DATAFILE_OBJECTS(DATAFILE_OBJECT_NAME)};
constexpr std::array<const char *, NUM_TEXTURES> TEXTURE_OBJECT_NAMES = {
    TEXTURE_DATAFILE_OBJECTS(DATAFILE_OBJECT_NAME)};
constexpr std::array<const char *, NUM_SOUNDS> SOUND_OBJECT_NAMES = {
    SOUND_DATAFILE_OBJECTS(DATAFILE_OBJECT_NAME)};

// The sounds' sample rate is the one the sound library mixes at on the usual devices, so that
// they are played sample for sample: resampled from a lower rate, every tone came back mirrored
// below the mix's own half rate. Their content stays below SOUND_BAND_HZ, half of half the
// rate, so that a device mixing at half the rate folds nothing back either.
constexpr int SOUND_RATE = 44100;
constexpr int SOUND_BAND_HZ = SOUND_RATE / 4;

#undef MENU_ENUMERATOR
#undef TEXTURE_ENUMERATOR
#undef SOUND_ENUMERATOR
#undef DATAFILE_OBJECT_NAME
