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
// keys are held. Its tactics:
// - snipe: a monster only wakes when a player comes within 20 cells in its
//   sight, so the bot walks to a cell from which a sleeping monster stands in
//   one of the eight firing lines at least 20 cells away and shoots it there;
// - keep out of harm: cells a waking monster would see cost extra on the way,
//   cells in the line of an awake gunner or beside an awake brawler are kept
//   clear, and an awake brawler that closes in is kited backwards down the
//   firing line;
// - the weapon fits the range: held fire for far shots, the power shotgun
//   only within its short reach, rockets never near the player;
// - health, armour and weapons (they come back after a while) are fetched
//   when needed or near;
// - the T-1000 is not worth a shot until it stands alone;
// - a long while without a kill, it forgets the cells and goals it gave up
//   on and hunts the nearest monster it can get a close shot at.
// It leaves with Escape when its time is up (--frames minus a few) or when it
// died, and walks into the exit portal once the boss is dead.
//
// BOTPLAN=1 makes it look ahead (see BOT::plan): with an awake monster about,
// every BOTPLANSTEP frames (8) it forks the game once per candidate move and
// lets each copy play on for BOTHORIZON frames (90) by the rules above, then
// follows the best. BOTPLANLOG=FILE logs each decision.
//
// With --input PREFIX the bot takes over where the script ends: a run can be
// carried on from any frame of an earlier recording (cut its lines after
// that frame), and the two recordings joined replay as one run.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <queue>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "base/harness.h"
#include "botkeys.h"
#include "base/paths.h"
#include "display/backend.h"
#include "display/backendforward.h"
#include "display/backend_headless.h"
#include "display/inputscript.h"
#include "display/keynames.h"
#include "game/doors.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/survival.h"
#include "game/weapons.h"
#include "render/los.h"
#include "shell/engine.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"

namespace {

constexpr int32_t MOVEKEY[4] = {'a', 'd', 'w', 's'};  // left, right, up, down
constexpr int DX4[4] = {-1, 1, 0, 0}, DY4[4] = {0, 0, 1, -1};
constexpr int DX8[8] = {-1, 1, 0, 0, -1, 1, -1, 1}, DY8[8] = {0, 0, 1, -1, 1, 1, -1, -1};
// A monster notices a player nearer than this (stealth: a fifth of it) in its sight.
constexpr double NOTICE = 20.0;
// Farthest shot worth taking: damage falls off with the distance.
constexpr double FARSHOT = 46.0;
constexpr int MAXTRACE = 50;
constexpr int W = 161, H = 101;

int envInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v ? std::atoi(v) : fallback;
}

bool projectileGlyph(unsigned char c) {
  return c == '-' || c == '\\' || c == '|' || c == '/' || c == 'o' || c == 'O';
}

bool onMap(int x, int y) { return x >= 1 && y >= 1 && x <= MAPSIZEX && y <= MAPSIZEY; }

bool walkable(unsigned char c) {
  if (c == ' ' || c == '%' || c == '\'' || (c >= '1' && c <= '9') || c == 'Y') return true;
  if (c == 'H') return PLAYERHEALTH[1] < 100;
  // Tanks and barrels block; items lying about do not, nor does a shut door
  // (176): the generated levels hold only doors that open when a player
  // stands beside them.
  if (c >= 128) return c != 177 && c != 178 && c != 219;
  return false;
}

bool pickupGlyph(unsigned char c) {
  return (c >= '2' && c <= '9') || (c >= 128 && c != 176 && c != 177 && c != 178 && c != 219);
}

uint16_t MIDX[W][H];
// Cells the player was seen unable to enter (the bot's reading of a glyph
// was too generous); kept out of the paths for a while.
int64_t REFUSED[W][H];
// Cells not to be chosen as a sniping goal for a while.
int64_t GOALBAN[W][H];
int64_t NOW = 0;  // monster index per cell, this frame

// The T-1000 can be hurt once no other monster a player can get at is left.
bool onlyT1000sLeft() { return MONSTERSWITHINREACH(false) == 0; }

// Kinds that shoot along lines, with the distance their shots still hurt.
int gunRange(int t) {
  switch (t) {
    case 9: return 20;
    case 10: return 40;
    case 11: return 25;
    case 2: case 5: case 8: case 12: return 60;
    default: return 0;
  }
}
bool stationary(int t) { return t == 10 || t == 11; }
// Kinds whose lines run along the rows and columns only.
bool axisOnly(int t) { return t == 2 || t == 8; }

// The generated levels keep their corner exit to the next level; stepping
// into it before the boss is dead would end the survival run unfinished.
bool exitCell(int x, int y) {
  if (SURVIVALBOSSDOWN) return false;
  for (int i = 1; i <= NUMPORTALS && i <= MAX_PORTALS; i++)
    if (PORTALX[i] == x && PORTALY[i] == y) return true;
  return false;
}

double euclid(int x1, int y1, int x2, int y2) { return std::hypot(x1 - x2, y1 - y2); }

struct SHOT {
  int dir = -1, m = 0;
  double e = 0;
};

bool LASTSTAND = false;  // only T-1000s are left
bool ALERT[MAX_MONSTERS + 1];  // awake, or waking on the next pass

bool shootable(int m) { return m > 0 && (MONSTERTYPE[m] != 5 || LASTSTAND) && MONSTERTYPE[m] != 6; }

