// Contact sheet of the glyph sets, drawn by the game's own renderer on the
// headless back-end at game scale (1280 x 720, the 45 x 25 text mode):
//   1. every NORM glyph 32..256 (white), each with its code underneath;
//   2. the same for the ASCII set;
//   3. every NORM large sheet shown whole, tile by tile;
//   4. a made-up scene in the modern look: floor, rock blocks with their
//      faces, water, a door, pickups, monsters at monster zoom, the player,
//      fire, gore, sparks, the message log backdrop and the health line.
// The frames are stacked into one PNG.
//
// Usage: contact_sheet [--data DIR] [--frame N] OUT.png
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "base/paths.h"

static const int FRAMEW = 1280, FRAMEH = 720;

static void BEGIN(int cols, int rows) {
  VMODE.COL = cols;
  VMODE.ROW = rows;
  TOFFX = TOFFY = 0;
  STARTUPDATESCREEN();
  SWITCHTOOPENGLCOLORKEYMODE();
}

static IMAGE FINISH() {
  THEBACKEND->ENDFRAME();
  IMAGE img;
  THEBACKEND->READFRAME(img);
  return img;
}

static void GLYPH(int x, int y, int code, int attr, int bri = 100, int effect = 0, int lx = -1,
                  int ly = -1, double zoom = 100) {
  RENDERCHARCODE(x, y, code, static_cast<BYTE>(attr), 100, static_cast<BYTE>(bri), effect, lx, ly,
                 zoom, false);
}

// Every glyph of the loaded set: 22 per row on the 45 x 25 grid, codes in
// half-size digits below.
static IMAGE GRIDFRAME() {
  BEGIN(45, 25);
  for (int code = 32; code <= 256; code++) {
    int k = code - 32, col = 2 + (k % 22) * 2, row = 1 + (k / 22) * 2;
    GLYPH(col, row, code, 15);
    RENDERSTRING(col * 2 - 1, row * 2 + 1, std::to_string(code), 14, 0, 2, 100, 100);
  }
  return FINISH();
}

// Each large sheet drawn whole, one cell per tile, side by side.
static IMAGE SHEETFRAME() {
  BEGIN(45, 25);
  int x = 1, y = 1, rowh = 0;
  for (int code = 32; code <= 256; code++) {
    const TINFO& t = TEXINFO[code];
    if (!t.ITS_LARGE) continue;
    if (x + t.NUMTEXX > 45) { x = 1; y += rowh + 1; rowh = 0; }
    for (int ty = 1; ty <= t.NUMTEXY; ty++)
      for (int tx = 1; tx <= t.NUMTEXX; tx++) GLYPH(x + tx - 1, y + ty - 1, code, 15, 100, 0, tx, ty);
    RENDERSTRING(x * 2 - 1, (y + t.NUMTEXY) * 2 - 1, std::to_string(code), 14, 0, 2, 100, 100);
    rowh = std::max(rowh, t.NUMTEXY);
    x += t.NUMTEXX + 1;
  }
  return FINISH();
}

// Tile of a 4 x 4 terrain sheet for screen cell (x, y), as the view picks it.
static int TX(int code, int x) { return x % std::max(1, TEXINFO[code].NUMTEXX) + 1; }
static int TY(int code, int y) { return y % std::max(1, TEXINFO[code].NUMTEXY) + 1; }

