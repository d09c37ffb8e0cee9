#include "config/controls.h"

#include "config/packed_file.h"

#include <allegro.h>
#include <cerrno>
#include <cstring>

const std::array<const char *, NUM_ACTIONS + NUM_CONTROL_TYPES> control_names = {
    "Turn Left", "Turn Right", "Move Forwards", "Move Backwards", "Turret Left",   "Turret Right",
    "Shoot",     "Keyboard",   "Mouse/Keys",    "Gamepad",        "Joystick",
};

namespace {
// The file is the four records back to back, exactly as they lie in memory.
constexpr long CONTROLS_PAYLOAD_SIZE = sizeof(player_controls);
static_assert(CONTROLS_PAYLOAD_SIZE == 4 * sizeof(PlayerControls), "records lie back to back");
static_assert(CONTROLS_PAYLOAD_SIZE <= MAX_PACKED_PAYLOAD, "the controls fit a packed payload");
} // namespace

void load_controls() {
    if (!exists(CONTROLS_FILE)) {
        return;
    }
    std::array<unsigned char, CONTROLS_PAYLOAD_SIZE> payload{};
    const long got = read_packed_file(CONTROLS_FILE, payload.data(), CONTROLS_PAYLOAD_SIZE);
    if (got < 0) {
        return;
    }
    // A short file fills the records in order as far as it goes.
    std::memcpy(player_controls.data(), payload.data(), whole_field_bytes(got));
}

bool save_controls() {
    std::array<unsigned char, CONTROLS_PAYLOAD_SIZE> payload{};
    std::memcpy(payload.data(), player_controls.data(), CONTROLS_PAYLOAD_SIZE);
    errno = 0;
    return write_packed_file(CONTROLS_FILE, payload.data(), CONTROLS_PAYLOAD_SIZE,
                             sizeof(PlayerControls));
}
