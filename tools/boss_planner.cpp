// Plans a boss fight by trying moves ahead: the game runs headless under its
// normal rules; from a given frame on, every few frames the planner forks the
// whole game once per candidate (a first move held for a few frames, then a
// second held longer, firing at the boss whenever it stands on one of the
// player's eight lines) and keeps the candidate whose outcome scores best
// (boss health taken, own health kept). When the boss is dead it walks to a
// given cell. The chosen keys are written as an input script.
//
//   boss_planner --headless --seed 1 --frames 5000 --input prefix.txt LEVEL
//   env: PLAN_FROM (first planned frame), PLAN_OUT (script file),
//        PLAN_GOALX/PLAN_GOALY (cell to walk to afterwards, map row),
//        PLAN_STEP, PLAN_HOLD (frames), PLAN_LOG
//
// How level 108's replay was made (the prefix is the route to the hall, up to
// frame 1798, ending at column 55 line 2):
//   awk '/^#/ {next} $1<=1798' data/CAMPAIGN/main/MAPS/Map108_replay.txt > prefix.txt
//   PLAN_FROM=1800 PLAN_OUT=plan.txt PLAN_LOG=log.txt PLAN_GOALX=5 PLAN_GOALY=81
//     build/boss_planner --headless --seed 1 --frames 3600 --data data --user-dir /tmp/u
//     --input prefix.txt 108          (one command line)
// then the replay is the header, prefix.txt and plan.txt (without its "# end" line).
// Defaults: a decision every 4 frames (PLAN_STEP) among 25 candidates, the second
// move held 24 frames (PLAN_HOLD); the score is the boss energy taken plus twelve
// times (own health + 0.3 armour), minus 400 when left on a boss line at 11 cells
// or more, where its rockets fly.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
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
#include "display/input.h"
#include "display/inputscript.h"
#include "display/keynames.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/players.h"
#include "game/playerstate.h"
#include "game/weapons.h"
#include "shell/gameflow.h"
#include "shell/startup.h"
#include "world/grid.h"

namespace {

constexpr int32_t MOVEKEY[5] = {0, 'a', 'd', 'w', 's'};
constexpr int MDX[5] = {0, -1, 1, 0, 0}, MDY[5] = {0, 0, 0, 1, -1};
constexpr int DX8[8] = {-1, 1, 0, 0, -1, 1, -1, 1}, DY8[8] = {0, 0, 1, -1, 1, 1, -1, -1};

int envi(const char* n, int d) { return std::getenv(n) ? std::atoi(std::getenv(n)) : d; }

bool see(unsigned char c) { return c == ' ' || c == '-' || c == '\\' || c == '|' || c == '/' || c == 'o' || c == 'O'; }

int boss() {
  for (int m = NUMBEROFMONSTERS; m >= 1; m--)
    if (MONSTERTYPE[m] == 12) return m;
  return 0;
}

// Direction 0..7 along which the boss stands in a clear line, -1 for none.
int bossLine(int px, int py, int& dist) {
  const int b = boss();
  dist = 0;
  if (!b) return -1;
  for (int d = 0; d < 8; d++)
    for (int s = 1; s < 40; s++) {
      const int cx = px + s * DX8[d], cy = py + s * DY8[d];
      if (cx < 1 || cy < 1 || cx > MAPSIZEX || cy > MAPSIZEY) break;
      if (cx == MONSTERX[b] && cy == MONSTERY[b]) {
        dist = s;
        return d;
      }
      if (!see(MAP[cx][cy])) break;
    }
  return -1;
}

bool walk(unsigned char c) {
  return c == ' ' || c == 'H' || c == 'Y' || c == '{' || c == '}' || (c >= '1' && c <= '9') || c == 'y' ||
         c >= 128;
}

struct BOT {
  int64_t from = envi("PLAN_FROM", 1800), lastFrame = -1;
  int step = envi("PLAN_STEP", 4), hold = envi("PLAN_HOLD", 24);
  int goalx = envi("PLAN_GOALX", 5), goaly = envi("PLAN_GOALY", 81);
  BOTKEYS hands;
  std::vector<std::string> log;
  bool child = false;
  int plan[2] = {0, 0};
  int64_t planStart = 0, end = 0;
  int wfd = -1;
  int current = 0;
  bool finished = false;
  FILE* trace = std::getenv("PLAN_LOG") ? std::fopen(std::getenv("PLAN_LOG"), "w") : nullptr;

