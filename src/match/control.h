// Human players: their keys and mouse turned into actions, and their cameras.
#pragma once

void player_input(int player);
void keyboard_control(int player);
void mouse_keys_control(int player);
void update_camera(int player);

// Whether the key with this scancode is down; a scancode outside the key table is unbound.
bool key_down(int scancode);