static IMAGE SCENEFRAME() {
  BEGIN(45, 25);
  // Floor underlay everywhere, grey at half brightness as the view draws it.
  for (int y = 1; y <= 25; y++)
    for (int x = 1; x <= 33; x++) GLYPH(x, y, 246, 8, 50, 0, TX(246, x), TY(246, y));
  // A rock mass with its faces (top row shows tops, right column right faces).
  for (int y = 3; y <= 8; y++)
    for (int x = 3; x <= 10; x++) {
      int e = (y == 3 ? 2 : 0) + (x == 10 ? 1 : 0);
      if (e == 0 && x == 10 && y == 3) e = 7;
      GLYPH(x, y, 227, 7, 100, e, TX(227, x), TY(227, y));
    }
  for (int x = 4; x <= 6; x++) GLYPH(x, 9, 227, 14, 100, 0, TX(227, x), TY(227, 9));  // weak rock
  // A brick building with a yellow door.
  for (int y = 3; y <= 8; y++)
    for (int x = 20; x <= 28; x++) {
      bool wall = y == 3 || y == 8 || x == 20 || x == 28;
      if (!wall) continue;
      int code = (y == 8 && x >= 23 && x <= 25) ? 229 : 226;
      int attr = code == 229 ? 14 : 7;
      GLYPH(x, y, code, attr, 100, y == 3 ? 2 : 0, TX(code, x), TY(code, y));
    }
  // Water and sewers, scrolling.
  for (int y = 14; y <= 18; y++)
    for (int x = 2; x <= 12; x++) GLYPH(x, y, 247, 7, 100, 64, TX(247, x), TY(247, y));
  for (int y = 20; y <= 23; y++)
    for (int x = 2; x <= 8; x++) GLYPH(x, y, 228, 7, 100, 64, TX(228, x), TY(228, y));
  GLYPH(7, 16, 139, 7);  // boat on the water
  // Trees, a barrel, pickups.
  const int trees[][2] = {{14, 3}, {15, 4}, {13, 5}, {16, 2}};
  for (auto& t : trees) GLYPH(t[0], t[1], 136, 7);
  GLYPH(17, 10, 231, 7);
  const int pick[][3] = {{145, 14, 0}, {146, 14, 0}, {147, 14, 0}, {148, 14, 0}, {149, 14, 0},
                         {150, 14, 0}, {151, 14, 0}, {152, 14, 0}, {153, 14, 0}, {138, 7, 0},
                         {154, 3, 0}, {154, 12, 0}, {168, 10, 0}, {186, 6, 0}, {210, 6, 0},
                         {240, 14, 0}, {220, 7, 0}, {236, 11, 0}, {157, 7, 0}, {158, 7, 0},
                         {141, 7, 0}, {204, 14, 0}, {137, 7, 0}, {125, 7, 0}, {248, 7, 0},
                         {233, 7, 0}};
  int px = 14, py = 12;
  for (auto& p : pick) {
    GLYPH(px, py, p[0], p[1]);
    if (++px > 32) { px = 14; py += 1; }
  }
  // Monsters (poses A and B) at monster zoom, in their play colours.
  // Kinds 1..11 in order; the boss (kind 12) follows below at its own zoom.
  const int mons[][3] = {{127, 135, 7}, {225, 235, 7}, {134, 142, 7}, {167, 166, 8},
                         {129, 133, 13}, {161, 162, 7}, {163, 144, 7}, {175, 238, 7},
                         {232, 237, 14}, {169, 170, 11}, {172, 173, 7}};
  int mx = 13;
  for (auto& m : mons) {
    GLYPH(mx, 17, m[0], m[2], 100, 0, -1, -1, 115);
    GLYPH(mx, 19, m[1], m[2], 100, 128, -1, -1, 115);  // mirrored: walking right
    mx += 2;
  }
  GLYPH(17, 22, 234, 7, 100, 0, -1, -1, 140);
  GLYPH(20, 22, 164, 7, 100, 0, -1, -1, 140);
  // The player: walk frames, sitting, at player zoom; muzzle flash and cursor.
  int fx = 23;
  for (int code : {130, 131, 132, 140}) GLYPH(fx++, 22, code, 7, 100, 0, -1, -1, 115);
  SWITCHTOOPENGLBLENDINGMODE();
  GLYPH(27, 22, 179, 14);
  GLYPH(28, 22, 241, 12);
  // Fire, gore and effects (gore and effects are drawn additively).
  SWITCHTOOPENGLCOLORKEYMODE();
  for (int k = 0; k < 3; k++) { GLYPH(24 + k, 11, 249 + k, 15); GLYPH(27 + k, 11, 252 + k, 15); }
  SWITCHTOOPENGLBLENDINGMODE();
  GLYPH(30, 11, 194, 15);
  GLYPH(31, 11, 245, 15);
  for (int k = 1; k <= 4; k++) GLYPH(29 + k, 22, 206, 7, 100, 0, k, 1);
  for (int ty = 1; ty <= 3; ty++)
    for (int tx = 1; tx <= 3; tx++) GLYPH(21 + tx, 12 + ty, 183, 7, 100, 0, 3 + tx, ty);
  GLYPH(26, 13, 165, 7, 100, 0, 1, 2);
  GLYPH(26, 14, 165, 7, 100, 0, 1, 3);
  GLYPH(26, 15, 165, 7, 100, 0, 1, 1);
  // A tank.
  SWITCHTOOPENGLCOLORKEYMODE();
  for (int ty = 1; ty <= 3; ty++)
    for (int tx = 1; tx <= 3; tx++) GLYPH(9 + tx, 9 + (4 - ty), 202, 8, 100, 0, tx, ty);
  GLYPH(13, 9, 202, 8, 100, 0, 4, 1);
  // Message log backdrop on its 22 x 48 grid, then text over it on 90 x 50.
  VMODE.COL = 22;
  VMODE.ROW = 48;
  for (int y = 1; y <= 8; y++)
    for (int x = 1; x <= 8; x++) GLYPH(14 + x, 40 + y, 213, 15, 100, 0, x, y);
  VMODE.COL = 45;
  VMODE.ROW = 25;
  SWITCHTOOPENGLBLENDINGMODE();
  TOFFY += 0.1;
  TOFFX -= 0.5;
  const char* lines[] = {"Picked up shotgun clip.", "You feel better.", "Torch requires 75 lumber."};
  for (int i = 0; i < 3; i++) RENDERSTRING(61, 43 + i, lines[i], i == 2 ? 12 : 7, 0, 2, 100, 75);
  TOFFX = TOFFY = 0;
  // Health line of the HUD.
  RENDERSTRING(34, 20, std::string(" 100 ") + static_cast<char>(154) + "50", 7, 0, 1, 100, 100);
  SWITCHTOOPENGLCOLORKEYMODE();
  GLYPH(34, 20, 202, 7, 100, 0, 4, 2);
  return FINISH();
}

