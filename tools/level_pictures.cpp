// Pictures of the campaign levels: each whole level as one PNG, every cell one
// small tile (half the size of a game tile) drawn from the committed modern
// glyph images, tinted by the cell's colour where the glyph is a grey one
// (keys, doors, lettering). Monsters show their own drawings, the player's
// start the hero, portals a magenta frame. The level is set up by the game's
// own loader and scan, so what the picture shows is what the game reads.
//
// Usage: level_pictures [--data DIR] [--out DIR] [LEVEL ...]
//   default: every Map<N>.txt of CAMPAIGN/main/MAPS into docs/levels/level<N>.png
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "base/paths.h"
#include "display/backend.h"
#include "game/doors.h"
#include "render/lighting.h"
#include "game/monsters.h"
#include "base/settings.h"
#include "display/renderer.h"
#include "shell/gameflow.h"
#include "world/grid.h"
#include "world/maploader.h"
#include "world/mapscan.h"

namespace fs = std::filesystem;

namespace {
const int TW = 12, TH = 16;  // tile size in the picture (game tiles are 24 x 32)

const uint8_t EGA[16][3] = {{0, 0, 0},       {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
                            {170, 0, 0},     {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
                            {85, 85, 85},    {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
                            {255, 85, 85},   {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};

struct GLYPHS {
  fs::path dir;
  std::map<int, IMAGE> cache;
  const IMAGE* get(int code) {
    auto it = cache.find(code);
    if (it != cache.end()) return it->second.W > 0 ? &it->second : nullptr;
    IMAGE img;
    if (!LOADIMAGEFILE((dir / (std::to_string(code) + ".png")).string(), img)) img = IMAGE();
    cache[code] = img;
    return img.W > 0 ? &cache[code] : nullptr;
  }
};

bool GREY(const IMAGE& g) {
  for (size_t i = 0; i + 3 < g.RGBA.size(); i += 4)
    if (g.RGBA[i + 3] > 0 && (std::abs(g.RGBA[i] - g.RGBA[i + 1]) > 12 || std::abs(g.RGBA[i + 1] - g.RGBA[i + 2]) > 12))
      return false;
  return true;
}

// Draws glyph image G into tile (cx, cy) of OUT, box-filtered down to the tile
// size, alpha-blended, tinted by colour ATTR when the glyph is grey.
void DRAWTILE(IMAGE& out, int cx, int cy, const IMAGE& g, int attr) {
  const bool tint = attr >= 0 && GREY(g);
  const uint8_t* c = EGA[attr & 15];
  for (int ty = 0; ty < TH; ty++)
    for (int tx = 0; tx < TW; tx++) {
      double acc[4] = {0, 0, 0, 0};
      int n = 0;
      for (int sy = ty * g.H / TH; sy < (ty + 1) * g.H / TH; sy++)
        for (int sx = tx * g.W / TW; sx < (tx + 1) * g.W / TW; sx++, n++)
          for (int k = 0; k < 4; k++) acc[k] += g.RGBA[(sy * g.W + sx) * 4 + k];
      if (n == 0) continue;
      const double a = acc[3] / n / 255.0;
      uint8_t* d = &out.RGBA[((cy * TH + ty) * out.W + cx * TW + tx) * 4];
      for (int k = 0; k < 3; k++) {
        double v = acc[k] / n;
        if (tint) v = v * c[k] / 255.0;
        d[k] = static_cast<uint8_t>(d[k] * (1 - a) + v * a);
      }
      d[3] = 255;
    }
}

void FRAME(IMAGE& out, int cx, int cy, const uint8_t* c) {
  for (int t = 0; t < TW; t++)
    for (int e : {0, TH - 1}) std::copy(c, c + 3, &out.RGBA[((cy * TH + e) * out.W + cx * TW + t) * 4]);
  for (int t = 0; t < TH; t++)
    for (int e : {0, TW - 1}) std::copy(c, c + 3, &out.RGBA[((cy * TH + t) * out.W + cx * TW + e) * 4]);
}

// The modern glyph a cell's symbol is drawn with (the view's own choices).
int CELLGLYPH(int x, int y) {
  const unsigned char s = MAP[x][y];
  const POSTPROCESSING& pp = MAPPP[x][y];
  switch (s) {
    case ' ': return pp.DISPFLOOR;
    case 'R': return pp.INDOOR ? pp.DISPHOUSEROCK : pp.DISPROCK;
    case 'W': return 247;
    case 'V': return 228;
    case 176: return 229;
    case '%': return 168;
    case '$': return 141;
    case 219: return 231;
    case 'T': return 136;
    case 'Y': return 154;
    case 'H': return 138;
    case 'S': return 139;
    case 'P': return 130;
    default: break;
  }
  if (s >= '1' && s <= '9') return 145 + (s - '1');
  return s;
}

bool PICTURE(int level, const fs::path& mapfile, const fs::path& out, GLYPHS& gl) {
  MAPSIZEX = MAPSIZEY = 0;
  PRELOADMAPINIT();
  if (!LOADMAPFILE(mapfile.string(), static_cast<BYTE>(level))) return false;
  ASSIGNCOLORS();
  SCANMAP(static_cast<BYTE>(level));
  IMAGE img;
  img.W = MAPSIZEX * TW;
  img.H = MAPSIZEY * TH;
  img.RGBA.assign(static_cast<size_t>(img.W) * img.H * 4, 0);
  for (int x = 1; x <= MAPSIZEX; x++)
    for (int y = 1; y <= MAPSIZEY; y++) {
      const int cx = x - 1, cy = MAPSIZEY - y;  // top line of the file at the top
      const unsigned char s = MAP[x][y];
      // Floor under everything that is not rock, then the cell's own glyph.
      if (s != 'R' && s != 176) {
        if (const IMAGE* f = gl.get(MAPPP[x][y].DISPFLOOR)) DRAWTILE(img, cx, cy, *f, 8);
      }
      if (s == 'M') continue;  // drawn from the monster table below
      if (s != ' ')
        if (const IMAGE* g = gl.get(CELLGLYPH(x, y))) DRAWTILE(img, cx, cy, *g, MFATTR[x][y]);
      const unsigned char chr = MAPPP[x][y].CHR;
      if (s == 'R' && chr != 255 && chr != ' ')
        if (const IMAGE* g = gl.get(chr)) DRAWTILE(img, cx, cy, *g, 14);
    }
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    const int x = MONSTERX[m], y = MONSTERY[m];
    if (!VALID(x, y) || x > MAPSIZEX || y > MAPSIZEY) continue;
    if (const IMAGE* g = gl.get(WHICHCHARISTHISMONSTER(static_cast<uint16_t>(m))))
      DRAWTILE(img, x - 1, MAPSIZEY - y, *g, -1);
  }
  static const uint8_t MAGENTA[3] = {255, 0, 255};
  for (int i = 1; i <= NUMPORTALS; i++)
    if (PORTALX[i] >= 1 && PORTALX[i] <= MAPSIZEX && PORTALY[i] >= 1 && PORTALY[i] <= MAPSIZEY)
      FRAME(img, PORTALX[i] - 1, MAPSIZEY - PORTALY[i], MAGENTA);
  return SAVEPNGFILE(out.string(), img);
}
}  // namespace

int main(int argc, char** argv) {
  fs::path data = ASHEN_SOURCE_DATA, outdir = fs::path(ASHEN_SOURCE_DATA).parent_path() / "docs" / "levels";
  std::vector<int> levels;
  for (int i = 1; i < argc; i++) {
    const std::string a = argv[i];
    if (a == "--data" && i + 1 < argc) data = argv[++i];
    else if (a == "--out" && i + 1 < argc) outdir = argv[++i];
    else levels.push_back(std::atoi(a.c_str()));
  }
  const fs::path maps = data / "CAMPAIGN" / "main" / "MAPS";
  if (levels.empty()) {
    const std::regex name("Map([0-9]+)\\.txt");
    for (const auto& e : fs::directory_iterator(maps)) {
      std::smatch m;
      const std::string f = e.path().filename().string();
      if (std::regex_match(f, m, name)) levels.push_back(std::stoi(m[1].str()));
    }
  }
  GLOBALINIT();
  MODERN_VISUALS = 1;
  NEW_LAND = NEW_ITEMS = NEW_MONSTERS = 1;
  GAMEDIFFICULTY = 4;  // every item stays, as a level author wrote it
  GLYPHS gl;
  gl.dir = data / "GFX" / "NORM";
  fs::create_directories(outdir);
  int bad = 0;
  for (int level : levels) {
    const fs::path out = outdir / ("level" + std::to_string(level) + ".png");
    if (PICTURE(level, maps / ("Map" + std::to_string(level) + ".txt"), out, gl)) {
      std::printf("%s\n", out.string().c_str());
    } else {
      std::fprintf(stderr, "level_pictures: level %d: cannot draw\n", level);
      bad++;
    }
  }
  return bad == 0 ? 0 : 1;
}
