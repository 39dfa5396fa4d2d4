#include "display/sdlkeys.h"

#include <SDL2/SDL_keycode.h>

#include "display/keynames.h"

int32_t SDL2TOSDL12KEY(int32_t k) {
  // Characters: SDL2 uses the character itself, as SDL 1.2 did for ASCII
  // (letters lower case, digits, punctuation, Backspace, Tab, Return, Escape,
  // Space, Delete) and for the Latin-1 range of national keyboards.
  if (k >= 0 && k <= 127) return k;
  if (k >= 160 && k <= 255) return k;
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return K_KP1 + (k - SDLK_KP_1);
  if (k >= SDLK_F1 && k <= SDLK_F12) return K_F1 + (k - SDLK_F1);
  if (k >= SDLK_F13 && k <= SDLK_F15) return K_F13 + (k - SDLK_F13);
  switch (k) {
    case SDLK_KP_0: return K_KP0;
    case SDLK_KP_PERIOD: return K_KP_PERIOD;
    case SDLK_KP_DIVIDE: return K_KP_DIVIDE;
    case SDLK_KP_MULTIPLY: return K_KP_MULTIPLY;
    case SDLK_KP_MINUS: return K_KP_MINUS;
    case SDLK_KP_PLUS: return K_KP_PLUS;
    case SDLK_KP_ENTER: return K_KP_ENTER;
    case SDLK_KP_EQUALS: return K_KP_EQUALS;
    case SDLK_KP_EQUALSAS400: return K_KP_EQUALS;
    case SDLK_KP_COMMA: return K_KP_PERIOD;
    case SDLK_UP: return K_UP;
    case SDLK_DOWN: return K_DOWN;
    case SDLK_RIGHT: return K_RIGHT;
    case SDLK_LEFT: return K_LEFT;
    case SDLK_INSERT: return K_INSERT;
    case SDLK_HOME: return K_HOME;
    case SDLK_END: return K_END;
    case SDLK_PAGEUP: return K_PAGEUP;
    case SDLK_PAGEDOWN: return K_PAGEDOWN;
    case SDLK_NUMLOCKCLEAR: return K_NUMLOCK;
    case SDLK_CAPSLOCK: return K_CAPSLOCK;
    case SDLK_SCROLLLOCK: return K_SCROLLOCK;
    case SDLK_RSHIFT: return K_RSHIFT;
    case SDLK_LSHIFT: return K_LSHIFT;
    case SDLK_RCTRL: return K_RCTRL;
    case SDLK_LCTRL: return K_LCTRL;
    case SDLK_RALT: return K_RALT;
    case SDLK_LALT: return K_LALT;
    case SDLK_LGUI: return K_LSUPER;
    case SDLK_RGUI: return K_RSUPER;
    case SDLK_MODE: return K_MODE;
    case SDLK_APPLICATION: return K_MENU;
    case SDLK_MENU: return K_MENU;
    case SDLK_HELP: return K_HELP;
    case SDLK_PRINTSCREEN: return K_PRINT;
    case SDLK_SYSREQ: return K_SYSREQ;
    case SDLK_PAUSE: return K_PAUSE;
    case SDLK_CLEAR: return K_CLEAR;
    case SDLK_KP_CLEAR: return K_CLEAR;
    case SDLK_RETURN2: return K_RETURN;
    case SDLK_UNDO: return K_UNDO;
    case SDLK_CURRENCYUNIT: return K_EURO;
    // The power key has SDL 1.2 number 320, which stands for "unbound" in the
    // key table; reporting it would press every unbound action.
    case SDLK_POWER: return 0;
    default: return 0;
  }
}
