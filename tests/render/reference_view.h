// The player view drawn object by object, with no batching and no culling but the draw range.
#pragma once

namespace reference {

void set_player_camera(int player);
void draw_player_view(int player);

} // namespace reference
