// The eleven match parameters with their arrow buttons, and the ways to the controls and files.
#pragma once

// Runs until Escape is seen at the top of a pass.
void options_menu();
