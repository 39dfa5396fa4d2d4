// Draws the modern glyph set data/GFX/NORM/32.png .. 256.png procedurally
// and writes its catalogue docs/glyphs.md from the same table, so the two
// cannot drift apart. Every drawing is deterministic (fixed seeds).
//
// Codes the world never shows as a picture stay text glyphs: they are taken
// from the plain set (data/GFX/ASCII, made by make_ascii_glyphs) and given a
// soft top-to-bottom shading and a near-black drop shadow, which keeps
// messages legible over textured floors.
//
// Sizes: ordinary pictures are 48 x 36 images whose visible left three
// quarters are a 36 x 36 drawing; text glyphs keep the 24 x 32 of the plain
// set; large sheets are multiples of 64 x 64 tiles, drawn at half resolution
// and doubled.
//
// Usage: make_norm_glyphs [--data DIR] [--catalogue FILE]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "codepage.h"
#include "glyphart.h"
#include "norm_items.h"
#include "norm_sheets.h"
#include "norm_sprites.h"
#include "plain_symbols.h"

enum GLYPHKIND { K_TEXT, K_PICTURE, K_SHEET };

struct GLYPHENTRY {
  int CODE;
  GLYPHKIND KIND;
  int TILESX, TILESY;        // sheets only
  std::string MODERN;        // what the modern look draws with it
  std::string TINT;          // attribute colour that tints it in play
  std::function<CANVAS()> DRAW;
};

static IMAGE PICTUREIMAGE(const CANVAS& c) { return TOIMAGE(c, 48, 36); }
static IMAGE SHEETIMAGE(const CANVAS& c) {
  CANVAS big = SCALEUP(c, 2);
  return TOIMAGE(big, big.W, big.H);
}

// What the plain look uses a code for, where the game gives it a meaning.
static std::string CLASSICUSE(int code) {
  switch (code) {
    case 32: return "blank; the floor (drawn from the cell's floor glyph)";
    case 35: return "water (#) when the new land style is off; start cell of player 2 in map files";
    case 36: return "landmine in map files (shown as #141 within 4 cells, as floor beyond)";
    case 37: return "key in map files (shown as #168)";
    case 39: return "crater left where a mine destroyed '_' or 'S'";
    case 42: case 43: return "muzzle flash";
    case 45: case 47: case 92: case 124: return "rocket flying in that direction";
    case 48: return "indoor rock in map files";
    case 49: case 50: case 51: case 52: case 53: case 54: case 55: case 56: case 57:
      return "weapon pickup";
    case 64: return "defib kit item";
    case 65: return "bionic axe item";
    case 66: return "boat item";
    case 72: return "health pickup";
    case 75: return "serum (boot time) item";
    case 77: return "monster (all kinds but the friend 'P' and the boss 'A')";
    case 79: case 111: return "flame (O big, o small); 'O' is also a helper";
    case 80: return "player";
    case 82: return "rock";
    case 84: return "tree";
    case 86: return "sewers";
    case 87: return "water, also fire shown as W/w when the new fire style is off";
    case 89: return "armour pickup";
    case 95: return "'_' scenery that mines blow up";
    case 105: return "torch item";
    case 112: return "sitting player";
    case 119: return "fire (w)";
    case 176: return "door";
    case 177: return "tank body";
    case 178: return "tank centre; indoor rock display glyph";
    case 219: return "barrel; text-input cursor";
    case 256: return "solid tile painting cell backgrounds";
    default: return "";
  }
}

