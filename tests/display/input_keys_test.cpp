// Key code translation from SDL2 and the SDL 1.2 key names.
#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

#include "display/keynames.h"
#include "display/sdlkeys.h"

TEST(InputKeys, TranslationOfKeysWhoseCodesDiffer) {
  const int32_t pairs[][2] = {
      {SDLK_UP, 273},        {SDLK_DOWN, 274},     {SDLK_RIGHT, 275},    {SDLK_LEFT, 276},
      {SDLK_KP_0, 256},      {SDLK_KP_1, 257},     {SDLK_KP_9, 265},     {SDLK_KP_PERIOD, 266},
      {SDLK_KP_DIVIDE, 267}, {SDLK_KP_MULTIPLY, 268}, {SDLK_KP_MINUS, 269}, {SDLK_KP_PLUS, 270},
      {SDLK_KP_ENTER, 271},  {SDLK_F1, 282},       {SDLK_F12, 293},      {SDLK_F13, 294},
      {SDLK_F15, 296},       {SDLK_INSERT, 277},   {SDLK_HOME, 278},     {SDLK_END, 279},
      {SDLK_PAGEUP, 280},    {SDLK_PAGEDOWN, 281}, {SDLK_RSHIFT, 303},   {SDLK_LSHIFT, 304},
      {SDLK_RCTRL, 305},     {SDLK_LCTRL, 306},    {SDLK_RALT, 307},     {SDLK_LALT, 308},
      {SDLK_CAPSLOCK, 301},  {SDLK_NUMLOCKCLEAR, 300}, {SDLK_PAUSE, 19},
      // Character keys keep their codes.
      {SDLK_a, 97}, {SDLK_1, 49}, {SDLK_SPACE, 32}, {SDLK_RETURN, 13}, {SDLK_ESCAPE, 27},
      {SDLK_TAB, 9}, {SDLK_DELETE, 127}, {SDLK_BACKQUOTE, '`'},
      // Keys without an SDL 1.2 number; none may report 320, "unbound".
      {SDLK_POWER, 0}, {SDLK_F24, 0}, {SDLK_AUDIONEXT, 0}, {0x20AC, 0}};
  for (const auto& p : pairs) EXPECT_EQ(SDL2TOSDL12KEY(p[0]), p[1]) << std::hex << p[0];
}

TEST(InputKeys, NamesAndLookup) {
  EXPECT_EQ(KEYNAME(32), "space");
  EXPECT_EQ(KEYNAME(260), "[4]");
  EXPECT_EQ(KEYNAME(271), "enter");
  EXPECT_EQ(KEYNAME(280), "page up");
  EXPECT_EQ(KEYNAME(296), "f15");
  EXPECT_EQ(KEYNAME(65), "unknown key");
  EXPECT_EQ(KEYNAME(-5), "unknown key");
  EXPECT_EQ(KEYNAME(1000), "unknown key");
  // Scripts may use the SDL2 spellings.
  EXPECT_EQ(KEYCODEOFNAME("A"), 97);
  EXPECT_EQ(KEYCODEOFNAME("Left"), 276);
  EXPECT_EQ(KEYCODEOFNAME("Keypad 4"), 260);
  EXPECT_EQ(KEYCODEOFNAME("PageUp"), 280);
  EXPECT_EQ(KEYCODEOFNAME("Keypad Enter"), 271);
  EXPECT_EQ(KEYCODEOFNAME("nonsense"), -1);
  EXPECT_EQ(KEYCODEOFNAME(""), -1);
  // Every name leads back to its key, so a recording replays.
  for (int32_t c = 0; c <= K_LAST; c++) {
    std::string n = KEYNAME(c);
    if (n != "unknown key") {
      EXPECT_EQ(KEYCODEOFNAME(n), c) << n;
    }
  }
}