int main(int argc, char** argv) {
  std::string data = ASHEN_SOURCE_DATA, out;
  int only = 0;  // --frame N writes frame N (1..4) alone
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--data" && i + 1 < argc) data = argv[++i];
    else if (a == "--frame" && i + 1 < argc) only = std::atoi(argv[++i]);
    else out = a;
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: contact_sheet [--data DIR] OUT.png\n");
    return 1;
  }
  // Glyph paths are resolved against the working folder, as in the game.
  out = std::filesystem::absolute(out).string();
  std::error_code ec;
  std::filesystem::current_path(data, ec);
  if (ec) {
    std::fprintf(stderr, "contact_sheet: cannot enter the data folder %s\n", data.c_str());
    return 1;
  }
  DATAFOLDER = data;
  THEBACKEND = MAKEHEADLESSBACKEND(FRAMEW, FRAMEH);
  INITVIDEO();
  std::vector<IMAGE> frames;
  for (int modern : {1, 0}) {
    MODERN_VISUALS = static_cast<BYTE>(modern);
    IGNORE_BATTR = static_cast<BYTE>(modern);
    if (!LOADMAINTEXTURES(-1)) {
      std::fprintf(stderr, "contact_sheet: cannot load the glyphs from %s\n", data.c_str());
      return 1;
    }
    frames.push_back(GRIDFRAME());
    if (modern) {
      frames.push_back(SHEETFRAME());
      frames.push_back(SCENEFRAME());
    }
  }
  if (only >= 1 && only <= static_cast<int>(frames.size())) frames = {frames[only - 1]};
  IMAGE sheet;
  sheet.W = FRAMEW;
  for (const IMAGE& f : frames) sheet.H += f.H + 4;
  sheet.RGBA.assign(static_cast<size_t>(sheet.W) * sheet.H * 4, 0);
  for (size_t k = 0; k < sheet.RGBA.size(); k += 4) sheet.RGBA[k + 1] = 0, sheet.RGBA[k + 2] = 90, sheet.RGBA[k + 3] = 255;
  int y = 0;
  for (const IMAGE& f : frames) {
    for (int r = 0; r < f.H; r++)
      std::copy(f.RGBA.begin() + static_cast<long>(r) * f.W * 4, f.RGBA.begin() + static_cast<long>(r + 1) * f.W * 4,
                sheet.RGBA.begin() + static_cast<long>(y + r) * sheet.W * 4);
    y += f.H + 4;
  }
  THEBACKEND->CLOSE();
  if (!SAVEPNGFILE(out, sheet)) {
    std::fprintf(stderr, "contact_sheet: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("contact_sheet: %d frames -> %s\n", static_cast<int>(frames.size()), out.c_str());
  return 0;
}