// The monster seen first along direction d from (x, y), with its distance.
SHOT traceFrom(int x, int y, int d) {
  SHOT s;
  for (int k = 1; k <= MAXTRACE; k++) {
    const int cx = x + k * DX8[d], cy = y + k * DY8[d];
    if (!onMap(cx, cy)) break;
    const unsigned char c = MAP[cx][cy];
    if (c == 'M') {
      s.dir = d;
      s.m = MIDX[cx][cy];
      s.e = euclid(x, y, cx, cy);
      return s;
    }
    if (c != ' ' && c != 'P' && !projectileGlyph(c)) break;
  }
  return s;
}

// A shot worth standing for at (x, y): an awake monster out of reach of its
// own gun, or a sleeping one far enough not to wake; STRICT asks for a
// sleeping monster to stay asleep.
SHOT snipeFrom(int x, int y, bool strict) {
  SHOT best;
  double bestScore = 1e9;
  for (int d = 0; d < 8; d++) {
    const SHOT s = traceFrom(x, y, d);
    if (!shootable(s.m) || s.e > FARSHOT) continue;
    const int t = MONSTERTYPE[s.m];
    double score = s.e;
    if (ALERT[s.m]) {
      // A walking monster that is awake comes by itself: no goal to walk to.
      if (strict && !stationary(t)) continue;
      if (gunRange(t) > 0 && s.e <= gunRange(t) && t != 8) continue;
      if (gunRange(t) == 0 && s.e < 5) continue;
      score -= 30;
    } else {
      const double wake = t == 4 ? NOTICE / 5 : NOTICE;
      if (s.e < wake && (strict || gunRange(t) > 0)) continue;
      if (s.e < 8) continue;
    }
    if (score < bestScore) {
      bestScore = score;
      best = s;
    }
  }
  return best;
}

// Cost of standing on a cell: the lines and reach of awake monsters.
int DANGER[W][H];
bool BLOCKED[W][H];
// Cost of being seen there by a sleeping monster (computed on demand).
int WAKECOST[W][H];
int WAKESTAMP[W][H];
int STAMP = 0;

void markLine(int mx, int my, int d, int range, int cost) {
  for (int k = 1; k <= range; k++) {
    const int cx = mx + k * DX8[d], cy = my + k * DY8[d];
    if (!onMap(cx, cy)) break;
    const unsigned char c = MAP[cx][cy];
    DANGER[cx][cy] += cost;
    if (c != ' ' && c != 'P' && !projectileGlyph(c) && !pickupGlyph(c) && c != 'H' && c != 'Y')
      break;
  }
}

void analyse() {
  for (auto& col : MIDX)
    for (auto& v : col) v = 0;
  for (auto& col : DANGER)
    for (auto& v : col) v = 0;
  for (auto& col : BLOCKED)
    for (auto& v : col) v = false;
  STAMP++;
  LASTSTAND = onlyT1000sLeft();
  for (int m = 1; m <= NUMBEROFMONSTERS; m++)
    if (onMap(MONSTERX[m], MONSTERY[m])) MIDX[MONSTERX[m]][MONSTERY[m]] = static_cast<uint16_t>(m);
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    ALERT[m] = SAW[m] != 0;
    // One that sees the player within its notice range wakes on the next
    // pass: it counts as awake already (a replacement may appear close by).
    if (!ALERT[m] && std::abs(MONSTERX[m] - PLAYERX[1]) < 20 && std::abs(MONSTERY[m] - PLAYERY[1]) < 20) {
      const double range = MONSTERTYPE[m] == 4 ? NOTICE / 5 : NOTICE;
      ALERT[m] = euclid(MONSTERX[m], MONSTERY[m], PLAYERX[1], PLAYERY[1]) < range &&
                 SEESLOS(MONSTERX[m], MONSTERY[m], PLAYERX[1], PLAYERY[1], true);
    }
  }
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    if (!ALERT[m]) continue;
    const int t = MONSTERTYPE[m], mx = MONSTERX[m], my = MONSTERY[m];
    if (!stationary(t)) {
      // Reach of a brawler: it hits the eight cells around it and moves.
      const int r = (t == 5 || t == 12) ? 3 : 2;
      for (int dx = -r - 1; dx <= r + 1; dx++)
        for (int dy = -r - 1; dy <= r + 1; dy++) {
          if (!onMap(mx + dx, my + dy)) continue;
          const int c = std::max(std::abs(dx), std::abs(dy));
          if (c <= 1) BLOCKED[mx + dx][my + dy] = true;
          DANGER[mx + dx][my + dy] += c <= r ? 40 : 10;
        }
    }
    const int range = gunRange(t);
    if (range > 0)
      for (int d = 0; d < 8; d++)
        if (!axisOnly(t) || d < 4)
          markLine(mx, my, d, range, t == 10 ? 25 : (t == 2 || t == 5 || t == 12) ? 300 : 60);
    if (t == 2 || t == 5) {
      // A rocket shooter steps before it fires: the lines from the cells it
      // may step to are nearly as bad.
      for (int k = 0; k < 4; k++) {
        const int nx = mx + DX4[k], ny = my + DY4[k];
        if (!onMap(nx, ny) || MAP[nx][ny] != ' ') continue;
        for (int d = 0; d < (t == 2 ? 4 : 8); d++) markLine(nx, ny, d, 30, 150);
      }
    }
    if (t == 12)
      for (int dx = -11; dx <= 11; dx++)
        for (int dy = -11; dy <= 11; dy++)
          if (onMap(mx + dx, my + dy) && dx * dx + dy * dy < 121) DANGER[mx + dx][my + dy] += 60;
  }
}

