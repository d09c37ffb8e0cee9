// The world update with no index: every tank against every tree, every bullet against every
// tank and tree.
#pragma once

namespace reference {

void update_world();

} // namespace reference
