#include "display/keynames.h"

#include <cctype>

namespace {

std::string NAMES[K_LAST + 1];
bool NAMESREADY = false;

void FILLNAMES() {
  if (NAMESREADY) return;
  NAMESREADY = true;
  for (int c = 33; c <= 126; c++) NAMES[c] = std::string(1, static_cast<char>(c));
  for (int c = 'A'; c <= 'Z'; c++) NAMES[c].clear();  // SDL 1.2 has only lower-case letters
  NAMES[K_BACKSPACE] = "backspace";
  NAMES[K_TAB] = "tab";
  NAMES[K_CLEAR] = "clear";
  NAMES[K_RETURN] = "return";
  NAMES[K_PAUSE] = "pause";
  NAMES[K_ESCAPE] = "escape";
  NAMES[K_SPACE] = "space";
  NAMES[K_DELETE] = "delete";
  for (int c = K_WORLD_0; c <= K_WORLD_95; c++) NAMES[c] = "world " + std::to_string(c - K_WORLD_0);
  for (int c = K_KP0; c <= K_KP9; c++) NAMES[c] = "[" + std::to_string(c - K_KP0) + "]";
  NAMES[K_KP_PERIOD] = "[.]";
  NAMES[K_KP_DIVIDE] = "[/]";
  NAMES[K_KP_MULTIPLY] = "[*]";
  NAMES[K_KP_MINUS] = "[-]";
  NAMES[K_KP_PLUS] = "[+]";
  NAMES[K_KP_ENTER] = "enter";
  NAMES[K_KP_EQUALS] = "equals";
  NAMES[K_UP] = "up";
  NAMES[K_DOWN] = "down";
  NAMES[K_RIGHT] = "right";
  NAMES[K_LEFT] = "left";
  NAMES[K_INSERT] = "insert";
  NAMES[K_HOME] = "home";
  NAMES[K_END] = "end";
  NAMES[K_PAGEUP] = "page up";
  NAMES[K_PAGEDOWN] = "page down";
  for (int c = K_F1; c <= K_F15; c++) NAMES[c] = "f" + std::to_string(c - K_F1 + 1);
  NAMES[K_NUMLOCK] = "numlock";
  NAMES[K_CAPSLOCK] = "caps lock";
  NAMES[K_SCROLLOCK] = "scroll lock";
  NAMES[K_RSHIFT] = "right shift";
  NAMES[K_LSHIFT] = "left shift";
  NAMES[K_RCTRL] = "right ctrl";
  NAMES[K_LCTRL] = "left ctrl";
  NAMES[K_RALT] = "right alt";
  NAMES[K_LALT] = "left alt";
  NAMES[K_RMETA] = "right meta";
  NAMES[K_LMETA] = "left meta";
  NAMES[K_LSUPER] = "left super";
  NAMES[K_RSUPER] = "right super";
  NAMES[K_MODE] = "alt gr";
  NAMES[K_COMPOSE] = "compose";
  NAMES[K_HELP] = "help";
  NAMES[K_PRINT] = "print screen";
  NAMES[K_SYSREQ] = "sys req";
  NAMES[K_BREAK] = "break";
  NAMES[K_MENU] = "menu";
  NAMES[K_POWER] = "power";
  NAMES[K_EURO] = "euro";
  NAMES[K_UNDO] = "undo";
}

std::string LOWER(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// Names of the SDL2 key table (and a few plain spellings) that differ from the
// SDL 1.2 names, all lower case.
struct ALIAS {
  const char* NAME;
  int32_t CODE;
};
const ALIAS ALIASES[] = {
    {"esc", K_ESCAPE},          {"pageup", K_PAGEUP},
    {"pagedown", K_PAGEDOWN},   {"pgup", K_PAGEUP},          {"pgdn", K_PAGEDOWN},
    {"capslock", K_CAPSLOCK},   {"scrolllock", K_SCROLLOCK}, {"scroll lock", K_SCROLLOCK},
    {"numlockclear", K_NUMLOCK}, {"num lock", K_NUMLOCK},    {"printscreen", K_PRINT},
    {"sysreq", K_SYSREQ},       {"left gui", K_LSUPER},      {"right gui", K_RSUPER},
    {"left windows", K_LSUPER}, {"right windows", K_RSUPER}, {"application", K_MENU},
    {"altgr", K_MODE},          {"keypad .", K_KP_PERIOD},   {"keypad /", K_KP_DIVIDE},
    {"keypad *", K_KP_MULTIPLY}, {"keypad -", K_KP_MINUS},   {"keypad +", K_KP_PLUS},
    {"keypad enter", K_KP_ENTER}, {"keypad =", K_KP_EQUALS}, {"hash", '#'},
};

}  // namespace

std::string KEYNAME(int32_t code) {
  FILLNAMES();
  if (code < 0 || code > K_LAST || NAMES[code].empty()) return "unknown key";
  return NAMES[code];
}

int32_t KEYCODEOFNAME(const std::string& name) {
  FILLNAMES();
  if (name.empty()) return -1;
  // A single character names its own key; letters in either case.
  if (name.size() == 1) {
    unsigned char c = static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(name[0])));
    if (c >= 33 && c <= 126 && !NAMES[c].empty()) return c;
    return -1;
  }
  std::string n = LOWER(name);
  for (int32_t c = 0; c <= K_LAST; c++)
    if (NAMES[c].size() > 1 && NAMES[c] == n) return c;
  for (const ALIAS& a : ALIASES)
    if (n == a.NAME) return a.CODE;
  // "Keypad 4" / "kp4" / "kp 4"
  for (const char* prefix : {"keypad ", "kp ", "kp"}) {
    std::string p = prefix;
    if (n.size() == p.size() + 1 && n.compare(0, p.size(), p) == 0 && std::isdigit(static_cast<unsigned char>(n.back())))
      return K_KP0 + (n.back() - '0');
  }
  return -1;
}

int32_t KEYCHARACTER(int32_t code) {
  if (code >= 1 && code <= 127) return code;
  if (code >= K_KP0 && code <= K_KP9) return '0' + (code - K_KP0);
  switch (code) {
    case K_KP_PERIOD: return '.';
    case K_KP_DIVIDE: return '/';
    case K_KP_MULTIPLY: return '*';
    case K_KP_MINUS: return '-';
    case K_KP_PLUS: return '+';
    case K_KP_ENTER: return K_RETURN;
    case K_KP_EQUALS: return '=';
    default: return 0;
  }
}
