// The plain glyph set's symbols: every code the game draws in the plain look
// with a meaning of its own (terrain, pickups, HUD icons, frames), and what
// its image shows instead of the code page's letter. A symbol either borrows
// a character of the console font (BORROWS, a Unicode value; BORROWSCODE is
// its code-page number when it has one) or is drawn here as 16 rows of 8 dots
// in the font's style: '#' a dot, '.' none; the body sits on rows 2..13 like
// the font's capitals.
//
// Used by make_ascii_glyphs (the images) and make_norm_glyphs (the
// catalogue's plain-look column).
#pragma once
#include <cstdint>

struct PLAINSYMBOL {
  int CODE;
  uint32_t BORROWS;
  int BORROWSCODE;
  const char* const* DOTS;
  const char* MEANING;
};

namespace plaindots {

inline const char* const KEY[16] = {
    "........", "..###...", ".#...#..", ".#...#..", ".#...#..", "..###...", "...#....",
    "...#....", "...###..", "...#....", "...##...", "...#....", "...###..", "........",
    "........", "........"};

inline const char* const SHIELD[16] = {
    "........", "........", "########", "#......#", "#.####.#", "#.####.#", "#.####.#",
    "#..##..#", "#..##..#", ".#.##.#.", ".#....#.", "..#..#..", "...##...", "........",
    "........", "........"};

inline const char* const SCRAPHEAP[16] = {
    "........", "........", "........", "........", "........", "........", "...#....",
    "..#.#...", "..###.#.", ".#.#.##.", ".##.#.##", "##.###.#", "########", "........",
    "........", "........"};

inline const char* const STAR[16] = {
    "........", "........", "........", "........", "........", "...#....", "...#....",
    "..###...", "#######.", "..###...", "...#....", "...#....", "........", "........",
    "........", "........"};

inline const char* const AIMRING[16] = {
    "........", "........", "........", "...#....", "..###...", ".#.#.#..", "#.....#.",
    "###.###.", "#.....#.", ".#.#.#..", "..###...", "...#....", "........", "........",
    "........", "........"};

inline const char* const BOTTLE[16] = {
    "........", "...#....", "..#.#...", "...#....", "..###...", "..###...", ".#####..",
    "#######.", "#.....#.", "#.#.#.#.", "#.....#.", "#######.", ".#####..", "........",
    "........", "........"};

inline const char* const BACKPACK[16] = {
    "........", "........", "..###...", ".#...#..", "#######.", "#.....#.", "#.###.#.",
    "#.#.#.#.", "#.###.#.", "#.....#.", "#.....#.", "#######.", ".#...#..", "........",
    "........", "........"};

inline const char* const ROCKETS[16] = {
    "........", "........", ".#...#..", "###.###.", "###.###.", "#.#.#.#.", "###.###.",
    "###.###.", "###.###.", "###.###.", "###.###.", "#.#.#.#.", "#.#.#.#.", "........",
    "........", "........"};

inline const char* const ENERGYCELL[16] = {
    "........", "........", "..###...", "#######.", "#.....#.", "#..#..#.", "#.###.#.",
    "#..#..#.", "#.....#.", "#.....#.", "#.###.#.", "#.....#.", "#######.", "........",
    "........", "........"};

inline const char* const SHELLS[16] = {
    "........", "........", "........", ".#...#..", "###.###.", "#.#.#.#.", "#.#.#.#.",
    "#.#.#.#.", "#.#.#.#.", "###.###.", "###.###.", "###.###.", "........", "........",
    "........", "........"};

inline const char* const BULLETBELT[16] = {
    "........", "........", "........", "........", "........", "........", ".#..#..#",
    "##.##.##", "##.##.##", "##.##.##", "########", "##.##.##", "........", "........",
    "........", "........"};

// The message log's frame: lines two dots thick, so that they survive being
// drawn on the half-size text grid of small windows.
inline const char* const FRAMEH[16] = {
    "........", "........", "........", "........", "........", "........", "........",
    "########", "########", "........", "........", "........", "........", "........",
    "........", "........"};

inline const char* const FRAMEV[16] = {
    "...##...", "...##...", "...##...", "...##...", "...##...", "...##...", "...##...",
    "...##...", "...##...", "...##...", "...##...", "...##...", "...##...", "...##...",
    "...##...", "...##..."};

inline const char* const FRAMECORNER[16] = {
    "........", "........", "........", "........", "........", "........", "........",
    "...#####", "...#####", "...##...", "...##...", "...##...", "...##...", "...##...",
    "...##...", "...##..."};

}  // namespace plaindots

inline const PLAINSYMBOL* PLAINMEANING(int code) {
  static const PLAINSYMBOL TABLE[] = {
      {128, 0x2593, 178, nullptr, "outdoor rock, and cells carrying a painted letter: the dark shade"},
      {138, 0, 0, plaindots::STAR, "menu starfield star: a twinkle"},
      {139, 0, 0, plaindots::SCRAPHEAP, "'_' scrap heap and the 'S' scenery: a heap of scrap"},
      {141, 0x263C, 0, nullptr, "landmine within 4 cells: a spiked mine"},
      {143, 0x00B7, 250, nullptr,
       "floor under a hidden thing (monster, player, rocket, tank): the floor dot"},
      {154, 0, 0, plaindots::SHIELD, "armour sign of the HUD's health line: a shield"},
      {156, 0, 0, plaindots::ROCKETS, "ammunition: a couple of rockets"},
      {157, 0, 0, plaindots::BOTTLE, "ammunition: flame cocktail ('?'), a bottle with a wick"},
      {158, 0, 0, plaindots::BACKPACK, "ammunition: backpack ('+')"},
      {160, 0x00B7, 250, nullptr, "empty floor: the middle dot"},
      {168, 0, 0, plaindots::KEY, "key, on the map and in the HUD's key list"},
      {171, 0x2592, 177, nullptr, "indoor rock: the medium shade"},
      {174, 0x2588, 219, nullptr, "menu frame block and backdrop: the full block"},
      {179, 0, 0, plaindots::FRAMEV, "side line of the message log's frame (bold)"},
      {196, 0, 0, plaindots::FRAMEH, "top line of the message log's frame (bold)"},
      {202, 0x2665, 0, nullptr, "health icon of the HUD: a heart"},
      {210, 0, 0, plaindots::SHELLS, "ammunition: shotgun shells (',')"},
      {218, 0, 0, plaindots::FRAMECORNER, "top-left corner of the message log's frame (bold)"},
      {233, 0x25CB, 0, nullptr, "crater left by a mine (\"'\"): a ring"},
      {236, 0, 0, plaindots::ENERGYCELL, "ammunition: plasma charge ('}'), an energy cell"},
      {239, 0, 0, plaindots::BULLETBELT, "ammunition: chaingun bullets, a belt of rounds"},
      {241, 0, 0, plaindots::AIMRING, "aiming cursor: a ring with a centre dot"},
  };
  for (const PLAINSYMBOL& p : TABLE)
    if (p.CODE == code) return &p;
  return nullptr;
}