// For a code that stays a text glyph in the modern look: how the world shows
// the map symbol of that code instead, where it differs.
static std::string MODERNMAPNOTE(int code) {
  switch (code) {
    case 32: return "; an empty cell shows the floor #246";
    case 36: return "; a landmine cell shows #141";
    case 37: return "; a key cell shows #168";
    case 39: return "; a crater cell shows #233";
    case 45: case 47: case 92: case 124: return "; also a flying rocket";
    case 49: case 50: case 51: case 52: case 53: case 54: case 55: case 56: case 57:
      return "; a weapon cell shows #" + std::to_string(144 + code - '0');
    case 65: return "; an axe cell shows #137";
    case 66: return "; a boat cell shows #139";
    case 72: return "; a health cell shows #138";
    case 75: return "; a serum cell shows #125";
    case 77: return "; a monster shows its kind's drawing";
    case 79: return "; a flame cell shows #249..#251";
    case 80: return "; the player shows #130..#132";
    case 82: return "; rock shows #227, indoor rock #226";
    case 83: return "; an 'S' cell shows #139";
    case 84: return "; a tree shows #136";
    case 86: return "; sewers show #228";
    case 87: return "; water shows #247";
    case 89: return "; an armour cell shows #154";
    case 95: return "; a '_' cell shows #248";
    case 105: return "; a torch cell shows #204";
    case 111: return "; a flame cell shows #252..#254";
    case 112: return "; a sitting player shows #140";
    case 176: return "; door cells show #229";
    case 177: case 178: return "; tank cells show the tank sheet #202";
    case 219: return "; a barrel cell shows #231";
    default: return "";
  }
}

