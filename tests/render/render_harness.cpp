#include "render_harness.h"

#include "match/world.h"
#include "render/allocator_tuning.h"
#include "render/display.h"
#include "render/textures.h"
#include "render/view.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

constexpr uint32_t NOPACK_MAGIC = 0x736C682E;   // "slh."
constexpr uint32_t DATAFILE_MAGIC = 0x414C4C2E; // "ALL."
constexpr uint32_t BITMAP_TYPE = 0x424D5020;    // "BMP "
constexpr uint32_t DATA_TYPE = 0x44415441;      // "DATA"
constexpr int STORED_DEPTH = 24;
constexpr int PLAIN_DATA_BYTES = 16;

void put_u32(std::ofstream &out, uint32_t v) {
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                           static_cast<char>(v >> 8), static_cast<char>(v)};
    out.write(bytes, 4);
}

void put_u16(std::ofstream &out, uint32_t v) {
    const char bytes[2] = {static_cast<char>(v >> 8), static_cast<char>(v)};
    out.write(bytes, 2);
}

// Camera and view constants as the game documents them.
constexpr double CAMERA_PITCH = 10.0;
constexpr double WORLD_SCALE = 0.1;
constexpr double CAMERA_BACK = 10.0;
constexpr double CAMERA_UP = 12.0;
constexpr double TANK_SCALE = 0.7;
constexpr double FOG_START = 3.0;
constexpr double FOG_END = 16.0;
constexpr double NEAR_PLANE = 1.0;
constexpr double FAR_PLANE = 20.0;

double radians(double degrees) {
    return degrees * 3.141592654 / 180.0;
}

struct Rect {
    int x, y, w, h;
};

Rect viewport_of(int player) {
    if (last_human_player == 0) {
        return {0, 0, 640, 480};
    }
    if (last_human_player == 1) {
        return {0, player * 240, 640, 240};
    }
    return {(player / 2) * 320, (player % 2) * 240, 320, 240};
}

} // namespace

TestImage uniform_image(int size, Rgb colour) {
    TestImage image;
    image.width = size;
    image.height = size;
    image.pixels.assign(static_cast<size_t>(size) * size, colour);
    return image;
}

bool write_striped_textures(const std::string &path) {
    constexpr int SIZE = 64;
    constexpr int STRIPE = 4;
    const auto striped = [](Rgb a, Rgb b) {
        TestImage image = uniform_image(SIZE, a);
        for (int y = 0; y < SIZE; ++y) {
            for (int x = 0; x < SIZE; ++x) {
                if ((x / STRIPE + 2 * (y / STRIPE)) % 3 == 0) {
                    image.pixels[static_cast<size_t>(y) * SIZE + x] = b;
                }
            }
        }
        return TestObject{true, image};
    };
    return write_datafile(
        path, {striped({90, 140, 60}, {40, 70, 20}), striped({200, 60, 50}, {90, 20, 200}),
               striped({60, 60, 60}, {230, 230, 20}), striped({60, 90, 220}, {250, 250, 250})});
}

bool write_datafile(const std::string &path, const std::vector<TestObject> &objects) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    put_u32(out, NOPACK_MAGIC);
    put_u32(out, DATAFILE_MAGIC);
    put_u32(out, static_cast<uint32_t>(objects.size()));
    for (const TestObject &object : objects) {
        if (object.is_bitmap) {
            const TestImage &image = object.image;
            const uint32_t size = 6 + static_cast<uint32_t>(image.width * image.height * 3);
            put_u32(out, BITMAP_TYPE);
            put_u32(out, size);
            put_u32(out, size);
            put_u16(out, STORED_DEPTH);
            put_u16(out, static_cast<uint32_t>(image.width));
            put_u16(out, static_cast<uint32_t>(image.height));
            for (const Rgb &p : image.pixels) {
                const char rgb[3] = {static_cast<char>(p.r), static_cast<char>(p.g),
                                     static_cast<char>(p.b)};
                out.write(rgb, 3);
            }
        } else {
            put_u32(out, DATA_TYPE);
            put_u32(out, PLAIN_DATA_BYTES);
            put_u32(out, PLAIN_DATA_BYTES);
            for (int i = 0; i < PLAIN_DATA_BYTES; ++i) {
                out.put(static_cast<char>(i));
            }
        }
    }
    return static_cast<bool>(out);
}

namespace {

// A private folder for the files of one run, removed again when the program ends.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::random_device random;
        path = std::filesystem::temp_directory_path() /
               ("tankarena_render_" + std::to_string(random()));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

std::string temp_path(const std::string &name) {
    static const TempFolder folder;
    return (folder.path / name).string();
}

bool start_match_display() {
    // As the game does, before the first display starts any thread.
    static const bool allocator_tuned = (keep_freed_memory_for_reuse(), true);
    static_cast<void>(allocator_tuned);
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        return false;
    }
    install_keyboard();
    install_timer();
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT, 640, 480, 0, 0) != 0) {
        return false;
    }
    return open_match_display() == 0;
}

void stop_match_display() {
    close_match_display();
    allegro_exit();
}

