#include "frontend/close_button.h"

#include <allegro.h>

#include <atomic>

#include "match/world.h"

namespace {
std::atomic<bool> closing{false};

void note_close_request() {
    closing = true;
    match_over = 1;
}
} // namespace

void install_close_button() {
    set_close_button_callback(note_close_request);
}

bool close_requested() {
    return closing;
}
