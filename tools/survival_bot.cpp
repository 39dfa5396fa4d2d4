// Plays a survival level without a person at the keyboard, to make input
// recordings of real runs: the game runs headless under its normal rules,
// and a player bot presses and releases keys through the back-end's event
// source, exactly as a keyboard would. Run it with --record FILE and the game's
// own recorder writes the input; replay the file with --headless --input.
//
//   survival_bot --headless --seed 5 --record run.txt --frames 20000 72
//
// The bot looks at the level the way a player looks at the screen (the map,
// the monsters, his health and ammunition) and decides once per frame which
// keys are held: a movement key toward the nearest monster it can shoot or
// toward health and weapons when it needs them, and the cursor keys to fire
// along a clear line at a monster. It leaves with Escape when its time is up
// (--frames minus a few) or when it died.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "base/harness.h"
#include "base/paths.h"
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/inputscript.h"
#include "display/keynames.h"
#include "game/monsters.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/survival.h"
#include "game/weapons.h"
#include "shell/startup.h"
#include "world/grid.h"

namespace {

constexpr int32_t MOVEKEY[4] = {'a', 'd', 'w', 's'};  // left, right, up, down
constexpr int DX4[4] = {-1, 1, 0, 0}, DY4[4] = {0, 0, 1, -1};
constexpr int DX8[8] = {-1, 1, 0, 0, -1, 1, -1, 1}, DY8[8] = {0, 0, 1, -1, 1, 1, -1, -1};
// Preferred weapons, best first: held fire and spread before single shots.
constexpr int WEAPONORDER[] = {4, 9, 3, 2, 8, 7, 6, 5, 1};
constexpr int FIRERANGE = 14;
// Cells a monster may come before the bot steps away from it.
const int FLEE = std::getenv("BOTFLEE") ? std::atoi(std::getenv("BOTFLEE")) : 3;

bool projectileGlyph(unsigned char c) {
  return c == '-' || c == '\\' || c == '|' || c == '/' || c == 'o' || c == 'O';
}

bool walkable(unsigned char c) {
  if (c == ' ' || c == '%' || c == '\'' || (c >= '1' && c <= '9') || c == 'Y') return true;
  if (c == 'H') return PLAYERHEALTH[1] < 100;
  // 176 is a shut door: the generated levels hold only doors that open
  // when a player stands beside them.
  if (c >= 128) return c != 177 && c != 178 && c != 219;
  return false;
}

bool onMap(int x, int y) { return x >= 1 && y >= 1 && x <= MAPSIZEX && y <= MAPSIZEY; }

int monsterAt(int x, int y) {
  for (int m = 1; m <= NUMBEROFMONSTERS; m++)
    if (MONSTERX[m] == x && MONSTERY[m] == y) return m;
  return 0;
}

bool onlyT1000sLeft() {
  for (int m = 1; m <= NUMBEROFMONSTERS; m++)
    if (MONSTERTYPE[m] != 5) return false;
  return true;
}

// Kinds that fire along lines: a player in their line gets hurt from afar.
bool gunner(int t) { return t == 2 || t == 8 || t == 9 || t == 10 || t == 11 || t == 12; }

// A monster worth a shot: the T-1000 only once nothing else is left.
bool target(int m) { return m > 0 && (MONSTERTYPE[m] != 5 || onlyT1000sLeft()); }

// Direction index 0..7 in which a target is seen from (x, y) along a clear
// line within the fire range, -1 for none; the nearest wins.
int shotFrom(int x, int y, int& dist) {
  int best = -1, bestScore = 1000;
  dist = 1000;
  for (int d = 0; d < 8; d++) {
    for (int s = 1; s <= FIRERANGE; s++) {
      const int cx = x + s * DX8[d], cy = y + s * DY8[d];
      if (!onMap(cx, cy)) break;
      const unsigned char c = MAP[cx][cy];
      if (c == 'M') {
        const int m = monsterAt(cx, cy);
        // Monsters that shoot back come first, then the nearest.
        const int score = s + (m > 0 && gunner(MONSTERTYPE[m]) ? 0 : 50);
        if (target(m) && score < bestScore) {
          best = d;
          dist = s;
          bestScore = score;
        }
        break;
      }
      if (c != ' ' && !projectileGlyph(c)) break;
    }
  }
  return best;
}

int bestWeapon() {
  for (int w : WEAPONORDER)
    if (WEAPONPRESENT[1][w] && WEAPONAMMO[1][w] > 0) return w;
  return 0;
}

bool nearMonster(int x, int y, int r) {
  for (int m = 1; m <= NUMBEROFMONSTERS; m++)
    if (std::abs(MONSTERX[m] - x) <= r && std::abs(MONSTERY[m] - y) <= r) return true;
  return false;
}

// Chebyshev distance to the nearest monster that can hurt (all of them).
int nearestMonster(int x, int y) {
  int best = 1000;
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    const int d = std::max(std::abs(MONSTERX[m] - x), std::abs(MONSTERY[m] - y));
    if (d < best) best = d;
  }
  return best;
}