void prepare_match_graphics(const std::string &texture_file) {
    load_textures(texture_file.c_str(), NUM_TEXTURES);
    set_projection();
}

void clear_world(int last_human) {
    game_settings = GameSettings{};
    game_settings.number_of_tanks = MAX_TANKS;
    game_settings.number_of_trees = 0;
    tanks.fill(Tank{});
    bullets.fill(Bullet{});
    trees.fill(Tree{});
    particles.fill(Particle{});
    player_cameras.fill(PlayerCamera{});
    last_human_player = last_human;
}

void place_tank(int slot, float x, float z, float heading) {
    Tank &t = tanks[slot];
    t = Tank{};
    t.x = x;
    t.y = GROUND_Y;
    t.z = z;
    t.heading = heading;
    t.turret_heading = heading;
    t.turret_x = x;
    t.turret_z = z;
    t.life = 1;
}

void aim_camera(int player) {
    const Tank &t = tanks[player];
    PlayerCamera &c = player_cameras[player];
    c.pitch = static_cast<float>(CAMERA_PITCH);
    c.yaw = -t.turret_heading - 180.0f;
    const double phi = radians(-c.yaw);
    c.translate_x = static_cast<float>(-t.x - std::sin(phi) * CAMERA_BACK);
    c.translate_z = static_cast<float>(-t.z - std::cos(phi) * CAMERA_BACK);
    c.translate_y = static_cast<float>(-t.y - CAMERA_UP);
}

std::vector<uint8_t> read_frame() {
    std::vector<uint8_t> frame(static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT * 3);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    return frame;
}

std::vector<uint8_t> render_frame() {
    clear_frame();
    for (int p = 0; p <= last_human_player; ++p) {
        draw_player_view(p);
    }
    return read_frame();
}

std::vector<uint8_t> render_single_view(int player) {
    clear_frame();
    draw_player_view(player);
    return read_frame();
}

Rgb pixel_at(const std::vector<uint8_t> &frame, int x, int y) {
    x = std::clamp(x, 0, SCREEN_WIDTH - 1);
    y = std::clamp(y, 0, SCREEN_HEIGHT - 1);
    const size_t i = (static_cast<size_t>(y) * SCREEN_WIDTH + x) * 3;
    return Rgb{frame[i], frame[i + 1], frame[i + 2]};
}

Rgb clear_colour() {
    clear_frame();
    return pixel_at(read_frame(), 0, 0);
}

Projection project(int player, double x, double y, double z) {
    const PlayerCamera &c = player_cameras[player];
    double vx = (x + c.translate_x) * WORLD_SCALE;
    double vy = (y + c.translate_y) * WORLD_SCALE;
    double vz = (z + c.translate_z) * WORLD_SCALE;
    // roll about z, then yaw about y, then the pitch about x
    double a = radians(c.roll);
    double rx = std::cos(a) * vx - std::sin(a) * vy;
    double ry = std::sin(a) * vx + std::cos(a) * vy;
    vx = rx;
    vy = ry;
    a = radians(c.yaw);
    rx = std::cos(a) * vx + std::sin(a) * vz;
    double rz = -std::sin(a) * vx + std::cos(a) * vz;
    vx = rx;
    vz = rz;
    a = radians(CAMERA_PITCH);
    ry = std::cos(a) * vy - std::sin(a) * vz;
    rz = std::sin(a) * vy + std::cos(a) * vz;
    vy = ry;
    vz = rz;

    Projection p{};
    p.eye_depth = -vz;
    const double ndc_x = vx / p.eye_depth;
    const double ndc_y = vy / p.eye_depth;
    const Rect v = viewport_of(player);
    p.x = v.x + (ndc_x + 1.0) * v.w / 2.0;
    p.y = v.y + (ndc_y + 1.0) * v.h / 2.0;
    p.in_view = p.eye_depth > NEAR_PLANE && p.eye_depth < FAR_PLANE && std::fabs(ndc_x) < 1.0 &&
                std::fabs(ndc_y) < 1.0;
    return p;
}

void tank_model_to_world(float tank_x, float tank_y, float tank_z, float heading, double mx,
                         double my, double mz, double out[3]) {
    // scale, then model z up (-90 about x), then the heading about y, then the position
    double x = mx * TANK_SCALE;
    double y = mz * TANK_SCALE;
    double z = -my * TANK_SCALE;
    const double a = radians(heading - 90.0);
    const double wx = std::cos(a) * x + std::sin(a) * z;
    const double wz = -std::sin(a) * x + std::cos(a) * z;
    out[0] = tank_x + wx;
    out[1] = tank_y + y;
    out[2] = tank_z + wz;
}

Rgb fogged(double r, double g, double b, double eye_depth) {
    const double f = std::clamp((FOG_END - eye_depth) / (FOG_END - FOG_START), 0.0, 1.0);
    auto mix = [f](double c, double fog) {
        return static_cast<int>(std::lround((f * c + (1.0 - f) * fog) * 255.0));
    };
    return Rgb{mix(r, FOG_COLOUR[0]), mix(g, FOG_COLOUR[1]), mix(b, FOG_COLOUR[2])};
}