  void want(const std::set<int32_t>& keys) {
    if (child) return hands.want(keys);
    hands.want(keys, [&](bool down, int32_t k) {
      log.push_back(std::to_string(PUSHEDFRAMES) + (down ? " down " : " up ") + KEYNAME(k));
    });
  }

  std::set<int32_t> keysFor(int move) {
    std::set<int32_t> keys;
    if (MOVEKEY[move]) keys.insert(MOVEKEY[move]);
    int dist = 0;
    const int d = bossLine(PLAYERX[1], PLAYERY[1], dist);
    if (d >= 0) {
      if (DX8[d] < 0) keys.insert(K_LEFT);
      if (DX8[d] > 0) keys.insert(K_RIGHT);
      if (DY8[d] > 0) keys.insert(K_UP);
      if (DY8[d] < 0) keys.insert(K_DOWN);
    }
    return keys;
  }

  double score() {
    const int b = boss();
    if (DEAD[1] || PLAYERHEALTH[1] <= 0) return -1e9;
    const double life = PLAYERHEALTH[1] + ARMOR[1] * 0.3;
    if (!b || MONSTERENERGY[b] <= 0) return 1e6 + life * 10;
    const double d = std::hypot(MONSTERX[b] - PLAYERX[1], MONSTERY[b] - PLAYERY[1]);
    double s = -MONSTERENERGY[b] + 12 * life - 4 * std::abs(d - 7);
    int dist = 0;
    if (bossLine(PLAYERX[1], PLAYERY[1], dist) >= 0 && dist >= 11) s -= 400;
    return s;
  }

  // First move of a shortest walk to the goal cell, 0 when there.
  int toward() {
    static int first[161][101];
    for (auto& c : first)
      for (int& v : c) v = -1;
    std::deque<std::pair<int, int>> q;
    const int px = PLAYERX[1], py = PLAYERY[1];
    if (px == goalx && py == goaly) return 0;
    first[px][py] = 0;
    q.push_back({px, py});
    while (!q.empty()) {
      auto [x, y] = q.front();
      q.pop_front();
      for (int k = 1; k <= 4; k++) {
        const int nx = x + MDX[k], ny = y + MDY[k];
        if (nx < 1 || ny < 1 || nx > MAPSIZEX || ny > MAPSIZEY || first[nx][ny] >= 0) continue;
        if (!(nx == goalx && ny == goaly) && !walk(MAP[nx][ny])) continue;
        first[nx][ny] = first[x][y] ? first[x][y] : k;
        if (nx == goalx && ny == goaly) return first[nx][ny];
        q.push_back({nx, ny});
      }
    }
    return 0;
  }

