// The screen shown from start-up to the end, and the choice of how many players take part.
#pragma once

// Makes the menus' frame and runs for ever; the program ends through its Exit button.
[[noreturn]] void main_menu();
