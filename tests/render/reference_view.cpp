// The player view as first written: every object positioned with its own matrix from the bare
// camera (the game's set_player_camera) and drawn with its own display-list call or glBegin. The
// yardstick for the game's batched view, in the picture test and the frame benchmark.
#include "reference_view.h"

#include "render/view.h"
#include "match/numeric.h"
#include "match/world.h"
#include "render/display.h"
#include "render/models.h"
#include "render/textures.h"

#include <allegro.h>
#include <alleggl.h>

#include <array>

namespace {

// The tank models are built with +x forward and +z up.
constexpr float TANK_MODEL_SCALE = 0.7f;
constexpr float MODEL_HEADING_OFFSET = 90.0f;
constexpr float MODEL_UP_TURN = -90.0f;

constexpr float SHELL_HEIGHT = -9.5f;
constexpr std::array<float, 3> SHELL_COLOUR = {0.5f, 0.5f, 0.3f};
constexpr std::array<float, 3> TREE_COLOUR = {0.0f, 0.5f, 0.0f};

// Every explosion fragment is this one triangle.
constexpr std::array<std::array<float, 3>, 3> FRAGMENT_TRIANGLE = {{
    {0.0f, 0.2f, 0.0f},
    {0.2f, -0.2f, 0.1f},
    {-0.2f, -0.2f, -0.1f},
}};

constexpr float GROUND_HALF_SIZE = 1000.0f;
constexpr float GROUND_TILING = 200.0f;
constexpr float WALL_TOP = 0.0f;
constexpr float WALL_TILING = 10.0f;

bool valid_player(int player) {
    return player >= 0 && player < MAX_PLAYERS;
}

bool within_draw_range(float dx, float dz) {
    return trunc_within(dx, DRAW_RANGE) && trunc_within(dz, DRAW_RANGE);
}

void call_model(ModelList list) {
    // A match whose lists could not be made draws no models.
    if (model_lists[list] != 0) {
        glCallList(model_lists[list]);
    }
}

void bind_texture(uint32_t name) {
    glBindTexture(GL_TEXTURE_2D, name);
}

void turn_to_model_frame(float heading) {
    glRotatef(heading - MODEL_HEADING_OFFSET, 0.0f, 1.0f, 0.0f);
    glRotatef(MODEL_UP_TURN, 1.0f, 0.0f, 0.0f);
    glScalef(TANK_MODEL_SCALE, TANK_MODEL_SCALE, TANK_MODEL_SCALE);
}

void draw_tanks(int player, const Tank &viewer) {
    const int count = tanks_in_play();
    for (int i = 0; i < count; ++i) {
        const Tank &tank = tanks[i];
        if (tank.life <= 0 || !within_draw_range(tank.x - viewer.x, tank.z - viewer.z)) {
            continue;
        }
        const uint32_t body = i > last_human_player ? texture_ids[TEXTURE_COMPUTER_TANK]
                                                    : texture_ids[TEXTURE_HUMAN_TANK];
        set_player_camera(player);
        glTranslatef(tank.x, tank.y, tank.z);
        turn_to_model_frame(tank.heading);
        bind_texture(body);
        call_model(HULL_LIST);
        bind_texture(texture_ids[TEXTURE_TRACKS]);
        call_model(LEFT_TRACK_LIST);
        call_model(RIGHT_TRACK_LIST);

        set_player_camera(player);
        glTranslatef(tank.turret_x, tank.y, tank.turret_z);
        turn_to_model_frame(tank.turret_heading);
        bind_texture(body);
        call_model(TURRET_LIST);
        call_model(BARREL_LIST);
        bind_texture(0);
    }
}

void draw_shells(int player, const Tank &viewer) {
    for (const Bullet &bullet : bullets) {
        if (bullet.life <= 0 || !within_draw_range(bullet.x - viewer.x, bullet.z - viewer.z)) {
            continue;
        }
        set_player_camera(player);
        glTranslatef(bullet.x, SHELL_HEIGHT, bullet.z);
        bind_texture(0);
        glColor3f(SHELL_COLOUR[0], SHELL_COLOUR[1], SHELL_COLOUR[2]);
        call_model(SHELL_LIST);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
}

void draw_fragments(int player, const Tank &viewer) {
    for (const Particle &p : particles) {
        if (p.life <= 0 || !within_draw_range(p.x - viewer.x, p.z - viewer.z)) {
            continue;
        }
        set_player_camera(player);
        glTranslatef(p.x, p.y, p.z);
        glRotatef(p.angle_x, 1.0f, 0.0f, 0.0f);
        glRotatef(p.angle_y, 0.0f, 1.0f, 0.0f);
        glRotatef(p.angle_z, 0.0f, 0.0f, 1.0f);
        bind_texture(0);
        glColor3f(p.red, p.green, p.blue);
        glBegin(GL_TRIANGLES);
        for (const auto &v : FRAGMENT_TRIANGLE) {
            glVertex3f(v[0], v[1], v[2]);
        }
        glEnd();
        glColor3f(1.0f, 1.0f, 1.0f);
    }
}

void draw_trees(int player, const Tank &viewer) {
    const int count = trees_in_play();
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(trees[i].x);
        const float z = static_cast<float>(trees[i].z);
        if (!within_draw_range(x - viewer.x, z - viewer.z)) {
            continue;
        }
        set_player_camera(player);
        glTranslatef(x, GROUND_Y, z);
        bind_texture(0);
        glColor3f(TREE_COLOUR[0], TREE_COLOUR[1], TREE_COLOUR[2]);
        call_model(TREE_LIST);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
}

void draw_ground(int player) {
    constexpr float G = GROUND_HALF_SIZE;
    set_player_camera(player);
    bind_texture(texture_ids[TEXTURE_GROUND]);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-G, GROUND_Y, -G);
    glTexCoord2f(GROUND_TILING, 0.0f);
    glVertex3f(G, GROUND_Y, -G);
    glTexCoord2f(GROUND_TILING, GROUND_TILING);
    glVertex3f(G, GROUND_Y, G);
    glTexCoord2f(0.0f, GROUND_TILING);
    glVertex3f(-G, GROUND_Y, G);
    glEnd();
}

// One wall: its two top corners, then down to the ground below the second and the first.
void wall_quad(float x0, float z0, float x1, float z1) {
    glTexCoord2f(WALL_TILING, 0.0f);
    glVertex3f(x0, WALL_TOP, z0);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x1, WALL_TOP, z1);
    glTexCoord2f(0.0f, WALL_TILING);
    glVertex3f(x1, GROUND_Y, z1);
    glTexCoord2f(WALL_TILING, WALL_TILING);
    glVertex3f(x0, GROUND_Y, z0);
}

void draw_walls(int player, const Tank &viewer) {
    const float w = static_cast<float>(game_settings.arena_width);
    const float h = static_cast<float>(game_settings.arena_height);
    set_player_camera(player);
    bind_texture(texture_ids[TEXTURE_COMPUTER_TANK]);
    glBegin(GL_QUADS);
    if (trunc_within(-h - viewer.z, DRAW_RANGE)) {
        wall_quad(-w, -h, w, -h);
    }
    if (trunc_within(h - viewer.z, DRAW_RANGE)) {
        wall_quad(-w, h, w, h);
    }
    if (trunc_within(-w - viewer.x, DRAW_RANGE)) {
        wall_quad(-w, -h, -w, h);
    }
    if (trunc_within(w - viewer.x, DRAW_RANGE)) {
        wall_quad(w, -h, w, h);
    }
    glEnd();
}

} // namespace

namespace reference {

void draw_player_view(int player) {
    if (!valid_player(player)) {
        return;
    }
    const Tank &viewer = tanks[player];
    draw_tanks(player, viewer);
    draw_shells(player, viewer);
    draw_fragments(player, viewer);
    draw_trees(player, viewer);
    draw_ground(player);
    draw_walls(player, viewer);
}

} // namespace reference
