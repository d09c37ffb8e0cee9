// The program's icon: an orange tank on a dusk sky over the arena's ground, in the menus'
// colours, drawn at each size a desktop asks for. Windows takes it as one .ico file; Linux
// desktops as one PNG file per size, and the X11 window as an XPM the game is built with.
#include "datagen.h"

#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <tuple>
#include <vector>

namespace {

constexpr std::array<int, 5> ICON_SIZES = {16, 24, 32, 48, 256};
constexpr float CORNER = 0.18f;  // of the size
constexpr float HORIZON = 0.68f; // of the size, from the top
constexpr float TANK_LEFT = 0.07f;
constexpr float TANK_BOTTOM = 0.84f;
constexpr float TANK_SIZE = 0.76f;

const Colour SKY_TOP = {34, 32, 84};
const Colour SKY_LOW = {236, 146, 74};
const Colour GROUND_TOP = {70, 60, 40};
const Colour GROUND_LOW = {34, 30, 22};
const Colour RIM = {16, 14, 12};
const Colour TANK_BODY = {236, 130, 40};
const Colour TANK_DARK = {20, 16, 10};

constexpr int ICO_HEADER_SIZE = 6;
constexpr int ICO_ENTRY_SIZE = 16;
constexpr int DIB_HEADER_SIZE = 40;
constexpr int BITS_PER_PIXEL = 32;
constexpr int BIG_ICON = 256; // stored as 0 in the one-byte size fields
constexpr int WINDOW_ICON_SIZE = 48;
// Two letters name each colour of the XPM: enough for every pixel of its icon to differ.
constexpr const char XPM_LETTERS[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-";
constexpr int XPM_LETTER_COUNT = sizeof XPM_LETTERS - 1;
static_assert(XPM_LETTER_COUNT * XPM_LETTER_COUNT > WINDOW_ICON_SIZE * WINDOW_ICON_SIZE);

Image draw_icon(int size) {
    const float s = static_cast<float>(size);
    Image img = make_image(size, size, RIM, 0.0f);
    auto plate = [&](float x, float y) {
        return round_rect_distance(x, y, 0.0f, 0.0f, s, s, s * CORNER);
    };
    // The rim is a pixel wide at small sizes and grows with the icon.
    const float rim = size < 32 ? 1.0f : s / 32.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float d = plate(x + 0.5f, y + 0.5f);
            const float a = coverage(d);
            if (a <= 0.0f) {
                continue;
            }
            const float fy = (y + 0.5f) / s;
            Colour c = fy < HORIZON ? mix(SKY_TOP, SKY_LOW, fy / HORIZON)
                                    : mix(GROUND_TOP, GROUND_LOW, (fy - HORIZON) / (1.0f - HORIZON));
            if (d > -rim) {
                c = RIM;
            }
            set_pixel(img, x, y, c, a);
        }
    }
    draw_tank_icon(img, s * TANK_LEFT, s * TANK_BOTTOM, s * TANK_SIZE, TANK_BODY, TANK_DARK);
    return img;
}

void put16(std::vector<uint8_t> &out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}
void put32(std::vector<uint8_t> &out, uint32_t v) {
    put16(out, static_cast<int>(v & 0xffff));
    put16(out, static_cast<int>(v >> 16));
}
uint8_t channel_byte(float v) {
    return static_cast<uint8_t>(clamp01(v / 255.0f) * 255.0f + 0.5f);
}

