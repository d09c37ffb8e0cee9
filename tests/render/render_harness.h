// Shared by the picture tests, the snapshot tool and the frame benchmark: a display opened
// the game's way, a world placed by hand, small datafiles of known colours, and the
// picture read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

// A small image for a datafile: width x height pixels, row 0 first.
struct TestImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

TestImage uniform_image(int size, Rgb colour);

// One object of a datafile: a bitmap, or (with no image) a block of plain data.
struct TestObject {
    bool is_bitmap = true;
    TestImage image;
};

// Writes an uncompressed Allegro datafile; false when the file cannot be written.
bool write_datafile(const std::string &path, const std::vector<TestObject> &objects);
// A textures.dat of four 64 x 64 textures, each striped in two colours of its own, so that a
// texture coordinate or a texture gone wrong shows; false when it cannot be written.
bool write_striped_textures(const std::string &path);

// A fresh path in the temporary folder for a file of this name.
std::string temp_path(const std::string &name);

// Allegro with keyboard and timer, the menu mode, then the match display as a match opens it.
bool start_match_display();
void stop_match_display();
// Textures from the file and the projection: the rest of a match's set-up.
void prepare_match_graphics(const std::string &texture_file);

// Empty tables, default settings with no tanks or trees in play, the given players.
void clear_world(int last_human);
// Puts tank slot `slot` at (x, z), alive, and aims its hull and turret along `heading`.
void place_tank(int slot, float x, float z, float heading);
// The camera of player p, as the camera step sets it from tank slot p.
void aim_camera(int player);

// Clear, every human player's view, then the picture read back (before the flip).
std::vector<uint8_t> render_frame();
// The same with only one player's view drawn.
std::vector<uint8_t> render_single_view(int player);
std::vector<uint8_t> read_frame();
Rgb pixel_at(const std::vector<uint8_t> &frame, int x, int y);
// The colour a cleared window shows.
Rgb clear_colour();

// Where a world point lands on the screen for player p, and its depth in eye units.
struct Projection {
    double x, y;
    double eye_depth;
    bool in_view;
};
Projection project(int player, double x, double y, double z);
// A point of a tank model (x forward, y left, z up) in the world.
void tank_model_to_world(float tank_x, float tank_y, float tank_z, float heading, double mx,
                         double my, double mz, double out[3]);

// A colour of 0..1 components after linear fog at this eye depth, in 0..255.
Rgb fogged(double r, double g, double b, double eye_depth);
