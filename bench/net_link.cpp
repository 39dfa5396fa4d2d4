// Link traffic and delay: two headless games linked on the loopback
// interface through a relay that holds every packet for half the round trip
// each way (0, 50 and 100 ms round trips). Prints, per round trip, the bytes
// each player sends per second of play (at 30 frames per second), the fixed
// input delay, how often a game had to wait for the other's input, and the
// frame rate the link sustains when the games run unpaced (above 30 means a
// paced game never waits).
//
//   bench_net_link [path/to/ashenreach] [frames]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>

#include "net/lockstep.h"

namespace {
using CLOCK = std::chrono::steady_clock;

int udpSocket(int port) {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(s);
    return -1;
  }
  return s;
}

int portOf(int s) {
  sockaddr_in a{};
  socklen_t n = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
  return ntohs(a.sin_port);
}

struct HELD {
  CLOCK::time_point DUE;
  bool TOSERVER;
  std::string BYTES;
};

// Forwards between the connecting game (at whatever address it writes from)
// and the listening game on SERVERPORT, holding each packet HALFMS.
// UDP bytes carried (transport headers and acknowledgements included), per side.
std::atomic<uint64_t> WIREFROMONE{0}, WIREFROMTWO{0};

void relay(int front, int back, int serverport, int halfms, std::atomic<bool>& stop) {
  sockaddr_in client{}, server{};
  bool haveclient = false;
  server.sin_family = AF_INET;
  server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  server.sin_port = htons(static_cast<uint16_t>(serverport));
  std::deque<HELD> queue;
  char buf[2048];
  while (!stop) {
    pollfd fds[2] = {{front, POLLIN, 0}, {back, POLLIN, 0}};
    poll(fds, 2, 1);
    for (int i = 0; i < 2; i++) {
      if (!(fds[i].revents & POLLIN)) continue;
      sockaddr_in from{};
      socklen_t n = sizeof from;
      const ssize_t got = recvfrom(fds[i].fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &n);
      if (got <= 0) continue;
      (i == 0 ? WIREFROMONE : WIREFROMTWO) += static_cast<uint64_t>(got);
      if (i == 0) {
        client = from;
        haveclient = true;
      }
      queue.push_back({CLOCK::now() + std::chrono::milliseconds(halfms), i == 0, std::string(buf, static_cast<size_t>(got))});
    }
    while (!queue.empty() && queue.front().DUE <= CLOCK::now()) {
      const HELD& h = queue.front();
      if (h.TOSERVER)
        sendto(back, h.BYTES.data(), h.BYTES.size(), 0, reinterpret_cast<const sockaddr*>(&server), sizeof server);
      else if (haveclient)
        sendto(front, h.BYTES.data(), h.BYTES.size(), 0, reinterpret_cast<const sockaddr*>(&client), sizeof client);
      queue.pop_front();
    }
  }
}

nlohmann::json readDump(const std::string& path) {
  std::ifstream f(path);
  std::stringstream ss;
  ss << f.rdbuf();
  auto j = nlohmann::json::parse(ss.str(), nullptr, false);
  return j.is_discarded() ? nlohmann::json::object() : j;
}
}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const std::string game = argc > 1 ? argv[1] : (fs::path(argv[0]).parent_path() / "ashenreach").string();
  const int frames = argc > 2 ? std::atoi(argv[2]) : 900;
  const fs::path dir = fs::temp_directory_path() / ("ashenlinkbench" + std::to_string(getpid()));
  fs::create_directories(dir);
  // A player who keeps walking and firing: a steady stream of changing input.
  {
    std::ofstream in(dir / "walk.txt");
    for (int f = 10; f < frames; f += 40)
      in << f << " down d\n" << f + 2 << " down up\n" << f + 18 << " up d\n" << f + 19 << " up up\n"
         << f + 20 << " down a\n" << f + 38 << " up a\n";
  }
  std::printf("link over loopback, %d frames of deathmatch per run, input delay %d cycles (%d frames, %d ms)\n",
              frames, LINKDELAY, 2 * LINKDELAY, 2 * LINKDELAY * 33);
  std::printf("%8s %12s %12s %12s %12s %10s %10s %12s\n", "rtt ms", "msg B/s p1", "msg B/s p2", "UDP B/s p1",
              "UDP B/s p2", "waits p1", "waits p2", "unpaced fps");
  for (int rtt : {0, 50, 100}) {
    const int server = udpSocket(0);
    const int serverport = portOf(server);
    close(server);
    const int front = udpSocket(0), back = udpSocket(0);
    std::atomic<bool> stop{false};
    WIREFROMONE = WIREFROMTWO = 0;
    std::thread t(relay, front, back, serverport, rtt / 2, std::ref(stop));
    const std::string common = " --headless --frames " + std::to_string(frames) + " --input " +
                               (dir / "walk.txt").string() + " NOSOUND > /dev/null 2>&1";
    const std::string two = game + " --user-dir " + (dir / "u2").string() + " --link-listen " +
                            std::to_string(serverport) + " --dump-state " + (dir / "two.json").string() + common;
    const std::string one = game + " 50 --seed 9 --user-dir " + (dir / "u1").string() + " --link-connect 127.0.0.1:" +
                            std::to_string(portOf(front)) + " --dump-state " + (dir / "one.json").string() + common;
    std::system(("(" + two + ") &").c_str());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto t0 = CLOCK::now();
    const int rc = std::system(one.c_str());
    const double secs = std::chrono::duration<double>(CLOCK::now() - t0).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    stop = true;
    t.join();
    close(front);
    close(back);
    const auto a = readDump((dir / "one.json").string()), b = readDump((dir / "two.json").string());
    if (rc != 0 || a.empty() || b.empty()) {
      std::printf("%8d   run failed (exit %d)\n", rtt, rc);
      continue;
    }
    const double played = a["frames"].get<double>() / 30.0;  // seconds of play at 30 frames per second
    std::printf("%8d %12.0f %12.0f %12.0f %12.0f %10s %10s %12.1f\n", rtt,
                a["link"]["bytessent"].get<double>() / played, b["link"]["bytessent"].get<double>() / played,
                static_cast<double>(WIREFROMONE) / played, static_cast<double>(WIREFROMTWO) / played,
                (std::to_string(a["link"]["waits"].get<int>()) + "/" + std::to_string(a["link"]["cycle"].get<int>())).c_str(),
                (std::to_string(b["link"]["waits"].get<int>()) + "/" + std::to_string(b["link"]["cycle"].get<int>())).c_str(),
                frames / secs);
  }
  std::printf("(msg: the game's messages; UDP: what the relay carried, transport headers and\n"
              " acknowledgements included; per second of play at 30 frames per second)\n");
  fs::remove_all(dir);
  return 0;
}
