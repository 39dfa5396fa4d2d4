// SDL 1.2 key code numbers, the names that table gives them (shown on the help
// bar and the key-definition screen) and the lookup of a key by name for input
// scripts.
#pragma once
#include <cstdint>
#include <string>

// Codes 0..127 are the ASCII characters (letters lower case).
constexpr int32_t K_BACKSPACE = 8, K_TAB = 9, K_CLEAR = 12, K_RETURN = 13, K_PAUSE = 19,
                  K_ESCAPE = 27, K_SPACE = 32, K_DELETE = 127;
constexpr int32_t K_WORLD_0 = 160, K_WORLD_95 = 255;
constexpr int32_t K_KP0 = 256, K_KP1 = 257, K_KP2 = 258, K_KP3 = 259, K_KP4 = 260, K_KP5 = 261,
                  K_KP6 = 262, K_KP7 = 263, K_KP8 = 264, K_KP9 = 265;
constexpr int32_t K_KP_PERIOD = 266, K_KP_DIVIDE = 267, K_KP_MULTIPLY = 268, K_KP_MINUS = 269,
                  K_KP_PLUS = 270, K_KP_ENTER = 271, K_KP_EQUALS = 272;
constexpr int32_t K_UP = 273, K_DOWN = 274, K_RIGHT = 275, K_LEFT = 276, K_INSERT = 277,
                  K_HOME = 278, K_END = 279, K_PAGEUP = 280, K_PAGEDOWN = 281;
constexpr int32_t K_F1 = 282, K_F13 = 294, K_F15 = 296;
constexpr int32_t K_NUMLOCK = 300, K_CAPSLOCK = 301, K_SCROLLOCK = 302, K_RSHIFT = 303,
                  K_LSHIFT = 304, K_RCTRL = 305, K_LCTRL = 306, K_RALT = 307, K_LALT = 308,
                  K_RMETA = 309, K_LMETA = 310, K_LSUPER = 311, K_RSUPER = 312, K_MODE = 313,
                  K_COMPOSE = 314;
constexpr int32_t K_HELP = 315, K_PRINT = 316, K_SYSREQ = 317, K_BREAK = 318, K_MENU = 319,
                  K_POWER = 320, K_EURO = 321, K_UNDO = 322;
constexpr int32_t K_LAST = 322;

// The SDL 1.2 name of a key ("a", "space", "left", "[4]", "f5", "page up");
// "unknown key" for codes without a name.
std::string KEYNAME(int32_t sdl12code);

// The key code of a name, without regard to letter case. Accepts the SDL 1.2
// names of KEYNAME and the SDL2-style names scripts are written with ("A",
// "Left", "Space", "Escape", "Keypad 4", "PageUp", "Left Shift").
// Returns -1 for a name that names no key.
int32_t KEYCODEOFNAME(const std::string& name);

// The character a key types without modifiers (0 when it types none): the
// ASCII keys themselves, the keypad's digits and operators, keypad Enter as 13.
int32_t KEYCHARACTER(int32_t sdl12code);