  void decide() {
    if (PUSHEDFRAMES < from || finished) return;
    if (child) {
      const int64_t t = PUSHEDFRAMES - planStart;
      if (t >= end || DEAD[1] || VICTORY) {
        const double s = score();
        (void)!write(wfd, &s, sizeof s);
        _exit(0);
      }
      want(keysFor(t < step ? plan[0] : plan[1]));
      return;
    }
    const int b = boss();
    if (VICTORY || DEAD[1]) {
      want({});
      finished = true;
      writeOut();
      return;
    }
    if (!b || MONSTERENERGY[b] <= 0) {
      std::set<int32_t> keys;
      if (const int k = toward()) keys.insert(MOVEKEY[k]);
      want(keys);
      return;
    }
    if ((PUSHEDFRAMES - from) % step == 0) {
      double best = -1e18;
      int bestMove = 0;
      std::vector<std::pair<int, int>> cands;
      for (int a = 0; a < 5; a++)
        for (int c = 0; c < 5; c++) cands.push_back({a, c});
      for (size_t i = 0; i < cands.size(); i += 2) {
        int fds[2][2];
        pid_t pids[2] = {-1, -1};
        for (size_t j = 0; j < 2 && i + j < cands.size(); j++) {
          if (pipe(fds[j]) != 0) std::abort();
          pids[j] = fork();
          if (pids[j] == 0) {
            close(fds[j][0]);
            child = true;
            wfd = fds[j][1];
            plan[0] = cands[i + j].first;
            plan[1] = cands[i + j].second;
            planStart = PUSHEDFRAMES;
            end = step + hold;
            want(keysFor(plan[0]));
            return;
          }
          close(fds[j][1]);
        }
        for (size_t j = 0; j < 2 && i + j < cands.size(); j++) {
          double s = -1e18;
          if (read(fds[j][0], &s, sizeof s) != sizeof s) s = -1e18;
          close(fds[j][0]);
          waitpid(pids[j], nullptr, 0);
          if (s > best) {
            best = s;
            bestMove = cands[i + j].first;
          }
        }
      }
      current = bestMove;
      if (trace)
        std::fprintf(trace, "%lld at %d,%d hp %.0f ar %.0f boss %d,%d e %d move %d score %.0f\n",
                     static_cast<long long>(PUSHEDFRAMES), PLAYERX[1], PLAYERY[1], PLAYERHEALTH[1], ARMOR[1],
                     MONSTERX[b], MONSTERY[b], MONSTERENERGY[b], current, best),
            std::fflush(trace);
    }
    want(keysFor(current));
  }

  void writeOut() {
    const char* out = std::getenv("PLAN_OUT");
    if (!out) return;
    FILE* f = std::fopen(out, "w");
    if (!f) return;
    for (auto& l : log) std::fprintf(f, "%s\n", l.c_str());
    std::fprintf(f, "# end %lld\n", static_cast<long long>(PUSHEDFRAMES));
    std::fclose(f);
  }
};

class BOTBACKEND : public FORWARDBACKEND {
 public:
  explicit BOTBACKEND(BACKEND* inner) : FORWARDBACKEND(inner) {}
  void CLOSE() override {
    if (!B.child && !B.finished) B.writeOut();
    IN->CLOSE();
  }
  bool POLLEVENT(BACKENDEVENT& ev) override {
    if (PUSHEDFRAMES != B.lastFrame) {
      B.lastFrame = PUSHEDFRAMES;
      B.decide();
    }
    return B.hands.next(ev) || IN->POLLEVENT(ev);
  }
  void BEGINFRAME() override {}
  void SETBLEND(BLENDMODE) override {}
  void QUAD(int32_t, float, float, float, float, float, float, float, float, uint8_t, uint8_t, uint8_t) override {}
  void ENDFRAME() override {}

 private:
  BOT B;
};

}  // namespace

int main(int argc, char** argv) {
  std::string err;
  if (!PARSEHARNESS(argc, argv, err) || !CHECKGAMEPARAMS(err)) {
    std::fprintf(stderr, "boss_planner: %s\n", err.c_str());
    return EXIT_USAGE;
  }
  SETTLEUSERFOLDER();
  std::string searched;
  if (!FINDDATAFOLDER(argv[0], searched)) {
    std::fprintf(stderr, "boss_planner: no data folder found (searched: %s)\n", searched.c_str());
    return EXIT_NODATA;
  }
  if (!HARNESS.INPUT.empty() && !LOADINPUTSCRIPT(HARNESS.INPUT, err)) {
    std::fprintf(stderr, "boss_planner: %s\n", err.c_str());
    return EXIT_USAGE;
  }
  THEBACKEND = new BOTBACKEND(MAKEHEADLESSBACKEND(HARNESS.WIDTH, HARNESS.HEIGHT));
  return HOLLOWMERESTART();
}
