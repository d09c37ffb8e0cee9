#include "render/batches.h"

#include "render/model_meshes.h"
#include "render/small_triangle_cull.h"
#include "render/view_tricks.h"

#include <algorithm>

#include <allegro.h>
#include <alleggl.h>

namespace {

// A lane of objects inside the view holds a few dozen tanks' worth of one part: the per-draw
// cost vanishes, and the tables stay in the cache. The lane across the edge draws about one
// object at a time.
constexpr int WHOLE_LANE_VERTICES = 2048;
constexpr int EDGE_LANE_VERTICES = 512;
constexpr int INDICES_PER_VERTEX = 3;
constexpr int COLOUR_LANE_VERTICES = 3 * 4096;
static_assert(WHOLE_LANE_VERTICES <= 65536, "indices are 16 bits");
static_assert(MAX_MESH_VERTICES <= EDGE_LANE_VERTICES, "a model fits a lane");
static_assert(MAX_MESH_INDICES <= INDICES_PER_VERTEX * EDGE_LANE_VERTICES, "a model fits a lane");

struct MeshLane {
    int capacity = 0;
    int vertex_count = 0;
    int index_count = 0;
    std::array<MeshVertex, WHOLE_LANE_VERTICES> vertices;
    std::array<uint16_t, INDICES_PER_VERTEX * WHOLE_LANE_VERTICES> indices;
};

struct ColouredVertex {
    float x, y, z;
    float red, green, blue;
};

struct ColourLane {
    int capacity = 0;
    int vertex_count = 0;
    std::array<ColouredVertex, COLOUR_LANE_VERTICES> vertices;
};

const Mesh *batch_mesh = nullptr;
bool batch_hides_back_faces = false;
MeshLane whole_meshes;
MeshLane edge_meshes;
// Models that hide their back faces inside the view, other triangles inside the view, and
// triangles intersecting its edge.
ColourLane closed_colours;
ColourLane whole_colours;
ColourLane edge_colours;

// A copy inside the view is seen from outside, and the near plane cuts none of it away: where
// the model hides its back faces, leaving them out changes no pixel.
bool culls(bool back_faces_hidden, SphereView lies) {
    return back_faces_hidden && view_tricks.back_face_cull && lies == SPHERE_INSIDE;
}

bool culling = false;

// Changes OpenGL's state only when it differs: each change makes Mesa revalidate its pipeline.
void cull_hidden_faces(bool cull) {
    if (cull == culling) {
        return;
    }
    if (cull) {
        glCullFace(GL_BACK);
        glFrontFace(GL_CCW);
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
    culling = cull;
}

void flush(MeshLane &lane, bool cull) {
    if (lane.index_count > 0) {
        cull_hidden_faces(cull);
        glTexCoordPointer(2, GL_FLOAT, sizeof(MeshVertex), &lane.vertices[0].s);
        glVertexPointer(3, GL_FLOAT, sizeof(MeshVertex), &lane.vertices[0].x);
        glDrawElements(GL_TRIANGLES, lane.index_count, GL_UNSIGNED_SHORT, lane.indices.data());
    }
    lane.vertex_count = 0;
    lane.index_count = 0;
}

void flush(ColourLane &lane, bool cull) {
    if (lane.vertex_count > 0) {
        cull_hidden_faces(cull);
        glVertexPointer(3, GL_FLOAT, sizeof(ColouredVertex), &lane.vertices[0].x);
        glColorPointer(3, GL_FLOAT, sizeof(ColouredVertex), &lane.vertices[0].red);
        glDrawArrays(GL_TRIANGLES, 0, lane.vertex_count);
    }
    lane.vertex_count = 0;
}

void append_vertex(ColourLane &lane, const std::array<float, 3> &v, Colour colour) {
    lane.vertices[lane.vertex_count++] =
        ColouredVertex{v[0], v[1], v[2], colour.red, colour.green, colour.blue};
}

constexpr int MESH_STRIDE = sizeof(MeshVertex) / sizeof(float);

// The batch's model placed in the world on the CPU.
void place_copy(const Placement &p, std::array<MeshVertex, MAX_MESH_VERTICES> &placed) {
    const Mesh &mesh = *batch_mesh;
    const auto &m = p.rotation_scale;
    for (int i = 0; i < mesh.vertex_count; ++i) {
        const MeshVertex &v = mesh.vertices[i];
        placed[i].s = v.s;
        placed[i].t = v.t;
        placed[i].x = m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z + p.x;
        placed[i].y = m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z + p.y;
        placed[i].z = m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z + p.z;
    }
}

// The indices of a placed copy's triangles that may cover a pixel centre (and face the eye,
// with `cull`); returns how many.
int covering_triangles(const std::array<MeshVertex, MAX_MESH_VERTICES> &placed,
                       const ViewVolume &view, bool cull, uint16_t *out) {
    const Mesh &mesh = *batch_mesh;
    std::array<WindowPoint, MAX_MESH_VERTICES> window;
    to_window(view, &placed[0].x, MESH_STRIDE, mesh.vertex_count, window.data());
    return keep_covering_triangles(window.data(), mesh.indices.data(), mesh.index_count, cull, out);
}

// A small copy keeps few of its triangles: only their corners are sent, each once.
void add_visible_triangles(MeshLane &lane, const std::array<MeshVertex, MAX_MESH_VERTICES> &placed,
                           const ViewVolume &view, bool cull) {
    const Mesh &mesh = *batch_mesh;
    uint16_t *indices = &lane.indices[lane.index_count];
    const int kept = covering_triangles(placed, view, cull, indices);
    constexpr uint16_t NOT_SENT = 0xffff;
    std::array<uint16_t, MAX_MESH_VERTICES> sent_as;
    std::fill(sent_as.begin(), sent_as.begin() + mesh.vertex_count, NOT_SENT);
    for (int i = 0; i < kept; ++i) {
        const uint16_t v = indices[i];
        if (sent_as[v] == NOT_SENT) {
            sent_as[v] = static_cast<uint16_t>(lane.vertex_count);
            lane.vertices[lane.vertex_count++] = placed[v];
        }
        indices[i] = sent_as[v];
    }
    lane.index_count += kept;
}

// Without batching, an object goes to OpenGL on its own, placed by a model-view matrix of its
// own as a plain view places it: the transform is OpenGL's, and one draw carries one object.
void draw_alone(const Mesh &mesh, const std::array<std::array<float, 3>, 3> &m, float x, float y,
                float z, const uint16_t *indices, int index_count, bool cull) {
    if (index_count == 0) {
        return;
    }
    // Column by column, as OpenGL takes a matrix.
    const GLfloat matrix[16] = {m[0][0], m[1][0], m[2][0], 0.0f, m[0][1], m[1][1], m[2][1], 0.0f,
                                m[0][2], m[1][2], m[2][2], 0.0f, x,       y,       z,       1.0f};
    cull_hidden_faces(cull);
    glPushMatrix();
    glMultMatrixf(matrix);
    glTexCoordPointer(2, GL_FLOAT, sizeof(MeshVertex), &mesh.vertices[0].s);
    glVertexPointer(3, GL_FLOAT, sizeof(MeshVertex), &mesh.vertices[0].x);
    glDrawElements(GL_TRIANGLES, index_count, GL_UNSIGNED_SHORT, indices);
    glPopMatrix();
}

} // namespace

void begin_mesh_batch(Model model, uint32_t texture) {
    batch_mesh = &model_mesh(model);
    batch_hides_back_faces = batch_mesh->back_faces_hidden;
    whole_meshes.capacity = WHOLE_LANE_VERTICES;
    edge_meshes.capacity = EDGE_LANE_VERTICES;
    whole_meshes.vertex_count = whole_meshes.index_count = 0;
    edge_meshes.vertex_count = edge_meshes.index_count = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void add_mesh_copy(const Placement &p, const ViewVolume &view, SphereView lies,
                   bool cull_small_triangles) {
    const Mesh &mesh = *batch_mesh;
    if (!view_tricks.batching && !cull_small_triangles) {
        draw_alone(mesh, p.rotation_scale, p.x, p.y, p.z, mesh.indices.data(), mesh.index_count,
                   culls(batch_hides_back_faces, lies));
        return;
    }
    std::array<MeshVertex, MAX_MESH_VERTICES> placed;
    place_copy(p, placed);
    // A bounding sphere intersecting the view's edge is loose: the model itself may lie inside.
    if (lies == SPHERE_INTERSECTING && view_tricks.frustum_cull &&
        all_inside(view, &placed[0].x, MESH_STRIDE, mesh.vertex_count)) {
        lies = SPHERE_INSIDE;
    }
    MeshLane &lane = lies == SPHERE_INSIDE ? whole_meshes : edge_meshes;
    const bool cull = culls(batch_hides_back_faces, lies);
    if (!view_tricks.batching) {
        std::array<uint16_t, MAX_MESH_INDICES> kept;
        const int kept_count = covering_triangles(placed, view, cull, kept.data());
        draw_alone(mesh, p.rotation_scale, p.x, p.y, p.z, kept.data(), kept_count, cull);
        return;
    }
    if (lane.vertex_count + mesh.vertex_count > lane.capacity ||
        lane.index_count + mesh.index_count > INDICES_PER_VERTEX * lane.capacity) {
        flush(lane, cull);
    }
    uint16_t *indices = &lane.indices[lane.index_count];
    if (!cull_small_triangles) {
        std::copy(placed.begin(), placed.begin() + mesh.vertex_count,
                  lane.vertices.begin() + lane.vertex_count);
        for (int i = 0; i < mesh.index_count; ++i) {
            indices[i] = static_cast<uint16_t>(lane.vertex_count + mesh.indices[i]);
        }
        lane.vertex_count += mesh.vertex_count;
        lane.index_count += mesh.index_count;
    } else {
        add_visible_triangles(lane, placed, view, cull);
    }
}

void end_mesh_batch() {
    flush(whole_meshes, culls(batch_hides_back_faces, SPHERE_INSIDE));
    flush(edge_meshes, false);
    cull_hidden_faces(false);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void begin_colour_batch() {
    closed_colours.capacity = COLOUR_LANE_VERTICES;
    whole_colours.capacity = COLOUR_LANE_VERTICES;
    edge_colours.capacity = EDGE_LANE_VERTICES;
    closed_colours.vertex_count = 0;
    whole_colours.vertex_count = 0;
    edge_colours.vertex_count = 0;
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
}

void add_coloured_triangle(const std::array<std::array<float, 3>, 3> &corners, Colour colour,
                           const ViewVolume &view, SphereView lies, bool cull_small_triangles) {
    if (cull_small_triangles &&
        covers_no_pixel(to_window(view, corners[0][0], corners[0][1], corners[0][2]),
                        to_window(view, corners[1][0], corners[1][1], corners[1][2]),
                        to_window(view, corners[2][0], corners[2][1], corners[2][2]))) {
        return;
    }
    if (!view_tricks.batching) {
        glColor3f(colour.red, colour.green, colour.blue);
        glBegin(GL_TRIANGLES);
        for (const auto &c : corners) {
            glVertex3f(c[0], c[1], c[2]);
        }
        glEnd();
        return;
    }
    ColourLane &lane = lies == SPHERE_INSIDE ? whole_colours : edge_colours;
    if (lane.vertex_count + 3 > lane.capacity) {
        flush(lane, false);
    }
    for (const auto &c : corners) {
        append_vertex(lane, c, colour);
    }
}

void add_coloured_mesh(Model model, float x, float y, float z, Colour colour,
                       const ViewVolume &view, SphereView lies, bool cull_small_triangles) {
    const Mesh &mesh = model_mesh(model);
    const bool cull = culls(mesh.back_faces_hidden, lies);
    if (!view_tricks.batching) {
        constexpr std::array<std::array<float, 3>, 3> UNTURNED = {
            {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
        glDisableClientState(GL_COLOR_ARRAY);
        glColor3f(colour.red, colour.green, colour.blue);
        draw_alone(mesh, UNTURNED, x, y, z, mesh.indices.data(), mesh.index_count, cull);
        glEnableClientState(GL_COLOR_ARRAY);
        return;
    }
    ColourLane &lane = cull ? closed_colours : lies == SPHERE_INSIDE ? whole_colours : edge_colours;
    if (lane.vertex_count + mesh.index_count > lane.capacity) {
        flush(lane, cull);
    }
    std::array<std::array<float, 3>, MAX_MESH_VERTICES> moved;
    std::array<WindowPoint, MAX_MESH_VERTICES> window;
    for (int i = 0; i < mesh.vertex_count; ++i) {
        const MeshVertex &v = mesh.vertices[i];
        moved[i] = {v.x + x, v.y + y, v.z + z};
        if (cull_small_triangles) {
            window[i] = to_window(view, moved[i][0], moved[i][1], moved[i][2]);
        }
    }
    for (int i = 0; i < mesh.index_count; i += 3) {
        const uint16_t *t = &mesh.indices[i];
        if (cull_small_triangles &&
            (covers_no_pixel(window[t[0]], window[t[1]], window[t[2]]) ||
             (cull && faces_away(window[t[0]], window[t[1]], window[t[2]])))) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            append_vertex(lane, moved[t[k]], colour);
        }
    }
}

void end_colour_batch() {
    flush(closed_colours, true);
    flush(whole_colours, false);
    flush(edge_colours, false);
    cull_hidden_faces(false);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor3f(1.0f, 1.0f, 1.0f);
}
