#include "frontend/exit_signals.h"

#ifdef _WIN32

// Windows ends the process itself on a closed console or a logout, and has no X display.
void keep_fault_handlers() {}
void install_exit_handlers() {}

#else

#include <X11/Xlib.h>
#include <array>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
// The status of a process ended by a signal, as shells report it.
constexpr int SIGNAL_STATUS_BASE = 128;
constexpr int DISPLAY_LOST_STATUS = 1;

struct StopSignal {
    int number;
    const char *line; // all a handler may do is write it
};
constexpr std::array<StopSignal, 4> STOP_SIGNALS = {{
    {SIGHUP, "Tank Arena: hung up (SIGHUP); nothing was saved.\n"},
    {SIGINT, "Tank Arena: interrupted (SIGINT); nothing was saved.\n"},
    {SIGQUIT, "Tank Arena: told to quit (SIGQUIT); nothing was saved.\n"},
    {SIGTERM, "Tank Arena: told to stop (SIGTERM); nothing was saved.\n"},
}};
constexpr const char DISPLAY_LOST_LINE[] =
    "Tank Arena: the display went away; nothing was saved.\n";

constexpr std::array<int, 5> FAULT_SIGNALS = {SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGSEGV};
std::array<struct sigaction, FAULT_SIGNALS.size()> fault_actions{};
bool fault_actions_kept = false;

void write_line(const char *line) {
    std::size_t length = 0;
    while (line[length] != '\0') {
        ++length;
    }
    // Nothing more can be done if standard error is gone.
    if (write(STDERR_FILENO, line, length) < 0) {
        return;
    }
}

// Only async-signal-safe calls: write and _exit.
void stop_on_signal(int number) {
    for (const StopSignal &stop : STOP_SIGNALS) {
        if (stop.number == number) {
            write_line(stop.line);
        }
    }
    _exit(SIGNAL_STATUS_BASE + number);
}

// Xlib calls this when the connection breaks; returning would make it call exit().
int stop_on_lost_display(Display *) {
    write_line(DISPLAY_LOST_LINE);
    _exit(DISPLAY_LOST_STATUS);
}
// Xlib calls this for a request the X server refused, on whichever thread reads the reply:
// often Allegro's input thread. Xlib's own handler would end the process from there, in the
// middle of a frame and with nothing saved; a refused request only spoils a picture, so it is
// noted on standard error and the game goes on. Nothing here may call Xlib.
int note_x_error(Display *, XErrorEvent *error) {
    constexpr int MAX_NOTES = 10;
    static int notes = 0;
    if (notes < MAX_NOTES) {
        ++notes;
        char line[160];
        std::snprintf(line, sizeof line,
                      "Tank Arena: the X server refused a request (error %d, request %d.%d)%s\n",
                      error->error_code, error->request_code, error->minor_code,
                      notes == MAX_NOTES ? "; further ones are not shown" : "");
        write_line(line);
    }
    return 0;
}
} // namespace

void keep_fault_handlers() {
    for (std::size_t i = 0; i < FAULT_SIGNALS.size(); ++i) {
        sigaction(FAULT_SIGNALS[i], nullptr, &fault_actions[i]);
    }
    fault_actions_kept = true;
}

void install_exit_handlers() {
    struct sigaction stop {};
    stop.sa_handler = stop_on_signal;
    sigfillset(&stop.sa_mask);
    for (const StopSignal &signal : STOP_SIGNALS) {
        sigaction(signal.number, &stop, nullptr);
    }
    // Allegro's fault handlers shut the library down, which can hang on the lock of the thread
    // that faulted: a fault is left to end the process as it would without Allegro.
    for (std::size_t i = 0; fault_actions_kept && i < FAULT_SIGNALS.size(); ++i) {
        sigaction(FAULT_SIGNALS[i], &fault_actions[i], nullptr);
    }
    // Over a file-size limit a write then fails like one to a full disk, and the save says so.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, nullptr);
    XSetIOErrorHandler(stop_on_lost_display);
    XSetErrorHandler(note_x_error);
}

#endif
