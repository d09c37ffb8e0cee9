#define ALLEGRO_NO_MAGIC_MAIN
#include "test_support.h"

#include "config/controls.h"
#include "match/control.h"

#include <algorithm>
#include <cerrno>

int mouse_motion_x = 0;
std::vector<PlayedSound> played_sounds;
SAMPLE fake_samples[3] = {};
DATAFILE fake_sounds[4] = {{&fake_samples[0], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {&fake_samples[1], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {&fake_samples[2], DAT_SAMPLE, sizeof(SAMPLE), nullptr},
                           {nullptr, DAT_END, 0, nullptr}};

// No display: Allegro runs with no system driver, only for its globals and entry points.
int main(int argc, char **argv) {
    install_allegro(SYSTEM_NONE, &errno, std::atexit);
    // Only what play_sample asks of a sound driver: it takes a voice, sets its volume, starts it.
    static DIGI_DRIVER d{};
    d.id = AL_ID('F', 'A', 'K', 'E');
    d.voices = 8;
    d.init_voice = [](int, const SAMPLE *sample) { played_sounds.push_back({sample, -1}); };
    d.set_volume = [](int, int volume) { played_sounds.back().second = volume; };
    d.start_voice = d.release_voice = d.stop_voice = [](int) {};
    d.loop_voice = d.set_position = d.set_frequency = d.set_pan = [](int, int) {};
    d.get_position = [](int) { return -1; }; // every voice is free again at once
    static MOUSE_DRIVER mouse{};
    mouse.get_mickeys = [](int *x, int *y) { *x = mouse_motion_x, mouse_motion_x = *y = 0; };
    mouse_driver = &mouse;
    digi_driver = &d;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

void reset_world() {
    game_settings = GameSettings{};
    tanks.fill(Tank{});
    bullets.fill(Bullet{});
    trees.fill(Tree{});
    particles.fill(Particle{});
    player_cameras.fill(PlayerCamera{});
    player_controls.fill(PlayerControls{CONTROL_KEYBOARD, {}});
    player_commands.fill(PlayerCommand{});
    std::fill(key, key + KEY_MAX, 0);
    mouse_b = match_over = last_human_player = tanks_alive = mouse_motion_x = 0;
    use_sound_data(fake_sounds);
    played_sounds.clear();
    std::srand(1);
}

long long replay_below(long long n) {
    return std::rand() % 32768 % n;
}
