// Translation of the window library's key codes into the SDL 1.2 key code
// numbers that the game, the key file and the key names use.
#pragma once
#include <cstdint>

// SDL 1.2 key code of an SDL2 key code; 0 (unknown key) for keys that have no
// SDL 1.2 number. Never returns 320, the code that stands for an unbound action.
int32_t SDL2TOSDL12KEY(int32_t sdl2keycode);
