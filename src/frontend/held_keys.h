// A key held down stays down for the game however long it is held.
#pragma once

// Called once the keyboard is installed. X repeats a held key as a release and a new press,
// and Allegro joins the two only when it reads both at once: on a busy machine a tick can see
// the key up between them and take a second press (a second screenshot for one F12). The
// server is asked to repeat presses alone. Other systems report held keys as held already.
void keep_held_keys_down();
