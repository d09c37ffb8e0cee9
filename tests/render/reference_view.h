// The player view drawn object by object, with no batching and no culling but the draw range.
#pragma once

namespace reference {

void draw_player_view(int player);

} // namespace reference