static std::vector<GLYPHENTRY> TABLE() {
  std::vector<GLYPHENTRY> t;
  auto pic = [&t](int code, std::string what, std::string tint, std::function<CANVAS()> f) {
    t.push_back({code, K_PICTURE, 1, 1, std::move(what), std::move(tint), std::move(f)});
  };
  auto sheet = [&t](int code, int nx, int ny, std::string what, std::string tint, std::function<CANVAS()> f) {
    t.push_back({code, K_SHEET, nx, ny, std::move(what), std::move(tint), std::move(f)});
  };
  HUMANSTYLE me = PLAYERSTYLE();
  sheet(123, 6, 3, "portal vortex prop: two frames of 3 x 3 tiles at tile columns 1 and 4, row 1", "7 (layer 1: a coloured light replaces it)", PORTALSHEET);
  pic(125, "serum vial (item 'K', Zarnov's serum: boot time)", "7", SERUM);
  pic(127, "monster type 1 (grunt) pose A; also the player's morph shape replacing frame #130", "7", [] { return GRUNT(0); });
  pic(129, "monster type 5 (liquid-metal man) pose A", "cycling item colour", [] { return LIQUIDMAN(0); });
  pic(130, "player walk frame 1 (also standing)", "7", [me] { return HUMANOID(me, -1); });
  pic(131, "player walk frame 2 (feet passing)", "7", [me] { return HUMANOID(me, 0); });
  pic(132, "player walk frame 3", "7", [me] { return HUMANOID(me, 1); });
  pic(133, "monster type 5 (liquid-metal man) pose B", "cycling item colour", [] { return LIQUIDMAN(1); });
  pic(134, "monster type 3 (soldier) pose A", "7", [] { return SOLDIER(0); });
  pic(135, "monster type 1 (grunt) pose B; also the player's morph shape", "7", [] { return GRUNT(1); });
  pic(136, "tree ('T')", "7", TREE);
  pic(137, "bionic axe item ('A')", "7", AXE);
  pic(138, "health pickup ('H'); the menu starfield draws its stars with it", "7 (stars: any)", HEALTH);
  pic(139, "boat item ('B'); also the 'S' scenery cell", "7", BOAT);
  pic(140, "player sitting", "7", [me] { return HUMANOID(me, 0, true); });
  pic(141, "landmine ('$', within 4 cells of the player)", "7", LANDMINE);
  pic(142, "monster type 3 (soldier) pose B", "7", [] { return SOLDIER(1); });
  pic(144, "monster type 7 (medic) pose B", "7", [] { return MEDIC(1); });
  pic(161, "monster type 6 (friend) pose A", "7", [] { return FRIEND(0); });
  pic(162, "monster type 6 (friend) pose B", "7", [] { return FRIEND(1); });
  pic(163, "monster type 7 (medic) pose A", "7", [] { return MEDIC(0); });
  pic(169, "monster type 10 (hover wasp) pose A", "11", [] { return WASPDRONE(0); });
  pic(170, "monster type 10 (hover wasp) pose B", "11", [] { return WASPDRONE(1); });
  pic(172, "monster type 11 (sentry orb) pose A", "7", [] { return SENTRYORB(0); });
  pic(173, "monster type 11 (sentry orb) pose B", "7", [] { return SENTRYORB(1); });
  const char* weapons[9] = {"scrap gun", "range shotgun", "power shotgun", "chaingun", "rocket launcher",
                            "flame thrower", "NRG-8000", "plasma gun", "minigun"};
  for (int n = 1; n <= 9; n++)
    pic(144 + n, std::string("weapon pickup '") + static_cast<char>('0' + n) + "': " + weapons[n - 1], "14",
        [n] { return WEAPON(n); });
  pic(154, "armour pickup ('Y'); the armour sign of the HUD's health line", "3 yellow armour, 12 red armour; HUD 7", ARMOUR);
  pic(156, "ammunition: a couple of rockets", "colour of the placing rule", [] { return AMMO(156); });
  pic(157, "ammunition: can of flame cocktail ('?')", "7", [] { return AMMO(157); });
  pic(158, "ammunition: backpack ('+')", "7", [] { return AMMO(158); });
  pic(164, "monster type 12 (boss) pose B, drawn at 140 %", "7", [] { return BOSS(1); });
  sheet(165, 3, 3, "glow sheet: cell flash tiles (1..3, 1) by blink state; plasma ball tiles (1, 2), (2, 2); explosion light (1, 3); blast (2, 3); tank shell trail (3, 3)", "7 (drawn additively)", GLOWSHEET);
  pic(166, "monster type 4 (stealth) pose B: see-through figure", "8", [] { return STEALTH(1); });
  pic(167, "monster type 4 (stealth) pose A", "8", [] { return STEALTH(0); });
  pic(168, "key ('%' on the map; HUD key list)", "key colour 14, 10, 12, 13, 11, 15", KEY);
  pic(174, "menu frame block; tiled as the menu backdrop", "15 frames, 6 backdrop at 25 %", FRAMEBLOCK);
  pic(175, "monster type 8 (eraser) pose A", "7", [] { return ERASER(0); });
  for (int k = 0; k < 3; k++)
    pic(179 + k, "muzzle flash " + std::to_string(k + 1) + " of 3 beside the player", "14 scrap gun, else 15 (additive)", [k] { return MUZZLE(k); });
  sheet(183, 6, 6, "explosion fireball: four frames of 3 x 3 tiles at tile origins (1, 1), (4, 1), (1, 4), (4, 4)", "7 (drawn additively)", EXPLOSIONSHEET);
  pic(186, "ammunition: shotgun clip ('[')", "6", [] { return AMMO(186); });
  pic(194, "gore: blood mark on the cell", "15 (additive)", BLOOD);
  sheet(202, 4, 3, "tank: hull tiles (1..3, 1..3), turret tile (4, 1), HUD health icon (4, 2)", "cell colour; icon 7", TANKSHEET);
  pic(204, "torch item ('i')", "cell colour (14 when made)", TORCH);
  sheet(206, 4, 2, "sparks: tiles (1..4, 1); muzzle flashes at a target: tiles (1..3, 2)", "7 (drawn additively)", SPARKSHEET);
  pic(210, "ammunition: shotgun shells (',')", "6", [] { return AMMO(210); });
  sheet(213, 8, 8, "message log backdrop, all 8 x 8 tiles shown at once", "15", LOGSHEET);
  pic(220, "ammunition: box of rockets ('{')", "7", [] { return AMMO(220); });
  pic(225, "monster type 2 (advanced prototype) pose A", "7", [] { return PROTOTYPE(0); });
  sheet(226, 4, 4, "indoor rock (brick wall), seamless", "7, weak rock 14", [] { return BRICKSHEET(4); });
  sheet(227, 4, 4, "outdoor rock, seamless", "7, weak rock 14", [] { return ROCKSHEET(4); });
  sheet(228, 4, 4, "sewers ('V'), seamless", "7", [] { return SEWERSHEET(4); });
  sheet(229, 3, 3, "door (#176 in the map), riveted panels, seamless", "key colour", [] { return DOORSHEET(3); });
  pic(231, "barrel (#219 in the map)", "7", BARREL);
  pic(232, "monster type 9 (drone) pose A", "14", [] { return DRONE(0); });
  pic(233, "crater (\"'\" in the map, left by a mine)", "7", CRATER);
  pic(234, "monster type 12 (boss) pose A, drawn at 140 %", "7", [] { return BOSS(0); });
  pic(235, "monster type 2 (advanced prototype) pose B", "7", [] { return PROTOTYPE(1); });
  pic(236, "ammunition: plasma charge ('}')", "11", [] { return AMMO(236); });
  pic(237, "monster type 9 (drone) pose B", "14", [] { return DRONE(1); });
  pic(238, "monster type 8 (eraser) pose B", "7", [] { return ERASER(1); });
  pic(239, "ammunition: chaingun bullets", "colour of the placing rule", [] { return AMMO(239); });
  pic(240, "ammunition: chaingun magazine (']')", "14", [] { return AMMO(240); });
  pic(241, "aiming cursor", "12", CROSSHAIR);
  pic(245, "gore: monster remains", "15 (additive)", REMAINS);
  sheet(246, 4, 4, "floor (flagstones), seamless; under every object", "8 at half brightness, or the light colour", [] { return FLOORSHEET(4); });
  sheet(247, 4, 4, "water ('W'), seamless, scrolls sideways", "7", [] { return WATERSHEET(4); });
  pic(248, "scrap heap ('_' in the map)", "7", SCRAPHEAP);
  for (int k = 0; k < 3; k++)
    pic(249 + k, "big flame ('O') frame " + std::to_string(k + 1), "15", [k] { return FLAME(true, k); });
  for (int k = 0; k < 3; k++)
    pic(252 + k, "small flame ('o') frame " + std::to_string(k + 1), "15", [k] { return FLAME(false, k); });
  return t;
}