int wakeCost(int x, int y) {
  if (WAKESTAMP[x][y] == STAMP) return WAKECOST[x][y];
  int cost = 0;
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    if (SAW[m]) continue;
    const int dx = MONSTERX[m] - x, dy = MONSTERY[m] - y;
    if (std::abs(dx) >= 20 || std::abs(dy) >= 20) continue;
    const int t = MONSTERTYPE[m];
    const double range = t == 4 ? NOTICE / 5 : NOTICE;
    if (std::hypot(dx, dy) >= range) continue;
    if (!SEESLOS(MONSTERX[m], MONSTERY[m], x, y, true)) continue;
    cost += t == 5 || t == 12 ? 80 : gunRange(t) > 0 ? 25 : 4;
  }
  WAKESTAMP[x][y] = STAMP;
  WAKECOST[x][y] = cost;
  return cost;
}

// A cell beside an awake brawler is passed only when no other way is left
// (a monster stuck behind a wall may stand beside the only way out).
int stepCost(int x, int y) { return 1 + DANGER[x][y] + wakeCost(x, y) + (BLOCKED[x][y] ? 400 : 0); }

// Cheapest way from the player to a cell GOAL accepts; returns the first
// step (0..3), -1 when none is found within LIMIT.
int DIST[W][H], FIRST[W][H], PREVCELL[W][H];
int GOALX = 0, GOALY = 0;  // the cell the last successful search reached
int POPLIMIT = 9000;
template <class GOAL>
int pathTo(GOAL goal, int limit) {
  for (auto& col : DIST)
    for (int& v : col) v = -1;
  const int px = PLAYERX[1], py = PLAYERY[1];
  using NODE = std::pair<int, int>;  // cost, cell
  std::priority_queue<NODE, std::vector<NODE>, std::greater<NODE>> q;
  DIST[px][py] = 0;
  FIRST[px][py] = -1;
  q.push({0, px * H + py});
  int popped = 0;
  while (!q.empty() && popped < POPLIMIT) {
    auto [c, cell] = q.top();
    q.pop();
    const int x = cell / H, y = cell % H;
    if (c != DIST[x][y]) continue;
    popped++;
    if (c > 0 && goal(x, y)) {
      GOALX = x;
      GOALY = y;
      return FIRST[x][y];
    }
    if (c >= limit) continue;
    for (int k = 0; k < 4; k++) {
      const int nx = x + DX4[k], ny = y + DY4[k];
      if (!onMap(nx, ny) || !walkable(MAP[nx][ny]) || exitCell(nx, ny)) continue;
      if (REFUSED[nx][ny] > NOW) continue;
      const int nc = c + stepCost(nx, ny);
      if (DIST[nx][ny] >= 0 && DIST[nx][ny] <= nc) continue;
      DIST[nx][ny] = nc;
      FIRST[nx][ny] = c == 0 ? k : FIRST[x][y];
      PREVCELL[nx][ny] = cell;
      q.push({nc, nx * H + ny});
    }
  }
  return -1;
}

// The cells of the way the last successful search found, from the first
// step to the goal.
std::vector<int> lastRoute() {
  std::vector<int> r;
  int x = GOALX, y = GOALY;
  while (!(x == PLAYERX[1] && y == PLAYERY[1]) && r.size() < W * H) {
    r.push_back(x * H + y);
    const int c = PREVCELL[x][y];
    x = c / H;
    y = c % H;
  }
  std::reverse(r.begin(), r.end());
  return r;
}

// Damage per frame of a weapon at distance E (reload times included).
double myRate(int w, double e) {
  const double f = std::max(0.0, 1 - e / 78);
  switch (w) {
    case 1: return 13.3 * f / 10;
    case 2: return 60 * std::max(0.0, 1 - std::min(e, 20.0) / 78) / 35;
    case 3: return e <= 10 ? 150 * (1 - e / 10) / 55 : 0;
    case 4: return 10 * f / 3;
    case 9: return 15 * f / 3;
    default: return 3 * f;
  }
}

// Damage per frame an awake gunner of kind T deals at distance E when its
// line holds the player (bursts and recharges averaged).
double theirRate(int t, double e) {
  switch (t) {
    case 9: return e > 20 ? 0 : 15 * (1 - e / 20) * 4 / 72;
    case 10: return e > 40 ? 0 : 5 * (1 - e / 40) * 11 / 168;
    case 11: return e > 25 ? 0 : 25 * (1 - e / 25) * 7 / 72;
    default: return 1.5;
  }
}

int ammoOf(int w) { return WEAPONPRESENT[1][w] ? WEAPONAMMO[1][w] : 0; }

// The weapon for a shot at distance E: the power shotgun up close, held fire
// further out, rockets and plasma never near the player.
int weaponFor(double e) {
  if (e <= 6 && ammoOf(3) >= 2) return 3;
  for (int w : {9, 4}) if (ammoOf(w) > 0) return w;
  if (ammoOf(2) > 0) return 2;
  if (e >= 6 && ammoOf(8) > 0) return 8;
  if (e >= 8 && ammoOf(5) > 0) return 5;
  if (ammoOf(1) > 0 || WEAPONPRESENT[1][1]) return 1;
  return 0;
}

