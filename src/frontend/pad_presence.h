// Whether a pad Allegro found is still plugged in: Allegro keeps showing the last state of one
// pulled out. The platform-specific half of the pads.
#pragma once

bool pad_connected(int pad);
