// The program's start and end.
#include <allegro.h>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "config/controls.h"
#include "config/datafile_check.h"
#include "config/datafile_path.h"
#include "config/display_choice.h"
#include "config/player_message.h"
#include "frontend/close_button.h"
#include "frontend/console.h"
#include "frontend/exit_signals.h"
#include "frontend/held_keys.h"
#include "frontend/game.h"
#include "frontend/main_menu.h"
#include "frontend/menu.h"
#include "frontend/startup.h"
#include "frontend/window_icon.h"
#include "match/sound.h"
#include "render/allocator_tuning.h"
#include "render/display.h"
#include "render/presentation.h"
#include "render/window_name.h"

namespace {
constexpr int RESERVED_MIDI_VOICES = 0;
constexpr int DATAFILE_MESSAGE_SIZE = 4 * DATAFILE_PATH_SIZE;

void set_up_sound() {
    // Without a digital sound device the samples are still loaded and the game is silent. The
    // sound library's lines about each device it tried would only alarm the player.
    mute_standard_error();
    bool sound = detect_digi_driver(DIGI_AUTODETECT) != 0;
    if (sound) {
        reserve_voices(SOUND_VOICES, RESERVED_MIDI_VOICES);
        set_volume_per_voice(SOUND_VOICE_HALVINGS);
        sound = install_sound(DIGI_AUTODETECT, MIDI_NONE, "") == 0;
    }
    unmute_standard_error();
    if (!sound) {
        std::fprintf(stderr, "Tank Arena: no sound device found, playing without sound.\n");
    }
}
} // namespace

int main(int, char **) {
    keep_freed_memory_for_reuse();
    keep_fault_handlers();
    use_game_icon();
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        // Every later install call would crash without the system driver, e.g. with no display.
        char message[ALLEGRO_ERROR_SIZE + 32];
        std::snprintf(message, sizeof message, "Couldn't Init Allegro: %s",
                      allegro_error[0] != '\0' ? allegro_error
                                                : "no system driver would start (is there a display?)");
        tell_player(message);
        end_program(START_FAILED);
    }
    install_exit_handlers();
    // Allegro's Ctrl+Alt+End would end the game at once and lose the bindings: leave with Exit.
    three_finger_flag = FALSE;
    // Named before its first mode too: Allegro makes the Windows window with this name.
    set_window_title(GAME_WINDOW_NAME);
    install_keyboard();
    keep_held_keys_down();
    install_timer();
    install_mouse();
    // The desktop as it is before any mode is set: the window's size follows from it.
    if (get_desktop_resolution(&desktop_width, &desktop_height) != 0) {
        desktop_width = SCREEN_WIDTH;
        desktop_height = SCREEN_HEIGHT;
    }
    presentation = choose_presentation(desktop_width, desktop_height, load_full_screen_choice());
    if (set_menu_mode() < 0) {
        tell_player("Couldn't Init Graphics");
        end_program(START_FAILED);
    }
    install_close_button();
    // Text is drawn with a transparent background: every text call passes -1 for it.
    set_up_sound();
    load_controls();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // A damaged sounds file leaves the game silent; the menus cannot go on without their images.
    std::array<char, DATAFILE_PATH_SIZE> path{};
    find_datafile("sounds.dat", path.data(), DATAFILE_PATH_SIZE);
    use_sound_data(load_intact_datafile(path.data()));
    const bool menus_found = find_datafile("menus.dat", path.data(), DATAFILE_PATH_SIZE);
    menu_data = load_intact_datafile(path.data());
    if (!menu_data_usable(menu_data)) {
        std::array<char, DATAFILE_MESSAGE_SIZE> message{};
        datafile_trouble("menus.dat", "menu images", menus_found, path.data(), message.data(),
                         DATAFILE_MESSAGE_SIZE);
        end_with_message(message.data());
    }
    white = makecol(255, 255, 255);
    main_menu();
}
END_OF_MAIN()