// Steps from the player to the nearest awake monster that walks (walls
// count: a monster behind one is no threat), 1000 beyond LIMIT steps.
int nearestAwake(int limit, int& who) {
  static int depth[W][H];
  for (auto& col : depth)
    for (int& v : col) v = -1;
  who = 0;
  std::deque<std::pair<int, int>> q;
  depth[PLAYERX[1]][PLAYERY[1]] = 0;
  q.push_back({PLAYERX[1], PLAYERY[1]});
  while (!q.empty()) {
    auto [x, y] = q.front();
    q.pop_front();
    const int m = MIDX[x][y];
    if (m > 0 && ALERT[m] && !stationary(MONSTERTYPE[m])) {
      who = m;
      return depth[x][y];
    }
    if (depth[x][y] >= limit || (m > 0 && depth[x][y] > 0)) continue;
    for (int k = 0; k < 4; k++) {
      const int nx = x + DX4[k], ny = y + DY4[k];
      if (!onMap(nx, ny) || depth[nx][ny] >= 0) continue;
      if (!walkable(MAP[nx][ny]) && MAP[nx][ny] != 'M') continue;
      depth[nx][ny] = depth[x][y] + 1;
      q.push_back({nx, ny});
    }
  }
  return 1000;
}

// Kills still needed to take a monster of kind T down the survival chain
// 1-3-4-11-10-9-2-8 (the T-1000 and the boss count one each).
int chainLeft(int t) {
  switch (t) {
    case 1: return 8;
    case 3: return 7;
    case 4: return 6;
    case 11: return 5;
    case 10: return 4;
    case 9: return 3;
    case 2: return 2;
    case 8: case 5: case 12: return 1;
    default: return 0;
  }
}

// The same, counting the energy a wounded monster has lost as part of a kill:
// a monster dying and its successor appearing at full energy leaves the sum
// unchanged, so the measure grows smoothly with every hit.
double chainRemaining() {
  double r = 0;
  for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
    const int t = MONSTERTYPE[m], left = chainLeft(t);
    if (left == 0) continue;
    const double full = t <= ALLMONSTERS && ELIMIT[t] > 0 ? ELIMIT[t] : 1;
    r += left - 1 + std::clamp(MONSTERENERGY[m] / full, 0.0, 1.0);
  }
  return r;
}

struct BOT {
  BOTKEYS hands;
  int64_t lastFrame = -1;
  int weaponTap = 0;  // key of a weapon choice pressed last frame
  bool leaving = false;
  double lastHealth = 100;
  bool snipeGoal = false;
  int lastStep = -1, lastX = 0, lastY = 0, stuck = 0;
  int lastCount = -1, lastSpawns = -1, anchorX = 0, anchorY = 0;
  int64_t anchorFrame = 0, goalFrame = 0, nextSearch = 0;
  int goalX = 0, goalY = 0;
  bool trace = std::getenv("BOTTRACE") != nullptr;
  int startLevel = 0;
  std::vector<int> route;  // the way to the sniping cell, and how far along it
  size_t routeAt = 0;
  int64_t routeFrame = 0;
  int routeGoal = 0;
  double progressLeft = -1;
  int64_t progressFrame = 0, huntUntil = 0;

  // Looking ahead (BOTPLAN=1): every BOTPLANSTEP frames the bot forks the
  // whole game once per candidate (its own choice, or one of the four steps
  // or standing still held for a while, its aim unchanged), lets each copy
  // play on by the bot's own rules for BOTHORIZON frames, and follows the
  // candidate whose copy ended best: alive first, then kills, then health.
  // The game is deterministic, so the chosen copy's first frames are exactly
  // what happens next.
  bool planning = envInt("BOTPLAN", 0) != 0;
  int planStep = envInt("BOTPLANSTEP", 8), horizon = envInt("BOTHORIZON", 90);
  int64_t planFrom = envInt("BOTPLANFROM", 0);
  // BOTQUICK=1: only the longer holds and a nearer alarm, for about half the work.
  bool quick = envInt("BOTQUICK", 0) != 0;
  // How near an awake monster sets the planner going (BOTALARM).
  int alarm = envInt("BOTALARM", quick ? 24 : 32);
  bool child = false;
  int wfd = -1;
  double left0 = 0;
  int64_t planStart = 0, overrideUntil = 0;
  int overrideMove = -1;  // -1 the bot's own step, 0 stand still, 1..4 MOVEKEY[k - 1]
  FILE* planLog = std::getenv("BOTPLANLOG") ? std::fopen(std::getenv("BOTPLANLOG"), "w") : nullptr;

  double outcome() {
    const int64_t lived = PUSHEDFRAMES - planStart;
    if (DEAD[1] || PLAYERHEALTH[1] <= 0) return -1e6 + lived * 100.0;
    double s = (left0 - chainRemaining()) * envInt("BOTKILLWORTH", 40) + PLAYERHEALTH[1] + 0.5 * ARMOR[1];
    if (VICTORY == 1 && !SURVIVALBOSSDOWN) return -1e6;  // out by the corner exit
    if (SURVIVALBOSSDOWN) s += 1e5;
    // Ending in the line of an awake gunner or beside a brawler costs too:
    // the shot comes just after the horizon.
    analyse();
    s -= std::min(DANGER[PLAYERX[1]][PLAYERY[1]], 400) * 0.1;
    return s;
  }

  // In a copy: report the outcome once the horizon is reached.
  void childCheck() {
    const bool timeUp = HARNESS.FRAMES > 0 && PUSHEDFRAMES >= HARNESS.FRAMES - 20;
    if (PUSHEDFRAMES - planStart < horizon && !DEAD[1] && !VICTORY && !timeUp) return;
    const double s = outcome();
    (void)!write(wfd, &s, sizeof s);
    _exit(0);
  }

  // Looking ahead is worth its time only with an awake monster about or
  // while the player is being hurt.
  double healthSeen = 100;
  double planLeft = -1;
  int64_t planProgressFrame = 0;
  bool threatened() {
    const bool hurt = PLAYERHEALTH[1] < healthSeen;
    healthSeen = PLAYERHEALTH[1];
    if (hurt) return true;
    for (int m = 1; m <= NUMBEROFMONSTERS; m++)
      if (SAW[m] && std::max(std::abs(MONSTERX[m] - PLAYERX[1]), std::abs(MONSTERY[m] - PLAYERY[1])) <= alarm)
        return true;
    return false;
  }