// Breadth-first search from the player; returns the first step (0..3) toward
// the nearest cell that GOAL accepts, -1 when none is reachable.
int CLEARANCE = 2;  // cells kept between a planned path and every monster

template <class GOAL>
int stepToward(GOAL goal, int limit) {
  static int dist[161][101], first[161][101];
  for (auto& col : dist)
    for (int& v : col) v = -1;
  const int px = PLAYERX[1], py = PLAYERY[1];
  std::deque<std::pair<int, int>> q;
  dist[px][py] = 0;
  first[px][py] = -1;
  q.push_back({px, py});
  while (!q.empty()) {
    auto [x, y] = q.front();
    q.pop_front();
    if (dist[x][y] > 0 && goal(x, y)) return first[x][y];
    if (dist[x][y] >= limit) continue;
    for (int k = 0; k < 4; k++) {
      const int nx = x + DX4[k], ny = y + DY4[k];
      if (!onMap(nx, ny) || dist[nx][ny] >= 0) continue;
      const unsigned char c = MAP[nx][ny];
      if (!walkable(c)) continue;
      // Keep a cell's distance from the monsters: no walking into their reach.
      if (nearMonster(nx, ny, CLEARANCE)) continue;
      dist[nx][ny] = dist[x][y] + 1;
      first[nx][ny] = dist[x][y] == 0 ? k : first[x][y];
      q.push_back({nx, ny});
    }
  }
  return -1;
}

struct BOT {
  std::set<int32_t> held;
  std::deque<BACKENDEVENT> queue;
  int64_t lastFrame = -1;
  int weaponTap = 0;  // key of a weapon choice pressed last frame
  bool leaving = false;
  double lastHealth = 100;

  void want(const std::set<int32_t>& keys) {
    for (int32_t k : std::set<int32_t>(held))
      if (!keys.count(k)) {
        BACKENDEVENT e;
        e.TYPE = BE_KEYUP;
        e.SYM = k;
        queue.push_back(e);
        held.erase(k);
      }
    for (int32_t k : keys)
      if (!held.count(k)) {
        BACKENDEVENT e;
        e.TYPE = BE_KEYDOWN;
        e.SYM = k;
        e.UNICODE = k < 128 ? k : 0;
        queue.push_back(e);
        held.insert(k);
      }
  }