// A text glyph of the modern set from the plain one: soft shading from white
// at the top to light grey at the bottom, and a near-black shadow one dot to
// the lower right (not for the line-drawing and block codes, which must join).
static bool TEXTGLYPH(const std::string& asciidir, int code, IMAGE& out) {
  IMAGE src;
  if (!LOADIMAGEFILE(asciidir + "/" + std::to_string(code) + ".png", src)) return false;
  bool shadow = code != 256 && !(code >= 176 && code <= 223);
  out = src;
  auto lit = [&src](int x, int y) {
    if (x < 0 || y < 0 || x >= src.W || y >= src.H) return false;
    const uint8_t* p = &src.RGBA[(static_cast<size_t>(y) * src.W + x) * 4];
    return p[0] + p[1] + p[2] > 0;
  };
  for (int y = 0; y < src.H; y++)
    for (int x = 0; x < src.W; x++) {
      uint8_t* p = &out.RGBA[(static_cast<size_t>(y) * out.W + x) * 4];
      p[3] = 255;
      if (lit(x, y)) {
        int v = code == 256 ? 255 : 255 - 55 * y / std::max(1, src.H - 1);
        p[0] = p[1] = p[2] = static_cast<uint8_t>(v);
      } else if (shadow && lit(x - 2, y - 2) && x < src.W * 3 / 4) {
        p[0] = 20; p[1] = 20; p[2] = 24;
      } else {
        p[0] = p[1] = p[2] = 0;
      }
    }
  return true;
}