  // Forks the candidates; returns in each copy with its candidate set, and in
  // the parent with the best one set.
  void plan() {
    struct CAND {
      int move, hold;
    };
    std::vector<CAND> cands = {{-1, 0}};
    for (int m = 0; m <= 4; m++)
      for (int hold : {planStep, 3 * planStep})
        if (!quick || hold > planStep) cands.push_back({m, hold});
    std::vector<int> fds(cands.size());
    std::vector<pid_t> pids(cands.size());
    const double left = chainRemaining();
    if (left != planLeft) {
      planLeft = left;
      planProgressFrame = PUSHEDFRAMES;
    }
    const int64_t stallFrames = PUSHEDFRAMES - planProgressFrame;
    for (size_t i = 0; i < cands.size(); i++) {
      int p[2];
      if (pipe(p) != 0) std::abort();
      pids[i] = fork();
      if (pids[i] == 0) {
        close(p[0]);
        child = true;
        trace = false;
        if (planLog) planLog = nullptr;
        HARNESS.RECORD.clear();
        HARNESS.DUMPSTATE.clear();
        wfd = p[1];
        planStart = PUSHEDFRAMES;
        left0 = left;
        overrideMove = cands[i].move;
        overrideUntil = PUSHEDFRAMES + cands[i].hold;
        return;
      }
      close(p[1]);
      fds[i] = p[0];
    }
    double best = -1e18;
    size_t pick = 0;
    std::vector<double> scores(cands.size(), -1e18);
    for (size_t i = 0; i < cands.size(); i++) {
      double s = -1e18;
      if (read(fds[i], &s, sizeof s) != sizeof s) s = -1e18;
      close(fds[i]);
      waitpid(pids[i], nullptr, 0);
      // The bot's own plan wins a tie, and more and more so while nothing
      // dies: standing safe forever is no way through the level.
      if (i == 0) s += 1 + std::clamp((stallFrames - 300) / 10.0, 0.0, 80.0);
      scores[i] = s;
      if (s > best) {
        best = s;
        pick = i;
      }
    }
    overrideMove = cands[pick].move;
    overrideUntil = PUSHEDFRAMES + cands[pick].hold;
    if (planLog) {
      std::fprintf(planLog, "%lld at %d,%d hp %.0f ar %.0f left %.1f pick %d/%d best %.0f own %.0f\n",
                   static_cast<long long>(PUSHEDFRAMES), PLAYERX[1], PLAYERY[1], PLAYERHEALTH[1], ARMOR[1],
                   left, cands[pick].move, cands[pick].hold, best, scores[0]);
      std::fflush(planLog);
    }
  }

  void want(const std::set<int32_t>& keys) { hands.want(keys); }

  void letGo() {
    for (int32_t k : {int32_t('a'), int32_t('d'), int32_t('w'), int32_t('s'), K_LEFT, K_RIGHT, K_UP, K_DOWN})
      hands.release(k);
  }

  void leave() {
    want({});
    hands.tap(K_ESCAPE);
    leaving = true;
  }

