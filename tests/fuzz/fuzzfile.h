// Shared by the fuzz targets: the readers under test read files, so each
// input is written to one scratch file per process and read back through the
// game's own reader. The readers' messages go to /dev/null.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

inline std::string FUZZFILE(const uint8_t* data, size_t size, const char* ext = ".txt") {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/ashenfuzzXXXXXX";
    const char* d = mkdtemp(tmpl);
    // Quiet readers: every message would otherwise cost a write per input.
    if (!std::getenv("FUZZ_VERBOSE")) {
      std::freopen("/dev/null", "w", stdout);
    }
    return std::string(d ? d : "/tmp");
  }();
  std::string path = dir + "/input" + ext;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  return path;
}
