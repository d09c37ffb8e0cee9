// Each player's control type and key bindings.
#pragma once

// Runs until Escape, then waits for its release so that the options menu stays open.
void controls_menu();

// A choice stepped past either end of the control types comes round to the other end.
int wrap_control_choice(int choice);
