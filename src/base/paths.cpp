#include "base/paths.h"

#include <dirent.h>
#include <strings.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "display/renderer.h"
#include "base/harness.h"

namespace fs = std::filesystem;

std::string DATAFOLDER;

std::string DATAPATH() {
  if (!HARNESS.USERDIR.empty()) return HARNESS.USERDIR;
  if (const char* h = std::getenv("ASHENREACH_HOME"); h && *h) return h;
  std::string base;
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) {
    base = x;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.local/share";
  } else {
    base = ".";
  }
  return base + "/ASHENREACH";
}

std::string INIFILENAME() { return DATAPATH() + "/MONSTER.INI"; }
std::string KEYSFILENAME() { return DATAPATH() + "/KEYS.INI"; }
std::string SAVEFOLDER() { return DATAPATH() + (MODERN_VISUALS == 1 ? "/SAVE" : "/SAVE_A"); }

bool ENSUREFOLDEREXISTS(const std::string& f) {
  std::error_code ec;
  if (fs::is_directory(f, ec)) return true;
  fs::create_directories(f, ec);
  return fs::is_directory(f, ec);
}

namespace {
bool holdsGlyphs(const fs::path& dir) {
  std::error_code ec;
  return fs::is_directory(dir / "GFX", ec);
}
}  // namespace

bool FINDDATAFOLDER(const std::string& exepath, std::string& searched) {
  std::vector<fs::path> candidates;
  if (!HARNESS.DATA.empty()) {
    candidates.push_back(HARNESS.DATA);
  } else {
    if (const char* d = std::getenv("ASHENREACH_DATA"); d && *d) candidates.push_back(d);
    std::error_code ec;
    fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(exepath, ec);
    if (!exe.empty()) {
      candidates.push_back(exe.parent_path().parent_path() / "share" / "ashenreach");
      candidates.push_back(exe.parent_path() / "data");
    }
#ifdef ASHEN_SOURCE_DATA
    candidates.push_back(ASHEN_SOURCE_DATA);
#endif
  }
  searched.clear();
  for (const fs::path& c : candidates) {
    if (!searched.empty()) searched += ", ";
    searched += c.string();
    if (holdsGlyphs(c)) {
      std::error_code ec;
      fs::path abs = fs::canonical(c, ec);
      if (ec || chdir(abs.c_str()) != 0) continue;
      DATAFOLDER = abs.string();
      return true;
    }
  }
  return false;
}

std::string RESOLVEPATH(const std::string& rel) {
  std::string p = rel;
  for (char& c : p)
    if (c == '\\') c = '/';
  if (p.empty()) return p;
  std::string out = (p[0] == '/') ? "/" : "";
  size_t i = (p[0] == '/') ? 1 : 0;
  bool found = true;
  while (i <= p.size()) {
    size_t j = p.find('/', i);
    if (j == std::string::npos) j = p.size();
    std::string comp = p.substr(i, j - i);
    i = j + 1;
    if (comp.empty()) continue;
    std::string dir = out.empty() ? "." : out;
    std::string pick = comp;
    if (found) {
      std::error_code ec;
      if (!fs::exists(dir + "/" + comp, ec)) {
        bool any = false;
        if (DIR* d = opendir(dir.c_str())) {
          while (dirent* e = readdir(d)) {
            if (strcasecmp(e->d_name, comp.c_str()) == 0) {
              pick = e->d_name;
              any = true;
              break;
            }
          }
          closedir(d);
        }
        if (!any) found = false;
      }
    }
    if (!out.empty() && out.back() != '/') out += "/";
    out += pick;
  }
  return out;
}

bool FILEEXISTSCI(const std::string& rel) {
  std::error_code ec;
  return fs::exists(RESOLVEPATH(rel), ec);
}

bool WRITEFILEATOMIC(const std::string& path, const std::string& data) {
  std::string tmp = path + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(data.data(), static_cast<std::streamsize>(data.size()));
    f.flush();
    if (!f) {
      f.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}
