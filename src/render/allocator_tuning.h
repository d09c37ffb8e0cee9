// The software renderer allocates and frees a few large buffers for every draw. With the C
// library's default settings, each free hands the memory back to the system and the next draw
// faults it in again, page by page, which costs more than the drawing. Keeping freed memory
// for reuse avoids that; where the C library has no such setting this does nothing.
#pragma once

void keep_freed_memory_for_reuse();