static std::string KINDTEXT(const GLYPHENTRY& e) {
  if (e.KIND == K_SHEET)
    return "sheet " + std::to_string(e.TILESX) + " x " + std::to_string(e.TILESY);
  return "glyph";
}

static std::string ESCAPE(const std::string& s) {
  std::string o;
  for (char ch : s) {
    if (ch == '|') o += "\\|";
    else o += ch;
  }
  return o;
}

static bool WRITECATALOGUE(const std::string& path, const std::vector<GLYPHENTRY>& table) {
  std::ofstream f(path);
  if (!f) return false;
  f << "# Glyph catalogue\n\n"
       "Every glyph code 32..256 of the two glyph sets: `data/GFX/ASCII` (the plain look) and\n"
       "`data/GFX/NORM` (the modern look, the default). This file is written by\n"
       "`tools/make_norm_glyphs`, from the same table that draws the modern set; the glyph set\n"
       "test (`tests/display/glyphset_test.cpp`) reads the Kind column and checks every image\n"
       "against it. `docs/contact_sheet.png` shows both sets, every sheet and a sample scene\n"
       "as the game's renderer draws them (`build/contact_sheet docs/contact_sheet.png`).\n\n"
       "## Conventions\n\n"
       "- Pure black (0, 0, 0) is transparent. Drawn pixels are never pure black; dark parts\n"
       "  use near-black.\n"
       "- A glyph is multiplied by its attribute colour (after saturation and brightness), so\n"
       "  pictures tinted by a telling colour (keys, doors, armour, ammunition, weapons, drones)\n"
       "  are drawn in light greys, and pictures tinted light grey (7) or white (15) carry their\n"
       "  own colours. The Tint column names the attribute colour that tints each glyph in play.\n"
       "- Ordinary glyphs show only the left three quarters of their image across a cell.\n"
       "  Text glyphs are 24 x 32 (a 9 x 16 dot text cell at 2 x 2 pixels per dot in the visible\n"
       "  18 x 32); pictures are 48 x 36 (a 36 x 36 drawing in the visible part).\n"
       "- An image of 64 pixels, or of 192 or more, in either direction is a large sheet of\n"
       "  64 x 64 tiles. Sheets here are drawn at 32 x 32 art pixels per tile and doubled.\n"
       "  Tiles are numbered (column, row) from 1 at the top left. Terrain sheets are seamless:\n"
       "  the view takes the tile from the cell's position, so they repeat over the map.\n"
       "- The plain set shows a symbol, never the code page's letter, for every code the\n"
       "  game draws with a meaning of its own (terrain, pickups, HUD icons, the log frame):\n"
       "  a character of the console font that means the same, or a drawing of 8 x 16 dots\n"
       "  in the font's style (`tools/plain_symbols.h`). Such rows say so in the Plain column.\n"
       "- Text glyphs of the modern look are the plain glyphs with a soft shading and a\n"
       "  near-black shadow one dot down and right (none for the line-drawing and block codes\n"
       "  176..223, which must join their neighbours).\n"
       "- Monsters face left; the view mirrors them when they walk right. Neighbouring monsters\n"
       "  alternate between poses A and B by (x + y) mod 2. Every kind has its own drawing.\n"
       "  A stealth monster that stands still is drawn as the first visible scenery or pickup\n"
       "  tile of the frame, so those pictures are drawn to look right at the 115 % monster zoom.\n\n"
       "## Table\n\n"
       "| Code | Plain look | Modern look | Kind | Tint in play |\n"
       "|---|---|---|---|---|\n";
  std::vector<const GLYPHENTRY*> byCode(257, nullptr);
  for (const GLYPHENTRY& e : table) byCode[e.CODE] = &e;
  for (int code = 32; code <= 256; code++) {
    std::string ch = code == 32 ? "space" : code == 255 ? "no-break space" : code == 256 ? "solid tile" : UTF8OF(CP437UNICODE(code));
    if (ch == "`") ch = "` ` `";
    std::string plain = "`" + ch + "`";
    if (code == 32 || code == 255 || code == 256) plain = ch;
    if (code == 96) plain = "grave accent";
    std::string use = CLASSICUSE(code);
    if (const PLAINSYMBOL* ps = PLAINMEANING(code)) {
      // The plain set draws its own symbol here instead of the code page's letter.
      plain = ps->DOTS ? std::string("drawn symbol") : "`" + UTF8OF(ps->BORROWS) + "`";
      use = ps->MEANING;
    }
    if (!use.empty()) plain += ": " + use;
    const GLYPHENTRY* e = byCode[code];
    std::string modern, kind, tint;
    if (e) {
      modern = e->MODERN;
      kind = KINDTEXT(*e);
      tint = e->TINT;
    } else {
      modern = code == 256 ? "solid white tile (cell backgrounds)" : "text glyph, shaded" + MODERNMAPNOTE(code);
      kind = "glyph";
      tint = code == 256 ? "background colour" : "text colour";
    }
    f << "| " << code << " | " << ESCAPE(plain) << " | " << ESCAPE(modern) << " | " << kind << " | "
      << ESCAPE(tint) << " |\n";
  }
  f << "\nCodes 123..254 except 179..218 can be replaced per level by files in\n"
       "`CAMPAIGN/<game>/GFX_MAPS/<level>/` (\".nma\" before \".png\").\n";
  f.flush();
  return static_cast<bool>(f);
}

