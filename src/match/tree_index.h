// The trees in play, indexed by cell for the blocking test of tanks and bullets.
#pragma once

// Re-indexes the trees when the tree table or the number of trees in play has changed since
// the last call; the world update calls it once per tick, before any blocking test.
void refresh_tree_index();

// Whether a tree in play blocks (x, z): both differences to the tree, truncated toward zero,
// lie strictly between -2 and 2. The same answer as testing every tree in turn.
bool blocked_by_any_tree(float x, float z);
