// Placing the tanks and trees of a new match.
#pragma once

// Everything a new match needs before its timer starts: empty bullet and fragment
// pools, then the tanks, the trees and the human players' lives, in that order.
void set_up_world(int last_human);