// One icon image: a bottom-up 32-bit DIB of twice the height (colour, then the 1-bit mask).
std::vector<uint8_t> icon_image(const Image &img) {
    std::vector<uint8_t> out;
    const int mask_stride = (img.w + 31) / 32 * 4;
    put32(out, DIB_HEADER_SIZE);
    put32(out, static_cast<uint32_t>(img.w));
    put32(out, static_cast<uint32_t>(img.h * 2));
    put16(out, 1);
    put16(out, BITS_PER_PIXEL);
    put32(out, 0); // uncompressed
    put32(out, static_cast<uint32_t>(img.w * img.h * 4 + mask_stride * img.h));
    for (int i = 0; i < 4; ++i) {
        put32(out, 0);
    }
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) {
            const Colour c = pixel_at(img, x, y);
            out.push_back(channel_byte(c.b));
            out.push_back(channel_byte(c.g));
            out.push_back(channel_byte(c.r));
            out.push_back(channel_byte(alpha_at(img, x, y) * 255.0f));
        }
    }
    // Desktops without alpha show the pixels whose mask bit is clear.
    for (int y = img.h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(mask_stride), 0);
        for (int x = 0; x < img.w; ++x) {
            if (alpha_at(img, x, y) < 0.5f) {
                row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool write_file(const std::string &path, const std::string &text) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

bool write_icon_pngs(const std::string &folder) {
    for (int size : ICON_SIZES) {
        const Image img = draw_icon(size);
        std::vector<uint8_t> rgba;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const Colour c = pixel_at(img, x, y);
                rgba.insert(rgba.end(), {channel_byte(c.r), channel_byte(c.g), channel_byte(c.b),
                                         channel_byte(alpha_at(img, x, y) * 255.0f)});
            }
        }
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        png.width = static_cast<png_uint_32>(size);
        png.height = static_cast<png_uint_32>(size);
        png.format = PNG_FORMAT_RGBA;
        const std::string path = folder + "/tankarena-" + std::to_string(size) + ".png";
        if (png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr) == 0) {
            return false;
        }
    }
    return true;
}

bool write_icon_xpm(const std::string &path) {
    const Image img = draw_icon(WINDOW_ICON_SIZE);
    // Half-covered pixels are the icon's, the others show what lies behind it.
    std::map<std::tuple<int, int, int>, std::string> colours;
    std::vector<std::string> rows;
    for (int y = 0; y < img.h; ++y) {
        std::string row;
        for (int x = 0; x < img.w; ++x) {
            if (alpha_at(img, x, y) < 0.5f) {
                row += "  ";
                continue;
            }
            const Colour c = pixel_at(img, x, y);
            const std::tuple<int, int, int> key{channel_byte(c.r), channel_byte(c.g),
                                                channel_byte(c.b)};
            auto found = colours.find(key);
            if (found == colours.end()) {
                const int n = static_cast<int>(colours.size());
                found = colours
                            .emplace(key, std::string{XPM_LETTERS[n / XPM_LETTER_COUNT],
                                                      XPM_LETTERS[n % XPM_LETTER_COUNT]})
                            .first;
            }
            row += found->second;
        }
        rows.push_back(row);
    }
    std::string text = "/* XPM */\n/* The game window's icon, drawn by the datafile generator. */\n"
                       "static const char *tankarena_xpm[] = {\n";
    text += "\"" + std::to_string(img.w) + " " + std::to_string(img.h) + " " +
            std::to_string(colours.size() + 1) + " 2\",\n\"   c None\",\n";
    for (const auto &[rgb, name] : colours) {
        char line[32];
        std::snprintf(line, sizeof line, "\"%s c #%02X%02X%02X\",\n", name.c_str(),
                      std::get<0>(rgb), std::get<1>(rgb), std::get<2>(rgb));
        text += line;
    }
    for (const auto &row : rows) {
        text += "\"" + row + "\",\n";
    }
    text += "};\n";
    return write_file(path, text);
}

bool write_icon(const std::string &path) {
    std::vector<std::vector<uint8_t>> images;
    for (int size : ICON_SIZES) {
        images.push_back(icon_image(draw_icon(size)));
    }
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1); // an icon, not a cursor
    put16(out, static_cast<int>(images.size()));
    uint32_t offset = ICO_HEADER_SIZE + ICO_ENTRY_SIZE * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = ICON_SIZES[i];
        out.push_back(static_cast<uint8_t>(size == BIG_ICON ? 0 : size));
        out.push_back(static_cast<uint8_t>(size == BIG_ICON ? 0 : size));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, BITS_PER_PIXEL);
        put32(out, static_cast<uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto &image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    return write_file(path, std::string(out.begin(), out.end()));
}
