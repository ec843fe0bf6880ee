#pragma once
// Turns SDL key codes into the classic desktop virtual-key codes the game uses.
namespace kv::platform {

// sym is an SDL_Keycode, scancode an SDL_Scancode. Returns 0 for keys the game
// has no code for.
int virtualKeyFor(int sym, int scancode);

}  // namespace kv::platform
