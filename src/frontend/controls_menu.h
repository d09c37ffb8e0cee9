// Each player's control type and key bindings.
#pragma once

// Runs until Escape, then waits for its release so that the options menu stays open.
void controls_menu();

// The type choice for `player` (0 to 3), then the key prompts that type needs, or the press of
// a button on the pad to bind.
void choose_control_type(int player);

// A choice stepped past either end of the control types comes round to the other end.
int wrap_control_choice(int choice);
