#include "render/postprocess.h"

#include <algorithm>
#include <cstring>

#include "game/players.h"
#include "render/lighting.h"
#include "render/torch.h"
#include "base/random.h"
#include "base/settings.h"
#include "sound/sound.h"
#include "world/grid.h"

bool LIGHTROW(int32_t x, int32_t y, int32_t& ry) {
  if (!VALID(x, y)) return false;
  int32_t r = MAPSIZEY + 1 - y;
  if (!VALID(x, r)) return false;
  ry = r;
  return true;
}

void SETCELLLIGHTING(int32_t xx, int32_t yy, int32_t light) {
  if (!VALID(xx, yy)) return;
  if (light == 0) {
    MLIGHT[xx][yy] = 128;
    MAPPP[xx][yy].BRIGHTNESS = 0;
  } else {
    MLIGHT[xx][yy] = static_cast<BYTE>(light);
    MAPPP[xx][yy].BRIGHTNESS = MAPPP[xx][yy].INITIALBRIGHTNESS;
  }
}

void BOOSTCELLBRIGHTNESS(int32_t x, int32_t y, int32_t bdelta) {
  if (!VALID(x, y)) return;
  POSTPROCESSING& c = MAPPP[x][y];
  int32_t b = std::min<int32_t>(c.BRIGHTNESS + bdelta, c.INITIALBRIGHTNESS);
  c.BRIGHTNESS = static_cast<BYTE>(std::max<int32_t>(b, 0));
}

void RESTORECELLBRIGHTNESS(int32_t x, int32_t y) {
  if (!VALID(x, y)) return;
  MAPPP[x][y].BRIGHTNESS = 100;
}

namespace {
// A pattern number that names a pattern of this level with at least one value.
bool usablePattern(int32_t p) {
  return p >= 1 && p <= NUMBEROFPATTERNS && p <= MAX_PATTERNS && PCOLOR[p] >= 1 &&
         PCOLOR[p] <= MAX_PATTERNVALUES;
}

// The colour that light N gives its cells this tick; 128 = no colour.
BYTE lightColour(int32_t n) {
  int32_t how = LIGHTHOW[n];
  if (how >= 100) return how == 128 ? 128 : static_cast<BYTE>(how - 100);
  // A pattern the level never defined gives plain light.
  if (!usablePattern(how)) return 128;
  // Before the first tick of a level the position may still be 0 (or left
  // over from a longer pattern of another level): the first colour then.
  BYTE pos = PCOUNTER[how];
  if (pos < 1 || pos > PCOLOR[how]) pos = 1;
  return LPATTERN[how][pos];
}

// Ambient sound of light N for the cell (X, light row RY); REQUESTED keeps it
// to one request per tick.
void ambientSound(int32_t n, int32_t x, int32_t ry, bool& requested) {
  if (ASOUND[n] == 0 || requested || ASOUNDHOW[n] == 0) return;
  int32_t me = MYNUMBER == 2 ? 2 : 1;
  if (PLAYERX[me] != x || PLAYERY[me] != MAPSIZEY + 1 - ry) return;
  if (ASOUNDHOW[n] < 254) ASOUNDHOW[n]--;  // a play budget
  if (ASOUNDHOW[n] == 255) LOOP = true;
  if (ASOUNDHOW[n] == 254 && randomLocal(50) != 25) return;
  PLAYSOUND = ASOUND[n];
  requested = true;
}
}  // namespace

namespace {
// The static layer; ADVANCE also moves the patterns on and requests sounds.
void staticLayer(bool advance);
}  // namespace

void MANAGELIGHTNING() { staticLayer(true); }

void LIGHTLEVELNOW() {
  staticLayer(false);
  LIGHTTORCHESNOW();
}

namespace {
void staticLayer(bool advance) {
  std::memcpy(MLIGHT, OOGA, sizeof(STR18));

  const int32_t lights = std::min<int32_t>(NUMBEROFLIGHTS, MAX_LIGHTS);
  for (int32_t n = 1; advance && n <= lights; n++) {
    int32_t p = LIGHTHOW[n];
    if (p >= 100 || !usablePattern(p)) continue;
    // A pattern shared by several lights advances once per light.
    PCOUNTER[p]++;
    if (PCOUNTER[p] > PCOLOR[p]) PCOUNTER[p] = 1;
    if (LIGHTRANDOM[n] == 1) PCOUNTER[p] = static_cast<BYTE>(1 + random(PCOLOR[p]));
  }

  bool requested = false;
  for (int32_t x = 1; x <= MAX_MAPWIDTH; x++) {
    for (int32_t ry = 1; ry <= MAX_MAPHEIGHT; ry++) {
      BYTE t = MLIGHT[x][ry];
      if (t >= 130) {
        int32_t n = t - 130;
        if (n >= 1 && n <= lights) {
          if (advance) ambientSound(n, x, ry, requested);
          t = lightColour(n);
        } else {
          t = 128;  // a tag of no light of this level
        }
      }
      SETCELLLIGHTING(x, ry, t);
    }
  }
}
}  // namespace

namespace {
STR18 BASELIGHT;
BYTE BASEBRIGHTNESS[MAX_MAPWIDTH + 1][MAX_MAPHEIGHT + 1];
}  // namespace

void SAVELIGHTBASE() {
  std::memcpy(BASELIGHT, MLIGHT, sizeof(STR18));
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) BASEBRIGHTNESS[x][y] = MAPPP[x][y].BRIGHTNESS;
}

void RESTORELIGHTBASE() {
  std::memcpy(MLIGHT, BASELIGHT, sizeof(STR18));
  for (int x = 1; x <= MAX_MAPWIDTH; x++)
    for (int y = 1; y <= MAX_MAPHEIGHT; y++) MAPPP[x][y].BRIGHTNESS = BASEBRIGHTNESS[x][y];
}
