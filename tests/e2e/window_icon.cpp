// Writes the icon a window gives its window manager (the pixmap and mask of its WM hints) to
// standard output as a PAM picture with alpha, for the end-to-end tests to compare:
//   window_icon WINDOW_ID > icon.pam
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    Display *display = argc == 2 ? XOpenDisplay(nullptr) : nullptr;
    if (display == nullptr) {
        std::fprintf(stderr, "usage: window_icon WINDOW_ID (with DISPLAY set)\n");
        return EXIT_FAILURE;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    XWMHints *hints = XGetWMHints(display, window);
    if (hints == nullptr || (hints->flags & IconPixmapHint) == 0) {
        std::fprintf(stderr, "window %s has no icon pixmap\n", argv[1]);
        return EXIT_FAILURE;
    }
    Window root;
    int x, y;
    unsigned w, h, border, depth;
    XGetGeometry(display, hints->icon_pixmap, &root, &x, &y, &w, &h, &border, &depth);
    XImage *colour = XGetImage(display, hints->icon_pixmap, 0, 0, w, h, AllPlanes, ZPixmap);
    XImage *mask = (hints->flags & IconMaskHint) != 0
                       ? XGetImage(display, hints->icon_mask, 0, 0, w, h, 1, XYPixmap)
                       : nullptr;
    if (colour == nullptr) {
        std::fprintf(stderr, "cannot read the icon pixmap\n");
        return EXIT_FAILURE;
    }
    // A TrueColor pixmap of 24 bits: red, green and blue bytes from the top.
    std::printf("P7\nWIDTH %u\nHEIGHT %u\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n", w, h);
    for (unsigned row = 0; row < h; ++row) {
        for (unsigned col = 0; col < w; ++col) {
            const unsigned long p = XGetPixel(colour, static_cast<int>(col), static_cast<int>(row));
            const bool shown = mask == nullptr ||
                               XGetPixel(mask, static_cast<int>(col), static_cast<int>(row)) != 0;
            std::putchar(static_cast<int>((p >> 16) & 0xff));
            std::putchar(static_cast<int>((p >> 8) & 0xff));
            std::putchar(static_cast<int>(p & 0xff));
            std::putchar(shown ? 255 : 0);
        }
    }
    XCloseDisplay(display);
    return EXIT_SUCCESS;
}
