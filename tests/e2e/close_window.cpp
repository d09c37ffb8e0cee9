// Asks X windows, given by their ids, to close as a window manager's close button does: with
// the WM_DELETE_WINDOW message of their WM_PROTOCOLS (xdotool can only destroy a window).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr || argc < 2) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID... (with an X display)\n");
        return 2;
    }
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    for (int i = 1; i < argc; ++i) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = std::strtoul(argv[i], nullptr, 0);
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(delete_window);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    }
    XCloseDisplay(display); // sends what is queued
    return 0;
}