  void decide() {
    if (child) childCheck();
    if (leaving) return;
    const bool timeUp = HARNESS.FRAMES > 0 && PUSHEDFRAMES >= HARNESS.FRAMES - 20;
    if (DEAD[1] || timeUp || (SURVIVALBOSSDOWN && envInt("BOTSTOPATPORTAL", 0))) {
      leave();
      return;
    }
    if (startLevel == 0 && SURVIVAL() && PLAYERX[1] != 0) startLevel = CURRENTMAP;
    if (startLevel != 0 && CURRENTMAP != startLevel) {
      // Through the exit portal: the run is over.
      leave();
      return;
    }
    if (!SURVIVAL() || PLAYERX[1] == 0) return;
    std::set<int32_t> keys;
    // A story message holds the game until the keys are let go and then one
    // is pressed, as a player reading it would do.
    if (PAUSESTATE == PAUSED_WAITFORNOINPUT) {
      want(keys);
      return;
    }
    if (PAUSESTATE == PAUSED_WAITFORINPUT) {
      keys.insert(hands.held.count('d') ? 'a' : 'd');
      want(keys);
      return;
    }
    const int px = PLAYERX[1], py = PLAYERY[1];
    if (planning && !child && PUSHEDFRAMES >= planFrom && PUSHEDFRAMES % planStep == 0 && threatened()) plan();
    // The player steps once every two frames: planning on every other frame
    // is enough (the keys held stay held between).
    if (PUSHEDFRAMES % 2 == 1) return;
    NOW = PUSHEDFRAMES;
    // A long while without a hit: what the bot remembers (refused cells, its
    // goal, the pause between wide searches) may be what holds it; forget it.
    if (PUSHEDFRAMES % 50 == 0) {
      const double left = chainRemaining();
      if (left != progressLeft) {
        progressLeft = left;
        progressFrame = PUSHEDFRAMES;
      } else if (PUSHEDFRAMES - progressFrame > 900) {
        for (auto& col : REFUSED)
          for (auto& v : col) v = 0;
        snipeGoal = false;
        nextSearch = 0;
        anchorFrame = PUSHEDFRAMES;
        progressFrame = PUSHEDFRAMES;
        huntUntil = PUSHEDFRAMES + 400;
      }
    }
    analyse();
    if (SURVIVALBOSSDOWN && NUMPORTALS > 0) {
      // The boss is dead: out through the portal it left.
      const int gx = PORTALX[1], gy = PORTALY[1];
      POPLIMIT = 17000;
      const int step = pathTo([&](int x, int y) { return x == gx && y == gy; }, 8000);
      POPLIMIT = 9000;
      if (step >= 0) keys.insert(MOVEKEY[step]);
      want(keys);
      return;
    }
    if (trace && PLAYERHEALTH[1] < lastHealth) {
      std::fprintf(stderr, "hurt %lld %.0f->%.0f:", static_cast<long long>(PUSHEDFRAMES), lastHealth,
                   PLAYERHEALTH[1]);
      for (int m = 1; m <= NUMBEROFMONSTERS; m++) {
        const int d = std::max(std::abs(MONSTERX[m] - px), std::abs(MONSTERY[m] - py));
        if (d <= 12) std::fprintf(stderr, " t%d@%d%s", MONSTERTYPE[m], d, SAW[m] ? "!" : "");
      }
      std::fprintf(stderr, "\n");
    }
    lastHealth = PLAYERHEALTH[1];

    // Fire: the awake first, then the nearest.
    SHOT shot;
    double bestScore = 1e9;
    for (int d = 0; d < 8; d++) {
      const SHOT s = traceFrom(px, py, d);
      if (!shootable(s.m) || s.e > FARSHOT) continue;
      const double score = s.e - (ALERT[s.m] ? 40 : 0);
      if (score < bestScore) {
        bestScore = score;
        shot = s;
      }
    }
    const int w = weaponFor(shot.dir >= 0 ? shot.e : 20);
    if (w > 0 && CHOSENWEAPON[1] != w && weaponTap == 0 && BFGCHARGE[1] == 0) {
      weaponTap = '0' + w;
      keys.insert(weaponTap);
    } else {
      weaponTap = 0;
    }
    const bool rocketsTooNear = CHOSENWEAPON[1] == 5 && shot.e < 6;
    if (shot.dir >= 0 && !rocketsTooNear) {
      if (DX8[shot.dir] < 0) keys.insert(K_LEFT);
      if (DX8[shot.dir] > 0) keys.insert(K_RIGHT);
      if (DY8[shot.dir] > 0) keys.insert(K_UP);
      if (DY8[shot.dir] < 0) keys.insert(K_DOWN);
    }

    int step = -1;
    const char* why = "";
    int who = 0;
    const int near = nearestAwake(6, who);
    const int here = DANGER[px][py];
    const bool hasShot = shot.dir >= 0 && !rocketsTooNear;
    // Moving spoils the aim: a brawler in the firing line is fought from
    // where the bot stands, or from one step back along the same line.
    const bool brawlerInLine = hasShot && ALERT[shot.m] && gunRange(MONSTERTYPE[shot.m]) == 0 &&
                               shot.e <= 4.5;
    if (brawlerInLine) {
      const int bx = px - DX8[shot.dir], by = py - DY8[shot.dir];
      const bool back = shot.dir < 4 && onMap(bx, by) && walkable(MAP[bx][by]) && !exitCell(bx, by) &&
                        !BLOCKED[bx][by] && DANGER[bx][by] <= here;
      // Grunts hit softly and keep pace: they are met where the bot stands.
      // The slower hard hitters are kept at a distance.
      if (back && MONSTERTYPE[shot.m] != 1) step = shot.dir ^ 1;  // the opposite axis direction
      why = step >= 0 ? "back" : "stand";
    } else if (hasShot && ALERT[shot.m] && gunRange(MONSTERTYPE[shot.m]) > 0 && near > 2 &&
               MONSTERENERGY[shot.m] / std::max(0.05, myRate(w, shot.e)) *
                       theirRate(MONSTERTYPE[shot.m], shot.e) <
                   PLAYERHEALTH[1] + ARMOR[1] / 2 - 30) {
      // A gunner in the sights: shooting it ends its fire soonest.
      why = "duel";
    } else if (BLOCKED[px][py] || (PUSHEDFRAMES < huntUntil ? near <= 2 : here >= 40 || near <= 3)) {
      // (While hunting only a brawler at hand drives the bot off: the lines
      // of gunners are what it walks into, the look ahead watching.)
      // Out of harm's way: the nearest quiet cell, away from the brawler.
      step = pathTo([&](int x, int y) {
        return !BLOCKED[x][y] && DANGER[x][y] < 15 &&
               (who == 0 || std::max(std::abs(MONSTERX[who] - x), std::abs(MONSTERY[who] - y)) > near);
      }, 400);
      why = "escape";
      if (step < 0) {
        // Cornered: the neighbour with the least danger, farthest from it.
        int bestc = 1 << 30;
        for (int k = 0; k < 4; k++) {
          const int nx = px + DX4[k], ny = py + DY4[k];
          if (!onMap(nx, ny) || !walkable(MAP[nx][ny]) || exitCell(nx, ny)) continue;
          const int dd = who ? std::max(std::abs(MONSTERX[who] - nx), std::abs(MONSTERY[who] - ny)) : 0;
          const int c = DANGER[nx][ny] * 4 + (BLOCKED[nx][ny] ? 500 : 0) - dd * 30;
          if (c < bestc) {
            bestc = c;
            step = k;
          }
        }
        why = "corner";
      }
    }
    if (step < 0 && !hasShot && PLAYERHEALTH[1] < 60) {
      step = pathTo([](int x, int y) { return MAP[x][y] == 'H'; }, 500);
      why = "health";
    }
    const bool low = PLAYERHEALTH[1] + ARMOR[1] / 2 < 40;
    if (step < 0 && low && !brawlerInLine) {
      // Badly hurt: health from anywhere, or else a quiet corner to wait in
      // until a health pack comes back.
      POPLIMIT = 17000;
      step = pathTo([](int x, int y) { return MAP[x][y] == 'H'; }, 4000);
      why = "health!";
      if (step < 0 && (here > 0 || wakeCost(px, py) > 0)) {
        step = pathTo([](int x, int y) { return DANGER[x][y] == 0 && wakeCost(x, y) == 0; }, 4000);
        why = "hide";
      }
      POPLIMIT = 9000;
      if (step < 0) why = "wait";
    }
    if (step < 0 && !hasShot && ARMOR[1] < 50) {
      step = pathTo([](int x, int y) { return MAP[x][y] == 'Y'; }, 25);
      why = "armour";
    }
    const int goodAmmo = ammoOf(9) + ammoOf(4) + ammoOf(2) * 4;
    if (step < 0 && !hasShot) {
      step = pathTo([](int x, int y) { return pickupGlyph(MAP[x][y]); }, goodAmmo < 40 ? 200 : 20);
      why = "pickup";
    }
    // Hunting, after a long while without a kill: straight to a cell with a
    // monster close in a firing line, whatever watches the way (the look
    // ahead keeps the player alive on it).
    if (step < 0 && !hasShot && PUSHEDFRAMES < huntUntil) {
      POPLIMIT = 17000;
      step = pathTo([](int x, int y) {
        if (BLOCKED[x][y]) return false;
        for (int d = 0; d < 8; d++) {
          const SHOT t = traceFrom(x, y, d);
          if (shootable(t.m) && t.e <= 12) return true;
        }
        return false;
      }, 1 << 29);
      POPLIMIT = 9000;
      why = "hunt";
    }
    // Keep to the sniping cell chosen before while it still offers the shot:
    // searching afresh every frame lets equal ways flip back and forth.
    // A goal given up because its shot went away is not chosen again for a
    // while: two goals whose shots come and go would draw the bot to and fro.
    // So is a goal reached without a shot from it.
    if (step < 0 && !hasShot && snipeGoal &&
        ((PUSHEDFRAMES - goalFrame >= 120 && snipeFrom(goalX, goalY, false).dir < 0) ||
         (px == goalX && py == goalY))) {
      GOALBAN[goalX][goalY] = PUSHEDFRAMES + 1500;
      snipeGoal = false;
    }
    if (step < 0 && !hasShot && !low && snipeGoal && !BLOCKED[goalX][goalY] &&
        DANGER[goalX][goalY] < 15 &&
        (snipeFrom(goalX, goalY, false).dir >= 0 || PUSHEDFRAMES - goalFrame < 120)) {
      const int gx = goalX, gy = goalY;
      // The way found before is followed for a while as long as its next
      // cell stays quiet; a wide search every frame would cost too much.
      const int here = px * H + py;
      while (routeAt < route.size() && route[routeAt] == here) routeAt++;
      if (routeAt < route.size() && PUSHEDFRAMES - routeFrame < 40 && routeGoal == gx * H + gy) {
        const int nx = route[routeAt] / H, ny = route[routeAt] % H;
        for (int k = 0; k < 4; k++)
          if (px + DX4[k] == nx && py + DY4[k] == ny && !BLOCKED[nx][ny] && DANGER[nx][ny] < 15 &&
              walkable(MAP[nx][ny]) && REFUSED[nx][ny] <= NOW)
            step = k;
      }
      if (step < 0) {
        // (Without a bound on the cost: a goal found by the wide search lies
        // where many monsters would see the way.)
        POPLIMIT = 17000;
        step = pathTo([&](int x, int y) { return x == gx && y == gy; }, 1 << 29);
        POPLIMIT = 9000;
        route.clear();
        if (step >= 0) route = lastRoute();
        routeAt = 0;
        routeFrame = PUSHEDFRAMES;
        routeGoal = gx * H + gy;
      }
      why = "snipe*";
    }
    if (step < 0 && !hasShot && !low && PUSHEDFRAMES >= nextSearch) {
      snipeGoal = false;
      int relaxedStep = -1, relaxedCost = 1 << 30, rx = 0, ry = 0;
      step = pathTo([&](int x, int y) {
        if (BLOCKED[x][y] || DANGER[x][y] >= 15 || GOALBAN[x][y] > NOW) return false;
        if (snipeFrom(x, y, true).dir >= 0) return true;
        if (relaxedStep < 0 && snipeFrom(x, y, false).dir >= 0) {
          relaxedStep = FIRST[x][y];
          relaxedCost = DIST[x][y];
          rx = x;
          ry = y;
        }
        return false;
      }, 1200);
      (void)relaxedCost;
      goalFrame = PUSHEDFRAMES;
      if (step >= 0) {
        snipeGoal = true;
        goalX = GOALX;
        goalY = GOALY;
      } else if (relaxedStep >= 0) {
        step = relaxedStep;
        snipeGoal = true;
        goalX = rx;
        goalY = ry;
      }
      why = "snipe";
    }
    if (step < 0 && !hasShot && !low && PUSHEDFRAMES >= nextSearch) {
      // Nothing to snipe within reach: walk to any cell with a monster in a
      // firing line, looking further; that cell stays the goal for a while.
      // Searches this wide are not repeated every frame.
      POPLIMIT = 17000;
      step = pathTo([](int x, int y) {
        return !BLOCKED[x][y] && DANGER[x][y] < 15 && GOALBAN[x][y] <= NOW && snipeFrom(x, y, false).dir >= 0;
      }, 1 << 29);
      if (step < 0)
        step = pathTo([](int x, int y) {
          if (GOALBAN[x][y] > NOW) return false;
          for (int d = 0; d < 8; d++) {
            const SHOT t = traceFrom(x, y, d);
            if (shootable(t.m) && t.e <= FARSHOT) return true;
          }
          return false;
        }, 1 << 29);
      POPLIMIT = 9000;
      if (step >= 0) {
        snipeGoal = true;
        goalX = GOALX;
        goalY = GOALY;
        goalFrame = PUSHEDFRAMES;
      } else {
        nextSearch = PUSHEDFRAMES + 25;
      }
      why = "seek";
    }
    // A candidate being tried or followed holds its own step.
    if (PUSHEDFRAMES < overrideUntil && overrideMove >= 0) {
      step = overrideMove - 1;
      why = "planned";
    }
    // Pacing to and fro without a kill: the goal of that dance is given up
    // for a while, and so is the spot.
    if (NUMBEROFMONSTERS != lastCount || SURVIVALSPAWNS != lastSpawns ||
        std::abs(px - anchorX) + std::abs(py - anchorY) > 6) {
      lastCount = NUMBEROFMONSTERS;
      lastSpawns = SURVIVALSPAWNS;
      anchorX = px;
      anchorY = py;
      anchorFrame = PUSHEDFRAMES;
    } else if (PUSHEDFRAMES - anchorFrame > 150 && !hasShot) {
      // (Refusing the cells around the player as well could wall him in:
      // with every neighbour refused no way leads anywhere.)
      if (snipeGoal) REFUSED[goalX][goalY] = PUSHEDFRAMES + 1500;
      snipeGoal = false;
      nextSearch = 0;
      anchorFrame = PUSHEDFRAMES;
    }
    // A step the game refused several frames running: that cell is not
    // walkable after all.
    if (step >= 0 && step == lastStep && px == lastX && py == lastY) {
      if (++stuck > 8) {
        const int nx = px + DX4[step], ny = py + DY4[step];
        if (onMap(nx, ny)) REFUSED[nx][ny] = PUSHEDFRAMES + 600;
        stuck = 0;
        snipeGoal = false;
      }
    } else {
      stuck = 0;
    }
    lastStep = step;
    lastX = px;
    lastY = py;
    if (step >= 0) keys.insert(MOVEKEY[step]);
    if (trace && (PUSHEDFRAMES % 50 == 0 || (PUSHEDFRAMES >= envInt("BOTFROM", 1 << 30) &&
                                              PUSHEDFRAMES < envInt("BOTFROM", 0) + 40)))
      std::fprintf(stderr,
                   "p%d frame %lld at %d,%d health %.0f armour %.0f monsters %d spawns %d tier %d "
                   "w %d a3 %d t3 %d ammo %d/%d/%d shot %d(%.0f t%d) %s %d\n",
                   PAUSESTATE, static_cast<long long>(PUSHEDFRAMES), px, py, PLAYERHEALTH[1], ARMOR[1],
                   NUMBEROFMONSTERS, SURVIVALSPAWNS, SURVIVALLASTTIER, CHOSENWEAPON[1], WEAPONAMMO[1][3], DSHOTGUNTIMER[1], ammoOf(2),
                   ammoOf(4), ammoOf(9), shot.dir, shot.e, shot.m ? MONSTERTYPE[shot.m] : 0, why,
                   step);
    if (trace && PUSHEDFRAMES % 50 == 0 && snipeGoal) {
      const SHOT g = snipeFrom(goalX, goalY, false);
      std::fprintf(stderr, "   goal %d,%d dir %d e %.1f m %d t%d saw %d at %d,%d\n", goalX, goalY, g.dir,
                   g.e, g.m, g.m ? MONSTERTYPE[g.m] : 0, g.m ? SAW[g.m] : 0, g.m ? MONSTERX[g.m] : 0,
                   g.m ? MONSTERY[g.m] : 0);
    }
    want(keys);
  }
};

