#include "render/view.h"

#include "match/numeric.h"
#include "match/world.h"
#include "render/batches.h"
#include "render/display.h"
#include "render/model_meshes.h"
#include "render/presentation.h"
#include "render/rotation.h"
#include "render/textures.h"
#include "render/view_tricks.h"
#include "render/view_volume.h"

#include <allegro.h>
#include <alleggl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

// Window rectangles, origin at the bottom-left corner; a width of 0 marks a player that has
// none in that layout.
struct Viewport {
    int x, y, width, height;
};

constexpr int HALF_WIDTH = SCREEN_WIDTH / 2;
constexpr int HALF_HEIGHT = SCREEN_HEIGHT / 2;

constexpr Viewport FULL_SCREEN{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
constexpr Viewport LOWER_HALF{0, 0, SCREEN_WIDTH, HALF_HEIGHT};
constexpr Viewport UPPER_HALF{0, HALF_HEIGHT, SCREEN_WIDTH, HALF_HEIGHT};
constexpr Viewport LOWER_LEFT{0, 0, HALF_WIDTH, HALF_HEIGHT};
constexpr Viewport UPPER_LEFT{0, HALF_HEIGHT, HALF_WIDTH, HALF_HEIGHT};
constexpr Viewport LOWER_RIGHT{HALF_WIDTH, 0, HALF_WIDTH, HALF_HEIGHT};
constexpr Viewport UPPER_RIGHT{HALF_WIDTH, HALF_HEIGHT, HALF_WIDTH, HALF_HEIGHT};
constexpr Viewport NO_VIEWPORT{0, 0, 0, 0};

// By last_human_player, then by player.
constexpr std::array<std::array<Viewport, MAX_PLAYERS>, MAX_PLAYERS> VIEWPORTS = {{
    {{FULL_SCREEN, NO_VIEWPORT, NO_VIEWPORT, NO_VIEWPORT}},
    {{LOWER_HALF, UPPER_HALF, NO_VIEWPORT, NO_VIEWPORT}},
    {{LOWER_LEFT, UPPER_LEFT, LOWER_RIGHT, UPPER_RIGHT}},
    {{LOWER_LEFT, UPPER_LEFT, LOWER_RIGHT, UPPER_RIGHT}},
}};

constexpr float WORLD_SCALE = 0.1f;

// The tank models are built with +x forward and +z up.
constexpr float TANK_MODEL_SCALE = 0.7f;
constexpr float MODEL_HEADING_OFFSET = 90.0f;
constexpr float MODEL_UP_TURN = -90.0f;

constexpr float SHELL_HEIGHT = -9.5f;
constexpr Colour SHELL_COLOUR = {0.5f, 0.5f, 0.3f};
constexpr Colour TREE_COLOUR = {0.0f, 0.5f, 0.0f};

// Every explosion fragment is this one triangle, which reaches FRAGMENT_RADIUS from its centre.
constexpr float FRAGMENT_RADIUS = 0.3f;
constexpr std::array<std::array<float, 3>, 3> FRAGMENT_TRIANGLE = {{
    {0.0f, 0.2f, 0.0f},
    {0.2f, -0.2f, 0.1f},
    {-0.2f, -0.2f, -0.1f},
}};

constexpr float GROUND_HALF_SIZE = 1000.0f;
constexpr float GROUND_TILING = 200.0f;
constexpr float WALL_TOP = 0.0f;
constexpr float WALL_TILING = 10.0f;

// Parts at least this far from the viewing tank on the ground may be drawn from simpler models,
// where that moves their outline on the screen by at most SILHOUETTE_PIXELS.
constexpr float FULL_DETAIL_RANGE = DRAW_RANGE / 3.0f;
constexpr double SILHOUETTE_PIXELS = 0.5;

using Rotation = Matrix3<float>;

// Everything a view needs about its player, worked out once per view.
struct View {
    const Tank *viewer;
    ViewVolume volume;
};

// The tanks of one view that show, by part: hull and tracks at the tank, turret and barrel at
// the turret.
struct ShownPart {
    Placement placement;
    SphereView lies;
    bool small; // on the screen: its triangles are worth sifting
    bool human;
    int level; // of detail: 0 drawn from the full models
};

struct ShownTanks {
    int hull_count = 0;
    int turret_count = 0;
    std::array<ShownPart, MAX_TANKS> hulls;
    std::array<ShownPart, MAX_TANKS> turrets;
};

ShownTanks shown;

bool valid_player(int player) {
    return player >= 0 && player < MAX_PLAYERS;
}

bool within_draw_range(float dx, float dz) {
    return trunc_within(dx, DRAW_RANGE) && trunc_within(dz, DRAW_RANGE);
}

void bind_texture(uint32_t name) {
    glBindTexture(GL_TEXTURE_2D, name);
}

// A tank model at (x, y, z): turned to the heading, model +z up, scaled.
Placement tank_placement(float x, float y, float z, float heading) {
    Rotation m = multiply(rotation_about<float>(1, heading - MODEL_HEADING_OFFSET),
                          rotation_about<float>(0, MODEL_UP_TURN));
    for (auto &row : m) {
        for (float &v : row) {
            v *= TANK_MODEL_SCALE;
        }
    }
    return Placement{m, x, y, z};
}

float model_radius(std::initializer_list<Model> models) {
    float r = 0.0f;
    for (Model model : models) {
        r = std::max(r, model_mesh(model).radius);
    }
    return r * TANK_MODEL_SCALE;
}

using LevelErrors = std::array<float, DETAIL_LEVELS>;

// How far (world units) the models of these parts lie at most from the full ones, by level.
LevelErrors model_errors(std::initializer_list<Model> models) {
    LevelErrors errors{};
    for (int level = 0; level < DETAIL_LEVELS; ++level) {
        for (Model model : models) {
            errors[level] = std::max(
                errors[level], model_table(model_at_level(model, level)).error * TANK_MODEL_SCALE);
        }
    }
    return errors;
}

// The simplest level of detail at which parts at (x, y, z) within `radius` look the same: the
// switch distances follow from the projection and the viewport's size.
int detail_level(const View &view, float x, float y, float z, float radius,
                 const LevelErrors &errors) {
    const float dx = x - view.viewer->x;
    const float dz = z - view.viewer->z;
    if (!view_tricks.level_of_detail || dx * dx + dz * dz < FULL_DETAIL_RANGE * FULL_DETAIL_RANGE) {
        return 0;
    }
    int level = 0;
    while (level + 1 < DETAIL_LEVELS &&
           pixels_moved(view.volume, x, y, z, radius, errors[level + 1]) <= SILHOUETTE_PIXELS) {
        ++level;
    }
    return level;
}

// Where an object's bounding sphere lies in the view; without frustum culling every object is
// sent as one that may reach across the view's edge.
SphereView where_in_view(const ViewVolume &volume, double x, double y, double z, double radius) {
    return view_tricks.frustum_cull ? sphere_view(volume, x, y, z, radius) : SPHERE_INTERSECTING;
}

bool small_on_screen(const ViewVolume &volume, double x, double y, double z, double radius) {
    return view_tricks.small_triangle_cull && looks_small(volume, x, y, z, radius);
}

void find_shown_tanks(const View &view) {
    static const float hull_radius =
        model_radius({HULL_MODEL, LEFT_TRACK_MODEL, RIGHT_TRACK_MODEL});
    static const float turret_radius = model_radius({TURRET_MODEL, BARREL_MODEL});
    static const LevelErrors hull_errors =
        model_errors({HULL_MODEL, LEFT_TRACK_MODEL, RIGHT_TRACK_MODEL});
    static const LevelErrors turret_errors = model_errors({TURRET_MODEL, BARREL_MODEL});
    shown.hull_count = 0;
    shown.turret_count = 0;
    const int count = tanks_in_play();
    for (int i = 0; i < count; ++i) {
        const Tank &tank = tanks[i];
        if (tank.life <= 0 ||
            !within_draw_range(tank.x - view.viewer->x, tank.z - view.viewer->z)) {
            continue;
        }
        const bool human = i <= last_human_player;
        const SphereView hull = where_in_view(view.volume, tank.x, tank.y, tank.z, hull_radius);
        if (hull != SPHERE_OUTSIDE) {
            shown.hulls[shown.hull_count++] =
                ShownPart{tank_placement(tank.x, tank.y, tank.z, tank.heading), hull,
                          small_on_screen(view.volume, tank.x, tank.y, tank.z, hull_radius), human,
                          detail_level(view, tank.x, tank.y, tank.z, hull_radius, hull_errors)};
        }
        const SphereView turret =
            where_in_view(view.volume, tank.turret_x, tank.y, tank.turret_z, turret_radius);
        if (turret != SPHERE_OUTSIDE) {
            shown.turrets[shown.turret_count++] = ShownPart{
                tank_placement(tank.turret_x, tank.y, tank.turret_z, tank.turret_heading), turret,
                small_on_screen(view.volume, tank.turret_x, tank.y, tank.turret_z, turret_radius),
                human,
                detail_level(view, tank.turret_x, tank.y, tank.turret_z, turret_radius,
                             turret_errors)};
        }
    }
}

// One part of the shown tanks, the human players' first; a body part twice, once per body
// texture; the near copies, then the further ones level by level.
void draw_part(Model model, bool body, const std::array<ShownPart, MAX_TANKS> &parts, int count,
               const ViewVolume &volume) {
    for (const bool human : {true, false}) {
        if (!body && !human) {
            return;
        }
        const uint32_t texture = !body   ? texture_ids[TEXTURE_TRACKS]
                                 : human ? texture_ids[TEXTURE_HUMAN_TANK]
                                         : texture_ids[TEXTURE_COMPUTER_TANK];
        for (int level = 0; level < DETAIL_LEVELS; ++level) {
            const auto in_batch = [&](const ShownPart &part) {
                return (!body || part.human == human) && part.level == level;
            };
            // Each batch changes OpenGL's state: one without copies is left out.
            if (std::none_of(parts.begin(), parts.begin() + count, in_batch)) {
                continue;
            }
            begin_mesh_batch(model_at_level(model, level), texture);
            for (int i = 0; i < count; ++i) {
                if (in_batch(parts[i])) {
                    add_mesh_copy(parts[i].placement, volume, parts[i].lies, parts[i].small);
                }
            }
            end_mesh_batch();
        }
    }
}

void draw_tanks(const View &view) {
    find_shown_tanks(view);
    draw_part(HULL_MODEL, true, shown.hulls, shown.hull_count, view.volume);
    draw_part(LEFT_TRACK_MODEL, false, shown.hulls, shown.hull_count, view.volume);
    draw_part(RIGHT_TRACK_MODEL, false, shown.hulls, shown.hull_count, view.volume);
    draw_part(TURRET_MODEL, true, shown.turrets, shown.turret_count, view.volume);
    draw_part(BARREL_MODEL, true, shown.turrets, shown.turret_count, view.volume);
    bind_texture(0);
}

void add_shells(const View &view) {
    static const float radius = model_mesh(SHELL_MODEL).radius;
    for (const Bullet &bullet : bullets) {
        if (bullet.life <= 0 ||
            !within_draw_range(bullet.x - view.viewer->x, bullet.z - view.viewer->z)) {
            continue;
        }
        const SphereView lies =
            where_in_view(view.volume, bullet.x, SHELL_HEIGHT, bullet.z, radius);
        if (lies != SPHERE_OUTSIDE) {
            add_coloured_mesh(SHELL_MODEL, bullet.x, SHELL_HEIGHT, bullet.z, SHELL_COLOUR,
                              view.volume, lies, view_tricks.small_triangle_cull);
        }
    }
}

using Corners = std::array<std::array<float, 3>, 3>;

// A fragment's triangle turned by its angles, kept with the angles it was turned by: the
// other views of a frame find it ready.
struct TurnedFragment {
    bool turned;
    std::array<float, 3> angles;
    Corners corners;
};
std::array<TurnedFragment, MAX_PARTICLES> turned_fragments{};

const Corners &turned_fragment(std::ptrdiff_t slot) {
    const Particle &p = particles[slot];
    TurnedFragment &cached = turned_fragments[slot];
    const std::array<float, 3> angles = {p.angle_x, p.angle_y, p.angle_z};
    if (cached.turned && std::memcmp(angles.data(), cached.angles.data(), sizeof angles) == 0) {
        return cached.corners;
    }
    const Rotation m =
        multiply(multiply(rotation_about<float>(0, p.angle_x), rotation_about<float>(1, p.angle_y)),
                 rotation_about<float>(2, p.angle_z));
    for (int i = 0; i < 3; ++i) {
        const auto &v = FRAGMENT_TRIANGLE[i];
        cached.corners[i] = {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
                             m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
                             m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
    }
    cached.angles = angles;
    cached.turned = true;
    return cached.corners;
}

void add_fragments(const View &view) {
    for (const Particle &p : particles) {
        if (p.life <= 0 || !within_draw_range(p.x - view.viewer->x, p.z - view.viewer->z)) {
            continue;
        }
        const SphereView lies = where_in_view(view.volume, p.x, p.y, p.z, FRAGMENT_RADIUS);
        if (lies == SPHERE_OUTSIDE) {
            continue;
        }
        const Corners &turned = turned_fragment(&p - particles.data());
        Corners corners;
        for (int i = 0; i < 3; ++i) {
            corners[i] = {turned[i][0] + p.x, turned[i][1] + p.y, turned[i][2] + p.z};
        }
        add_coloured_triangle(corners, Colour{p.red, p.green, p.blue}, view.volume, lies,
                              view_tricks.small_triangle_cull);
    }
}

void add_trees(const View &view) {
    static const float radius = model_mesh(TREE_MODEL).radius;
    const int count = trees_in_play();
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>(trees[i].x);
        const float z = static_cast<float>(trees[i].z);
        if (!within_draw_range(x - view.viewer->x, z - view.viewer->z)) {
            continue;
        }
        const SphereView lies = where_in_view(view.volume, x, GROUND_Y, z, radius);
        if (lies != SPHERE_OUTSIDE) {
            add_coloured_mesh(TREE_MODEL, x, GROUND_Y, z, TREE_COLOUR, view.volume, lies, false);
        }
    }
}

void draw_ground() {
    constexpr float G = GROUND_HALF_SIZE;
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

void draw_walls(const Tank &viewer) {
    const float w = static_cast<float>(game_settings.arena_width);
    const float h = static_cast<float>(game_settings.arena_height);
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

ViewTricks view_tricks;

void set_player_camera(int player) {
    glLoadIdentity();
    if (!valid_player(player)) {
        return;
    }
    if (last_human_player >= 0 && last_human_player < MAX_PLAYERS) {
        const Viewport &v = VIEWPORTS[last_human_player][player];
        if (v.width > 0) {
            // Laid out on the 640x480 picture, drawn at the window's own resolution.
            const WindowRect shown = scaled_viewport(presentation, {v.x, v.y, v.width, v.height});
            glViewport(shown.x, shown.y, shown.width, shown.height);
        }
    }
    const PlayerCamera &camera = player_cameras[player];
    glRotatef(camera.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(camera.yaw, 0.0f, 1.0f, 0.0f);
    glScalef(WORLD_SCALE, WORLD_SCALE, WORLD_SCALE);
    glTranslatef(camera.translate_x, camera.translate_y, camera.translate_z);
}

// The camera is loaded once; every object is placed in the world on the CPU and sent with the
// others of its kind, and whatever lies wholly outside the view is left out. The trees come
// first, then the tanks part by part, the shells, the fragments, the ground and the walls: the
// large trees, drawn first, spare the rasteriser what they hide, and the order between kinds
// shows only where two surfaces lie at exactly the same depth.
void draw_player_view(int player) {
    if (!valid_player(player)) {
        return;
    }
    set_player_camera(player);
    // The viewport as OpenGL has it: a player without one in this layout keeps the last.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const View view{&tanks[player],
                    view_volume(player_cameras[player], WORLD_SCALE,
                                {viewport[0], viewport[1], viewport[2], viewport[3]})};
    // Every triangle drawn here has one colour at all its corners, so flat shading shows the
    // same and spares the rasteriser a colour to interpolate.
    glShadeModel(GL_FLAT);
    begin_colour_batch();
    add_trees(view);
    end_colour_batch();
    draw_tanks(view);
    begin_colour_batch();
    add_shells(view);
    add_fragments(view);
    end_colour_batch();
    draw_ground();
    draw_walls(*view.viewer);
}