  void decide() {
    std::set<int32_t> keys;
    if (leaving) return;
    const bool timeUp = HARNESS.FRAMES > 0 && PUSHEDFRAMES >= HARNESS.FRAMES - 20;
    if (DEAD[1] || timeUp) {
      // Release everything, then Escape leaves a directly launched level.
      want(keys);
      BACKENDEVENT e;
      e.TYPE = BE_KEYDOWN;
      e.SYM = K_ESCAPE;
      e.UNICODE = 27;
      queue.push_back(e);
      e.TYPE = BE_KEYUP;
      queue.push_back(e);
      leaving = true;
      return;
    }
    if (!SURVIVAL() || PLAYERX[1] == 0) return;
    const int px = PLAYERX[1], py = PLAYERY[1];
    if (std::getenv("BOTTRACE") && PLAYERHEALTH[1] < lastHealth) {
      std::fprintf(stderr, "hurt %lld %.0f->%.0f:", static_cast<long long>(PUSHEDFRAMES), lastHealth,
                   PLAYERHEALTH[1]);
      for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
        const int d = std::max(std::abs(MONSTERX[m] - px), std::abs(MONSTERY[m] - py));
        if (d <= 10) std::fprintf(stderr, " t%d@%d", MONSTERTYPE[m], d);
      }
      std::fprintf(stderr, "\n");
    }
    lastHealth = PLAYERHEALTH[1];
    if (std::getenv("BOTTRACE") && PUSHEDFRAMES % 50 == 0)
      std::fprintf(stderr, "frame %lld at %d,%d health %.0f monsters %d spawns %d tier %d\n",
                   static_cast<long long>(PUSHEDFRAMES), px, py, PLAYERHEALTH[1],
                   NUMBEROFMONSTERS, SURVIVALSPAWNS, SURVIVALLASTTIER);
    const int w = bestWeapon();
    if (w > 0 && CHOSENWEAPON[1] != w && weaponTap == 0) {
      weaponTap = '0' + w;
      keys.insert(weaponTap);
    } else {
      weaponTap = 0;
    }
    int dist = 0;
    const int shot = w > 0 ? shotFrom(px, py, dist) : -1;
    if (shot >= 0) {
      if (DX8[shot] < 0) keys.insert(K_LEFT);
      if (DX8[shot] > 0) keys.insert(K_RIGHT);
      if (DY8[shot] > 0) keys.insert(K_UP);
      if (DY8[shot] < 0) keys.insert(K_DOWN);
    }
    int step = -1;
    int ammo = 0;
    for (int k = 2; k <= 9; k++)
      if (WEAPONPRESENT[1][k]) ammo += WEAPONAMMO[1][k];
    const auto pickup = [](int x, int y) {
      const unsigned char c = MAP[x][y];
      return (c >= '1' && c <= '9') || (c >= 128 && c != 176);
    };
    if (PLAYERHEALTH[1] < 60 && (shot < 0 || PLAYERHEALTH[1] < 45))
      step = stepToward([](int x, int y) { return MAP[x][y] == 'H' || MAP[x][y] == 'Y'; }, 60);
    if (step < 0 && shot < 0 && (w == 0 || ammo < 40)) step = stepToward(pickup, w == 0 ? 200 : 30);
    if (step < 0 && shot < 0) {
      step = stepToward(
          [](int x, int y) {
            int d = 0;
            return shotFrom(x, y, d) >= 0 && d >= 3;
          },
          120);
      // Nothing in reach that way: hug the monsters closer, then simply head
      // for the nearest one.
      CLEARANCE = 1;
      if (step < 0)
        step = stepToward([](int x, int y) {
          int d = 0;
          return shotFrom(x, y, d) >= 0 && d >= 2;
        }, 200);
      if (step < 0)
        step = stepToward([](int x, int y) { return nearestMonster(x, y) <= 1; }, 300);
      CLEARANCE = 2;
    }
    // A monster within two cells: step to the free neighbour farthest from
    // every monster (the grunts walk at half the player's pace).
    if (nearestMonster(px, py) <= FLEE) {
      int bestd = nearestMonster(px, py);
      for (int k = 0; k < 4; k++) {
        const int nx = px + DX4[k], ny = py + DY4[k];
        if (!onMap(nx, ny) || !walkable(MAP[nx][ny])) continue;
        const int d = nearestMonster(nx, ny);
        if (d > bestd) {
          bestd = d;
          step = k;
        }
      }
    }
    if (step >= 0) keys.insert(MOVEKEY[step]);
    if (std::getenv("BOTTRACE") && PUSHEDFRAMES % 50 == 0) {
      int nm = 0, nd = 1000;
      for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
        const int d = std::abs(MONSTERX[m] - px) + std::abs(MONSTERY[m] - py);
        if (d < nd) { nd = d; nm = m; }
      }
      std::fprintf(stderr, "  weapon %d ammo %d shot %d step %d nearest type %d at %d,%d\n", w, ammo,
                   shot, step, nm ? MONSTERTYPE[nm] : 0, nm ? MONSTERX[nm] : 0, nm ? MONSTERY[nm] : 0);
    }
    want(keys);
  }
};

