// The software renderer allocates and frees a few large buffers for every draw. With the C
// library's default settings, each free hands the memory back to the system and the next draw
// faults it in again, page by page, which costs more than the drawing. Keeping freed memory
// for reuse avoids that; where the C library has no such setting this does nothing.
// Called once, first thing in the program, before Allegro or Mesa start their threads: the C
// library reads these settings without a lock, so they may not change while another thread
// allocates.
#pragma once

void keep_freed_memory_for_reuse();