// The headless back-end with the bot's hands on its keyboard.
class BOTBACKEND : public FORWARDBACKEND {
 public:
  explicit BOTBACKEND(BACKEND* inner) : FORWARDBACKEND(inner) {}
  bool POLLEVENT(BACKENDEVENT& ev) override {
    // With --input the bot takes over where the script ends, first letting
    // go of every key the script may still hold.
    if (INPUTSCRIPTPENDING()) return IN->POLLEVENT(ev);
    if (!tookOver) {
      tookOver = true;
      if (!HARNESS.INPUT.empty()) B.letGo();
    }
    if (PUSHEDFRAMES != B.lastFrame) {
      B.lastFrame = PUSHEDFRAMES;
      B.decide();
    }
    return B.hands.next(ev) || IN->POLLEVENT(ev);
  }

 private:
  BOT B;
  bool tookOver = false;
};

}  // namespace

int main(int argc, char** argv) {
  std::string err;
  if (!PARSEHARNESS(argc, argv, err) || !CHECKGAMEPARAMS(err)) {
    std::fprintf(stderr, "survival_bot: %s\n", err.c_str());
    return EXIT_USAGE;
  }
  if (!HARNESS.HEADLESS || HARNESS.RECORD.empty()) {
    std::fprintf(stderr, "survival_bot: use --headless and --record FILE\n");
    return EXIT_USAGE;
  }
  if (!HARNESS.INPUT.empty() && !LOADINPUTSCRIPT(HARNESS.INPUT, err)) {
    std::fprintf(stderr, "survival_bot: %s\n", err.c_str());
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
