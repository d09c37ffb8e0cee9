// One tick of a match, in its fixed order.
#pragma once

// Computer tanks decide, the world moves, then each human player's input and camera.
void simulate_tick();
