// Helpers shared by the test programs.
#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
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

// The whole of a file; empty when it cannot be read.
inline std::string READALL(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// A data folder FOLDER/data for runs of the program on a test's own levels:
// each entry of the repository's data folder linked in, except CAMPAIGN (an
// empty CAMPAIGN/main/MAPS takes the test's maps) and those named in LEAVEOUT.
// Entries already there are kept, so a test may call it before each run.
inline std::string MAKERUNDATA(const std::string& folder, std::initializer_list<std::string> leaveout = {}) {
  namespace fs = std::filesystem;
  const fs::path data = fs::path(folder) / "data";
  fs::create_directories(data / "CAMPAIGN" / "main" / "MAPS");
  for (const auto& e : fs::directory_iterator(ASHEN_SOURCE_DATA)) {
    const std::string name = e.path().filename().string();
    bool out = name == "CAMPAIGN";
    for (const std::string& l : leaveout) out = out || name == l;
    if (!out && !fs::exists(data / name)) fs::create_directory_symlink(e.path(), data / name);
  }
  return data.string();
}

// A headless run of the program with ARGS, its user folder FOLDER/user and
// its state dump FOLDER/state.json (an old dump is removed first).
struct GAMERUN {
  int CODE = -1;       // -1 when the program did not exit normally
  std::string OUTPUT;  // what it printed, stderr joined to stdout
  std::string DUMP;    // the dump's text; empty when none was written
};

inline GAMERUN RUNHEADLESS(const std::string& folder, const std::string& args) {
  const std::string dump = folder + "/state.json", out = folder + "/out.txt";
  std::remove(dump.c_str());
  const std::string cmd = std::string(ASHEN_BINARY) + " --headless " + args + " --user-dir " + folder +
                          "/user --dump-state " + dump + " > " + out + " 2>&1";
  const int status = std::system(cmd.c_str());
  GAMERUN r;
  r.CODE = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.OUTPUT = READALL(out);
  r.DUMP = READALL(dump);
  return r;
}

// A state dump (--dump-state) parsed; an empty object when the text is not JSON,
// so that a missing dump fails the assertions that read it instead of aborting.
#include <nlohmann/json.hpp>
inline nlohmann::json PARSEDUMP(const std::string& text) {
  nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  return j.is_discarded() ? nlohmann::json::object() : j;
}