// The headless back-end with the bot's hands on its keyboard.
class BOTBACKEND : public BACKEND {
 public:
  explicit BOTBACKEND(BACKEND* inner) : IN(inner) {}
  bool OPEN(int32_t& w, int32_t& h) override { return IN->OPEN(w, h); }
  void CLOSE() override { IN->CLOSE(); }
  uint64_t TICKS() override { return IN->TICKS(); }
  void IDLE(int32_t ms) override { IN->IDLE(ms); }
  bool POLLEVENT(BACKENDEVENT& ev) override {
    if (PUSHEDFRAMES != B.lastFrame) {
      B.lastFrame = PUSHEDFRAMES;
      B.decide();
    }
    if (!B.queue.empty()) {
      ev = B.queue.front();
      B.queue.pop_front();
      return true;
    }
    return IN->POLLEVENT(ev);
  }
  void MOUSESTATE(int32_t& x, int32_t& y, int32_t& b) override { IN->MOUSESTATE(x, y, b); }
  void WARPMOUSE(int32_t x, int32_t y) override { IN->WARPMOUSE(x, y); }
  bool JOYSTATE(int32_t& x, int32_t& y, bool& b1, bool& b2) override {
    return IN->JOYSTATE(x, y, b1, b2);
  }
  int32_t UPLOADTEXTURE(const IMAGE& img) override { return IN->UPLOADTEXTURE(img); }
  void DELETETEXTURE(int32_t h) override { IN->DELETETEXTURE(h); }
  void BEGINFRAME() override { IN->BEGINFRAME(); }
  void SETBLEND(BLENDMODE m) override { IN->SETBLEND(m); }
  void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1, float u2,
            float v2, uint8_t r, uint8_t g, uint8_t b) override {
    IN->QUAD(tex, x1, y1, x2, y2, u1, v1, u2, v2, r, g, b);
  }
  void ENDFRAME() override { IN->ENDFRAME(); }
  bool READFRAME(IMAGE& out) override { return IN->READFRAME(out); }
  int32_t DRAWCALLS() override { return IN->DRAWCALLS(); }
  bool OPENAUDIO() override { return IN->OPENAUDIO(); }
  void CLOSEAUDIO() override { IN->CLOSEAUDIO(); }
  int32_t LOADSOUND(const std::string& p) override { return IN->LOADSOUND(p); }
  void PLAYSOUND(int32_t c, int32_t h, int32_t l) override { IN->PLAYSOUND(c, h, l); }
  void HALTSOUND(int32_t c) override { IN->HALTSOUND(c); }
  bool SOUNDBUSY(int32_t c) override { return IN->SOUNDBUSY(c); }
  void SOUNDVOLUME(int32_t c, int32_t v) override { IN->SOUNDVOLUME(c, v); }
  void PAUSEAUDIO(bool p) override { IN->PAUSEAUDIO(p); }

 private:
  BACKEND* IN;
  BOT B;
};

}  // namespace

int main(int argc, char** argv) {
  std::string err;
  if (!PARSEHARNESS(argc, argv, err) || !CHECKGAMEPARAMS(err)) {
    std::fprintf(stderr, "survival_bot: %s\n", err.c_str());
    return EXIT_USAGE;
  }
  if (!HARNESS.HEADLESS || HARNESS.RECORD.empty() || !HARNESS.INPUT.empty()) {
    std::fprintf(stderr, "survival_bot: use --headless and --record FILE, without --input\n");
    return EXIT_USAGE;
  }
  SETTLEUSERFOLDER();
  std::string searched;
  if (!FINDDATAFOLDER(argv[0], searched)) {
    std::fprintf(stderr, "survival_bot: no data folder found (searched: %s)\n", searched.c_str());
    return EXIT_NODATA;
  }
  THEBACKEND = new BOTBACKEND(MAKEHEADLESSBACKEND(HARNESS.WIDTH, HARNESS.HEIGHT));
  const int code = HOLLOWMERESTART();
  CLOSERECORDING();
  return code;
}
