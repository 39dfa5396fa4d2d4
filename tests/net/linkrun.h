// Runs linked games as real programs on the loopback interface: a free port,
// a game started in the background with its output and exit code kept in
// files, and waiting for it to end.
#pragma once
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "test_util.h"

namespace linkrun {

inline std::string READALL(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// A UDP port nobody uses right now (the kernel picks it).
inline int FREEPORT() {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  socklen_t n = sizeof a;
  int port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) == 0)
    port = ntohs(a.sin_port);
  close(s);
  return port;
}

// One game run in the background: ARGS after the program's name; its output
// goes to NAME.out, its exit code to NAME.rc, its process id to NAME.pid.
struct GAME {
  std::string DIR, NAME;
  GAME(const std::string& dir, const std::string& name, const std::string& args) : DIR(dir), NAME(name) {
    const std::string base = DIR + "/" + NAME;
    const std::string cmd = "(" + std::string(ASHEN_BINARY) + " --headless --user-dir " + base + ".user " + args +
                            " NOSOUND > " + base + ".out 2>&1 & echo $! > " + base + ".pid; wait $!; echo $? > " +
                            base + ".rc.tmp; mv " + base + ".rc.tmp " + base + ".rc) &";
    std::system(cmd.c_str());
  }
  // The exit code once the game ended within SECONDS, else -1.
  int WAIT(int seconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
      const std::string rc = READALL(DIR + "/" + NAME + ".rc");
      if (!rc.empty()) return std::atoi(rc.c_str());
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }
  std::string OUTPUT() const { return READALL(DIR + "/" + NAME + ".out"); }
  // True once the output holds TEXT (within SECONDS).
  bool SAYS(const std::string& text, int seconds) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
      if (OUTPUT().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  void KILL() const {
    const std::string pid = READALL(DIR + "/" + NAME + ".pid");
    if (!pid.empty()) std::system(("kill -9 " + pid).c_str());
  }
  ~GAME() {
    // A game still running when the test ends is stopped.
    if (READALL(DIR + "/" + NAME + ".rc").empty()) KILL();
    WAIT(5);
  }
};

// A player's scripted deathmatch: walks in random directions, fires along
// the cursor keys now and then and presses Space; EXTRA events are merged
// in, with the keys left alone from 20 frames before the first of them to 20
// after the last.
inline std::string PLAYSCRIPT(unsigned seed, int frames, std::vector<std::pair<int, std::string>> extra = {}) {
  std::mt19937 r(seed);
  const char* moves[] = {"w", "a", "s", "d"};
  const char* fires[] = {"up", "down", "left", "right"};
  std::vector<std::pair<int, std::string>> ev;
  const int quietfrom = extra.empty() ? frames : extra.front().first - 20;
  const int quietto = extra.empty() ? frames : extra.back().first + 20;
  for (int f = 20; f < frames - 40;) {
    const std::string k = moves[r() % 4];
    const int d = 6 + static_cast<int>(r() % 25);
    if (f + d + 5 >= quietfrom && f <= quietto) {
      f = quietto + 1;
      continue;
    }
    ev.push_back({f, "down " + k});
    if (r() % 10 < 6) {
      const std::string fk = fires[r() % 4];
      ev.push_back({f + 2, "down " + fk});
      ev.push_back({f + d - 1, "up " + fk});
    }
    ev.push_back({f + d, "up " + k});
    if (r() % 10 < 2) {
      ev.push_back({f + d + 1, "down space"});
      ev.push_back({f + d + 3, "up space"});
    }
    f += d + 5;
  }
  ev.insert(ev.end(), extra.begin(), extra.end());
  std::stable_sort(ev.begin(), ev.end(), [](auto& a, auto& b) { return a.first < b.first; });
  std::string s;
  for (auto& [f, e] : ev) s += std::to_string(f) + " " + e + "\n";
  return s;
}

}  // namespace linkrun
