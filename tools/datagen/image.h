// Float images with straight alpha, the shapes drawn on them, and writing them out as BMP files.
#pragma once

#include <string>
#include <vector>

// Channels 0..255, kept as floats so that blending and gradients do not band.
struct Colour {
    float r;
    float g;
    float b;
};

// Alpha 0..1 per pixel; pixels below half coverage become the mask colour when saved.
struct Image {
    int w;
    int h;
    std::vector<Colour> rgb;
    std::vector<float> alpha;
};

struct Point {
    float x;
    float y;
};

Image make_image(int w, int h, Colour fill, float alpha);
Colour pixel_at(const Image &img, int x, int y);
float alpha_at(const Image &img, int x, int y);
void set_pixel(Image &img, int x, int y, Colour c, float alpha);
// Porter-Duff "over": paints c with coverage a on top of what is there.
void paint_over(Image &img, int x, int y, Colour c, float a);
// Every pixel of src with its coverage on top of dst, src's top-left corner at (x, y).
void paint_image(Image &dst, const Image &src, int x, int y);

float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);
Colour mix(Colour a, Colour b, float t);
Colour scaled(Colour c, float f);

// Signed distances, negative inside; one pixel of distance is one pixel of anti-aliasing.
float round_rect_distance(float x, float y, float x0, float y0, float x1, float y1, float radius);
float polygon_distance(float x, float y, const std::vector<Point> &pts);
float disc_distance(float x, float y, float cx, float cy, float radius);
float coverage(float distance);

// Paints every pixel whose centre lies within `grow` pixels of the shape that `distance` gives.
template <class Distance>
void paint_shape(Image &img, Distance distance, Colour c, float alpha, float grow = 0.0f) {
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            float a = coverage(distance(x + 0.5f, y + 0.5f) - grow);
            if (a > 0.0f) {
                paint_over(img, x, y, c, a * alpha);
            }
        }
    }
}

void fill_polygon(Image &img, const std::vector<Point> &pts, Colour c, float alpha);
void fill_disc(Image &img, float cx, float cy, float radius, Colour c, float alpha);

// Writes a 24-bit BMP; transparent pixels get the sprite mask colour (255, 0, 255).
bool save_image(const Image &img, const std::string &path);
