// A stand-in for Linux's joystick devices, preloaded into the game by the end-to-end tests: the
// game's /dev/input/jsN is the FIFO jsN in the folder $PAD_DOUBLE_DIR, which the test fills with
// the kernel's 8-byte js_event records. Allegro's driver asks the device its version and its
// counts of axes and buttons, an Xbox pad's 8 and 11; every other call goes to the C library. A pad
// whose FIFO is removed counts as pulled out.
#include <dlfcn.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int MAX_FDS = 1024;
using Open = int (*)(const char *, int, ...);
std::array<bool, MAX_FDS> pad_fds{};

template <typename F> F next(const char *name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// The FIFO that stands for the device `path`, or false when `path` names no joystick device.
bool stand_in(const char *path, char *fifo, size_t size) {
    int number = 0;
    char end = 0;
    if (std::sscanf(path, "/dev/input/js%d%c", &number, &end) != 1 &&
        std::sscanf(path, "/dev/js%d%c", &number, &end) != 1) {
        return false;
    }
    const char *dir = std::getenv("PAD_DOUBLE_DIR");
    std::snprintf(fifo, size, "%s/js%d", dir != nullptr ? dir : "/nonexistent", number);
    return true;
}

// Read and write, so that the open never waits for a writer and an empty pad reads as "again".
int open_pad(const char *fifo) {
    static const Open real_open = next<Open>("open");
    const int fd = real_open(fifo, O_RDWR | O_NONBLOCK);
    if (fd >= 0 && fd < MAX_FDS) {
        pad_fds[fd] = true;
    }
    return fd;
}

// `open` or `open64` of the C library, unless `path` names a joystick device.
int open_or_pad(const char *name, const char *path, int flags, va_list args) {
    char fifo[4096];
    if (stand_in(path, fifo, sizeof fifo)) {
        return open_pad(fifo);
    }
    const int mode = (flags & (O_CREAT | O_TMPFILE)) != 0 ? va_arg(args, int) : 0;
    return next<Open>(name)(path, flags, mode);
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = open_or_pad("open", path, flags, args);
    va_end(args);
    return fd;
}

int open64(const char *path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = open_or_pad("open64", path, flags, args);
    va_end(args);
    return fd;
}

int access(const char *path, int mode) {
    char fifo[4096];
    using Access = int (*)(const char *, int);
    static const Access real = next<Access>("access");
    return real(stand_in(path, fifo, sizeof fifo) ? fifo : path, mode);
}

int close(int fd) {
    using Close = int (*)(int);
    static const Close real = next<Close>("close");
    if (fd >= 0 && fd < MAX_FDS) {
        pad_fds[fd] = false;
    }
    return real(fd);
}

int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void *arg = va_arg(args, void *);
    va_end(args);
    if (fd >= 0 && fd < MAX_FDS && pad_fds[fd]) {
        if (request == JSIOCGVERSION) {
            *static_cast<unsigned *>(arg) = JS_VERSION;
            return 0;
        }
        if (request == JSIOCGAXES || request == JSIOCGBUTTONS) {
            *static_cast<unsigned char *>(arg) = request == JSIOCGAXES ? 8 : 11;
            return 0;
        }
    }
    using Ioctl = int (*)(int, unsigned long, ...);
    static const Ioctl real = next<Ioctl>("ioctl");
    return real(fd, request, arg);
}

} // extern "C"