int main(int argc, char** argv) {
  std::string data = ASHEN_SOURCE_DATA;
  std::string catalogue = std::filesystem::path(ASHEN_SOURCE_DATA).parent_path().string() + "/docs/glyphs.md";
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--data" && i + 1 < argc) data = argv[++i];
    else if (a == "--catalogue" && i + 1 < argc) catalogue = argv[++i];
    else {
      std::fprintf(stderr, "usage: make_norm_glyphs [--data DIR] [--catalogue FILE]\n");
      return 1;
    }
  }
  std::vector<GLYPHENTRY> table = TABLE();
  std::vector<const GLYPHENTRY*> byCode(257, nullptr);
  for (const GLYPHENTRY& e : table) byCode[e.CODE] = &e;
  std::string asciidir = data + "/GFX/ASCII", normdir = data + "/GFX/NORM";
  int written = 0;
  for (int code = 32; code <= 256; code++) {
    IMAGE img;
    const GLYPHENTRY* e = byCode[code];
    if (!e) {
      if (!TEXTGLYPH(asciidir, code, img)) {
        std::fprintf(stderr, "make_norm_glyphs: cannot read %s/%d.png (run make_ascii_glyphs first)\n",
                     asciidir.c_str(), code);
        return 1;
      }
    } else if (e->KIND == K_SHEET) {
      img = SHEETIMAGE(e->DRAW());
      if (img.W != e->TILESX * 64 || img.H != e->TILESY * 64) {
        std::fprintf(stderr, "make_norm_glyphs: sheet %d came out %d x %d\n", code, img.W, img.H);
        return 1;
      }
    } else {
      img = PICTUREIMAGE(e->DRAW());
    }
    std::string path = normdir + "/" + std::to_string(code) + ".png";
    if (!SAVEPNGFILE(path, img)) {
      std::fprintf(stderr, "make_norm_glyphs: cannot write %s\n", path.c_str());
      return 1;
    }
    written++;
  }
  if (!WRITECATALOGUE(catalogue, table)) {
    std::fprintf(stderr, "make_norm_glyphs: cannot write the catalogue %s\n", catalogue.c_str());
    return 1;
  }
  std::printf("make_norm_glyphs: wrote %d glyphs to %s and the catalogue %s\n", written,
              normdir.c_str(), catalogue.c_str());
  return 0;
}
