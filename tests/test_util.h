// Helpers shared by the test programs.
#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh temporary folder, removed with everything in it at the end of the scope.
struct TempDir {
  std::string path;
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "ashenXXXXXX").string();
    char* p = mkdtemp(tmpl.data());
    path = p ? p : tmpl;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
};

// Exit code and everything a shell command printed (stderr joined to stdout).
struct COMMANDRESULT {
  int CODE = -1;  // -1 when the command did not exit normally
  std::string OUTPUT;
};

inline COMMANDRESULT RUNCOMMAND(const std::string& cmd) {
  COMMANDRESULT r;
  FILE* p = popen((cmd + " 2>&1").c_str(), "r");
  if (!p) return r;
  std::array<char, 512> buf;
  while (fgets(buf.data(), buf.size(), p)) r.OUTPUT += buf.data();
  int status = pclose(p);
  r.CODE = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// A state dump (--dump-state) parsed; an empty object when the text is not JSON,
// so that a missing dump fails the assertions that read it instead of aborting.
#include <nlohmann/json.hpp>
inline nlohmann::json PARSEDUMP(const std::string& text) {
  nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  return j.is_discarded() ? nlohmann::json::object() : j;
}
