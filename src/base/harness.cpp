#include "base/harness.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <filesystem>

HARNESSOPTIONS HARNESS;
std::vector<std::string> GAMEPARAMS;
int64_t PUSHEDFRAMES = 0;

namespace {
// The options that take a value.
const std::string VALUEOPTIONS[] = {"--frames", "--seed",     "--size",       "--screenshot",
                                    "--input",  "--record",   "--data",       "--user-dir",
                                    "--dump-state", "--check-map", "--check-script",
                                    "--link-listen", "--link-connect"};

bool parseInt(const std::string& s, int64_t& out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (*end != 0) return false;
  out = v;
  return true;
}
}  // namespace

bool PARSEHARNESS(int argc, char** argv, std::string& err) {
  HARNESS = HARNESSOPTIONS();
  GAMEPARAMS.clear();
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "-h" || a == "--help") {
      HARNESS.HELP = true;
      continue;
    }
    if (a == "--version") {
      HARNESS.VERSION = true;
      continue;
    }
    if (a.size() > 1 && a[0] == '-' && a.rfind("--", 0) != 0) {
      err = "unknown option " + a;
      return false;
    }
    if (a.rfind("--", 0) != 0) {
      GAMEPARAMS.push_back(a);
      continue;
    }
    if (a == "--headless") {
      HARNESS.HEADLESS = true;
      continue;
    }
    // An unknown option is named as such even when it comes last.
    if (std::find(std::begin(VALUEOPTIONS), std::end(VALUEOPTIONS), a) == std::end(VALUEOPTIONS)) {
      err = "unknown option " + a;
      return false;
    }
    // Every other option takes one value.
    if (i + 1 >= argc) {
      err = "option " + a + " needs a value";
      return false;
    }
    std::string v = argv[++i];
    int64_t n = 0;
    if (a == "--frames") {
      if (!parseInt(v, n) || n < 0) {
        err = "--frames needs a whole number of frames, not '" + v + "'";
        return false;
      }
      HARNESS.FRAMES = n;
    } else if (a == "--seed") {
      if (!parseInt(v, n)) {
        err = "--seed needs a whole number, not '" + v + "'";
        return false;
      }
      HARNESS.SEEDGIVEN = true;
      HARNESS.SEED = static_cast<uint64_t>(n);
    } else if (a == "--size") {
      size_t x = v.find_first_of("xX");
      int64_t w = 0, h = 0;
      if (x == std::string::npos || !parseInt(v.substr(0, x), w) ||
          !parseInt(v.substr(x + 1), h) || w < 16 || h < 16 || w > 16384 || h > 16384) {
        err = "--size needs WIDTHxHEIGHT in pixels (16..16384), not '" + v + "'";
        return false;
      }
      HARNESS.WIDTH = static_cast<int32_t>(w);
      HARNESS.HEIGHT = static_cast<int32_t>(h);
    } else if (a == "--screenshot") {
      HARNESS.SCREENSHOT = v;
    } else if (a == "--input") {
      HARNESS.INPUT = v;
    } else if (a == "--record") {
      HARNESS.RECORD = v;
    } else if (a == "--data") {
      HARNESS.DATA = v;
    } else if (a == "--user-dir") {
      HARNESS.USERDIR = v;
    } else if (a == "--dump-state") {
      HARNESS.DUMPSTATE = v;
    } else if (a == "--check-map") {
      HARNESS.CHECKMAP = v;
    } else if (a == "--check-script") {
      HARNESS.CHECKSCRIPT = v;
    } else if (a == "--link-listen") {
      if (!parseInt(v, n) || n < 1 || n > 65535) {
        err = "--link-listen needs a port number 1..65535, not '" + v + "'";
        return false;
      }
      HARNESS.LINKLISTEN = v;
    } else if (a == "--link-connect") {
      if (v.empty() || v.find(':') == std::string::npos) {
        err = "--link-connect needs HOST:PORT, not '" + v + "'";
        return false;
      }
      HARNESS.LINKCONNECT = v;
    } else {
      err = "unknown option " + a;
      return false;
    }
  }
  if (!HARNESS.LINKLISTEN.empty() && !HARNESS.LINKCONNECT.empty()) {
    err = "give either --link-listen or --link-connect, not both";
    return false;
  }
  // Start-up moves into the data folder; files and folders named on the
  // command line stay relative to where the program was started.
  for (std::string* f : {&HARNESS.SCREENSHOT, &HARNESS.INPUT, &HARNESS.RECORD, &HARNESS.DATA,
                         &HARNESS.USERDIR, &HARNESS.DUMPSTATE, &HARNESS.CHECKMAP,
                         &HARNESS.CHECKSCRIPT}) {
    std::error_code ec;
    if (!f->empty()) {
      std::filesystem::path abs = std::filesystem::absolute(*f, ec);
      if (!ec) *f = abs.string();
    }
  }
  return true;
}

bool CHECKGAMEPARAMS(std::string& err) {
  if (GAMEPARAMS.empty() || GAMEPARAMS[0].empty()) return true;
  const std::string& p = GAMEPARAMS[0];
  if (p[0] < '0' || p[0] > '9') return true;  // not a level number: another parameter
  int64_t n = 0;
  for (char c : p) {
    if (c < '0' || c > '9' || n > 255) {
      n = -1;
      break;
    }
    n = n * 10 + (c - '0');
  }
  if (n < 1 || n > 255) {
    err = "the level to start must be a whole number 1..255, not '" + p + "'";
    return false;
  }
  return true;
}

void HARNESSFRAMEPUSHED() {
  PUSHEDFRAMES++;
  if (HARNESS.FRAMES >= 0 && PUSHEDFRAMES >= HARNESS.FRAMES) throw HARNESSEXIT{};
}

void HARNESSCLOCKCHECK(uint64_t now) {
  if (HARNESS.HEADLESS && HARNESS.FRAMES >= 0 &&
      now > static_cast<uint64_t>(HARNESS.FRAMES) * 33u)
    throw HARNESSEXIT{};
}
