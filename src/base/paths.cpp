#include "base/paths.h"

#include <dirent.h>
#include <pwd.h>
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

namespace {
bool settled = false;
std::string userFolder;

std::string accountHome() {
  const passwd* pw = getpwuid(getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "";
}
}  // namespace

std::string USERFOLDERFROM(const std::string& userdir, const char* ashenhome, const char* xdgdatahome,
                           const char* home, const std::string& accounthome, std::string& notes) {
  notes.clear();
  // --user-dir was made absolute against the starting folder when it was read.
  if (!userdir.empty()) return userdir;
  auto usable = [&](const char* name, const char* v) {
    if (!v || !*v) return false;
    if (v[0] == '/') return true;
    notes += std::string(name) + " is not an absolute path (\"" + v + "\"): ignored\n";
    return false;
  };
  if (usable("ASHENREACH_HOME", ashenhome)) return ashenhome;
  if (usable("XDG_DATA_HOME", xdgdatahome)) return std::string(xdgdatahome) + "/ASHENREACH";
  if (usable("HOME", home)) return std::string(home) + "/.local/share/ASHENREACH";
  if (!accounthome.empty() && accounthome[0] == '/') return accounthome + "/.local/share/ASHENREACH";
  notes += "no home folder found: settings, keys and saves are not kept\n";
  return "";
}

void SETTLEUSERFOLDER() {
  std::string notes;
  userFolder = USERFOLDERFROM(HARNESS.USERDIR, std::getenv("ASHENREACH_HOME"), std::getenv("XDG_DATA_HOME"),
                              std::getenv("HOME"), accountHome(), notes);
  settled = true;
  size_t a = 0;
  while (a < notes.size()) {
    size_t b = notes.find('\n', a);
    std::fprintf(stderr, "ashenreach: %s\n", notes.substr(a, b - a).c_str());
    a = b + 1;
  }
}

std::string DATAPATH() {
  if (!settled) {
    std::string notes;
    return USERFOLDERFROM(HARNESS.USERDIR, std::getenv("ASHENREACH_HOME"), std::getenv("XDG_DATA_HOME"),
                          std::getenv("HOME"), accountHome(), notes);
  }
  return userFolder;
}

namespace {
std::string inUserFolder(const std::string& name) {
  std::string d = DATAPATH();
  return d.empty() ? "" : d + "/" + name;
}
}  // namespace

std::string INIFILENAME() { return inUserFolder("MONSTER.INI"); }
std::string KEYSFILENAME() { return inUserFolder("KEYS.INI"); }
std::string SAVEFOLDER() { return inUserFolder(MODERN_VISUALS == 1 ? "SAVE" : "SAVE_A"); }

bool ENSUREFOLDEREXISTS(const std::string& f) {
  if (f.empty()) return false;
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
    // A program still in its build folder plays the data of its own source tree,
    // not an older copy installed on the machine.
#if defined(ASHEN_BUILD_TREE) && defined(ASHEN_SOURCE_DATA)
    {
      std::string tree = fs::weakly_canonical(ASHEN_BUILD_TREE, ec).string();
      if (!exe.empty() && exe.string().rfind(tree + "/", 0) == 0) candidates.push_back(ASHEN_SOURCE_DATA);
    }
#endif
    // The folder chosen when the program was installed.
#ifdef ASHEN_INSTALL_DATA
    candidates.push_back(ASHEN_INSTALL_DATA);
#endif
    // Beside the executable: an install moved to another prefix, or an unpacked folder.
    if (!exe.empty()) {
      candidates.push_back(exe.parent_path().parent_path() / "share" / "ashenreach");
      candidates.push_back(exe.parent_path() / "data");
      candidates.push_back(exe.parent_path());
    }
    // The working folder.
    fs::path here = fs::current_path(ec);
    if (!ec) {
      candidates.push_back(here);
      candidates.push_back(here / "data");
    }
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
