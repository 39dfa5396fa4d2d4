// The source folders form layers (docs/architecture.md): a unit may include
// headers of its own folder and of folders below it. An include that reaches
// upward is either listed here, with the reason it cannot be avoided today,
// or it fails this test. A listed include that no longer exists fails too, so
// the list stays the truth.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Lowest first.
const std::vector<std::string> LAYERS = {"base", "display", "sound", "world", "render",
                                         "game", "net",     "ui",    "shell"};

struct UPWARD {
  const char* FILE;    // including file, relative to src/
  const char* HEADER;  // included header, relative to src/
  const char* REASON;
};

const char* const SAVELOOK = "the save folder depends on the look (MODERN_VISUALS), kept by the glyph renderer";
const char* const INPUTDECODE =
    "GETINPUT turns the frame's keys into the players' state: health, weapons and inventory, "
    "blood drops, the distance for the weapon-change sound, game over for a dead lone player";
const char* const OUTCOME =
    "the rules read and set the level outcome and numbering (VICTORY, CURRENTMAP, "
    "GAMEDIFFICULTY) kept by the game flow";
const char* const FRAMESTATE =
    "frame counters, view zoom and per-frame sound requests are kept by the engine tick";
const char* const ACTORS =
    "drawing and lighting read the actors' tables (players, monsters, tanks, projectiles, "
    "weapons) that the rules own";
const char* const HELPSCREEN = "the help screen is a framed text-mode page built from the menu widgets";
const char* const SCANFILLS =
    "the map scan fills the rules' tables (monsters, doors, tanks, pick-ups, items, player starts)";
const char* const LEVELLIGHTS = "a level's lights are computed when it is loaded (CALCLIGHTS)";
const char* const REACH = "the generator and the level checker use the reachability walk of line of sight";
const char* const OBJECTIVE = "scripts set the objective text shown by the HUD";
const char* const SAVEDSTATE =
    "a save game and a level state file hold every table of the level and the players in one fixed byte order";
const char* const SCRIPTACTS =
    "script entries act on the game each tick: doors, goals, monsters, players, projectiles, "
    "tanks, lights, messages, view effects and the level outcome";

const char* const LEVELEFFECTS =
    "a level's fixed effects act on the game each frame: tanks, portals, monsters, players' "
    "health and weapons, plasma, lights, sight depth, the player's shape and the wavy view";

const UPWARD EXCEPTIONS[] = {
    {"base/paths.cpp", "display/renderer.h", SAVELOOK},
    {"display/input.cpp", "game/players.h", INPUTDECODE},
    {"display/input.cpp", "game/playerstate.h", INPUTDECODE},
    {"display/input.cpp", "render/los.h", INPUTDECODE},
    {"display/input.cpp", "shell/gameflow.h", INPUTDECODE},
    {"display/input.cpp", "game/particles.h", INPUTDECODE},
    {"game/projectilerails.cpp", "shell/gameflow.h", OUTCOME},
    {"game/weaponfire.cpp", "shell/engine.h", FRAMESTATE},
    {"game/weaponhits.cpp", "shell/gameflow.h", OUTCOME},
    {"sound/soundload.cpp", "ui/menu.h", "the \"Loading data ..\" box is drawn with the menu widget's framed window"},
    {"world/mapscan.cpp", "game/projectiles.h", "a level start empties the projectile, explosion and particle tables"},
    {"game/doortraps.cpp", "shell/gameflow.h", OUTCOME},
    {"game/goals.cpp", "ui/menu.h", "YOUWIN shows its \"LOADING...\" box with the menu widget's framed window"},
    {"game/itemuse.cpp", "shell/gameflow.h", OUTCOME},
    {"render/hudinventory.cpp", "game/items.h", ACTORS},
    {"render/hudinventory.cpp", "game/player.h", ACTORS},
    {"render/hudinventory.cpp", "game/playerstate.h", ACTORS},
    {"render/hudinventory.cpp", "shell/engine.h", FRAMESTATE},
    {"game/survival.cpp", "shell/gameflow.h", OUTCOME},
    {"game/goals.cpp", "shell/gameflow.h", OUTCOME},
    {"game/monsters.cpp", "shell/gameflow.h", OUTCOME},
    {"game/player.cpp", "shell/gameflow.h", OUTCOME},
    {"game/weapons.cpp", "shell/gameflow.h", OUTCOME},
    {"game/player.cpp", "shell/engine.h", FRAMESTATE},
    {"render/hud.cpp", "game/player.h", ACTORS},
    {"render/hud.cpp", "game/playerstate.h", ACTORS},
    {"render/hud.cpp", "game/tanks.h", ACTORS},
    {"render/hud.cpp", "game/weapons.h", ACTORS},
    {"render/hud.cpp", "shell/engine.h", FRAMESTATE},
    {"render/hud.cpp", "shell/gameflow.h", "the HUD shows the level number and the game mode"},
    {"render/hud.cpp", "ui/backdrop.h", HELPSCREEN},
    {"render/hud.cpp", "ui/menu.h", HELPSCREEN},
    {"render/lightfx.cpp", "game/monsterdeath.h", "a blast pushes and kills monsters and players in its light"},
    {"render/lightfx.cpp", "game/monsters.h", ACTORS},
    {"render/lightfx.cpp", "game/player.h", "a blast hurts the players it reaches (HURTPLAYER)"},
    {"render/lightfx.cpp", "game/players.h", ACTORS},
    {"render/los.cpp", "game/players.h", ACTORS},
    {"render/messages.cpp", "game/player.h", ACTORS},
    {"render/messages.cpp", "shell/engine.h", FRAMESTATE},
    {"render/postprocess.cpp", "game/players.h", "ambient light sounds play where my player stands"},
    {"render/torch.cpp", "game/players.h", ACTORS},
    {"render/torch.cpp", "game/playerstate.h", "the torch burns while the player holds it and has lumber"},
    {"render/view.cpp", "game/monsters.h", ACTORS},
    {"render/view.cpp", "game/player.h", ACTORS},
    {"render/view.cpp", "game/players.h", ACTORS},
    {"render/view.cpp", "game/playerstate.h", ACTORS},
    {"render/view.cpp", "game/projectiles.h", ACTORS},
    {"render/view.cpp", "game/tankdrive.h", ACTORS},
    {"render/view.cpp", "game/tanks.h", ACTORS},
    {"render/view.cpp", "shell/engine.h", FRAMESTATE},
    {"render/viewactors.cpp", "game/monsterai.h", ACTORS},
    {"render/viewactors.cpp", "game/monsters.h", ACTORS},
    {"render/viewactors.cpp", "game/players.h", ACTORS},
    {"render/viewactors.cpp", "game/playerstate.h", ACTORS},
    {"render/viewactors.cpp", "game/tanks.h", ACTORS},
    {"render/viewactors.cpp", "game/weapons.h", ACTORS},
    {"render/viewactors.cpp", "shell/engine.h", FRAMESTATE},
    {"render/viewactors.cpp", "ui/widgets.h", "LOADPICS, a look switch kept with the widgets"},
    {"render/viewcell.cpp", "game/players.h", ACTORS},
    {"render/viewcell.cpp", "shell/engine.h", FRAMESTATE},
    {"world/grid.cpp", "game/tanks.h", "a tank's cells read as its body glyph"},
    {"world/mapcheck.cpp", "game/doors.h", SCANFILLS},
    {"world/mapcheck.cpp", "game/players.h", SCANFILLS},
    {"world/mapcheck.cpp", "render/lighting.h", LEVELLIGHTS},
    {"world/mapcheck.cpp", "render/los.h", REACH},
    {"world/maploader.cpp", "game/doors.h", SCANFILLS},
    {"world/maploader.cpp", "render/lighting.h", LEVELLIGHTS},
    {"world/maploader.cpp", "shell/gameflow.h", OUTCOME},
    {"world/mapscan.cpp", "game/doors.h", SCANFILLS},
    {"world/mapscan.cpp", "game/items.h", SCANFILLS},
    {"world/mapscan.cpp", "game/monsters.h", SCANFILLS},
    {"world/mapscan.cpp", "game/pickups.h", SCANFILLS},
    {"world/mapscan.cpp", "game/players.h", SCANFILLS},
    {"world/mapscan.cpp", "game/tanks.h", SCANFILLS},
    {"world/mapscan.cpp", "render/lighting.h", LEVELLIGHTS},
    {"world/mapscan.cpp", "render/los.h", REACH},
    {"world/mapscan.cpp", "shell/gameflow.h", OUTCOME},
    {"world/mapscript.cpp", "render/hud.h", OBJECTIVE},
    {"world/randommap.cpp", "render/los.h", REACH},
    {"game/monsteraiattack.cpp", "shell/engine.h", FRAMESTATE},
    {"game/monsterdeath.cpp", "shell/engine.h", FRAMESTATE},
    {"world/mapscriptcheck.cpp", "render/messages.h",
     "the script checker measures objective texts against the HUD's line limits"},
    {"world/mapscripttick.cpp", "game/doors.h", SCRIPTACTS},
    {"world/levelstate.cpp", "game/players.h", SAVEDSTATE},
    {"world/levelstate.cpp", "game/playerstate.h", SAVEDSTATE},
    {"world/levelstate.cpp", "shell/engine.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/doors.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/explosions.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/monsterai.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/monsters.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/particles.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/pickups.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/player.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/playerstate.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/projectiles.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/survival.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/tanks.h", SAVEDSTATE},
    {"world/savegame.cpp", "game/weapons.h", SAVEDSTATE},
    {"world/savegame.cpp", "render/lighting.h", SAVEDSTATE},
    {"world/savegame.cpp", "render/messages.h", SAVEDSTATE},
    {"world/savegame.cpp", "shell/engine.h", SAVEDSTATE},
    {"world/savegame.cpp", "shell/gameflow.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/doors.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/explosions.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/monsterai.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/monsters.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/particles.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/pickups.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/players.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/projectiles.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/tanks.h", SAVEDSTATE},
    {"world/savelayout.cpp", "game/weapons.h", SAVEDSTATE},
    {"world/savelayout.cpp", "render/lighting.h", SAVEDSTATE},
    {"world/mapscripttick.cpp", "game/goals.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "game/monsters.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "game/player.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "game/players.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "game/playerstate.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "game/projectiles.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "game/tanks.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "render/lighting.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "render/los.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "render/messages.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "render/postprocess.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "render/view.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "shell/engine.h", SCRIPTACTS},
    {"world/mapscripttick.cpp", "shell/gameflow.h", SCRIPTACTS},
    {"game/tankgun.cpp", "shell/gameflow.h", OUTCOME},
    {"game/tanks.cpp", "shell/engine.h", FRAMESTATE},
    {"world/mapeffects.cpp", "game/doors.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/explosions.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/goals.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/monsterdeath.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/monsters.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/player.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/playerstate.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/projectiles.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/tanks.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "game/weapons.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "render/lightfx.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "render/lighting.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "render/los.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "render/view.h", LEVELEFFECTS},
    {"world/mapeffects.cpp", "shell/gameflow.h", OUTCOME},
};

int RANKOF(const std::string& folder) {
  for (size_t i = 0; i < LAYERS.size(); i++)
    if (LAYERS[i] == folder) return static_cast<int>(i);
  return -1;
}

fs::path SOURCETREE() { return fs::path(ASHEN_TEST_DIR) / ".." / "src"; }

// Every "folder/header.h" include of every unit under src/<folder>/, as
// "file -> header" with paths relative to src/.
std::set<std::pair<std::string, std::string>> INCLUDES() {
  std::set<std::pair<std::string, std::string>> out;
  const std::regex inc(R"re(^\s*#\s*include\s*"([a-z_]+)/([A-Za-z0-9_]+\.h)")re");
  for (const auto& e : fs::recursive_directory_iterator(SOURCETREE())) {
    if (!e.is_regular_file()) continue;
    const std::string ext = e.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string rel = fs::relative(e.path(), SOURCETREE()).generic_string();
    std::ifstream f(e.path());
    std::string line;
    std::smatch m;
    while (std::getline(f, line))
      if (std::regex_search(line, m, inc)) out.insert({rel, m[1].str() + "/" + m[2].str()});
  }
  return out;
}

}  // namespace

TEST(Layers, EveryFolderHasARank) {
  for (const auto& e : fs::directory_iterator(SOURCETREE())) {
    if (!e.is_directory()) continue;
    EXPECT_GE(RANKOF(e.path().filename().string()), 0)
        << "src/" << e.path().filename().string()
        << " is not placed in the layer order (tests/base/layers_test.cpp, docs/architecture.md)";
  }
}

TEST(Layers, NoFolderIncludesAHeaderOfAFolderAboveItUnlessListed) {
  std::map<std::pair<std::string, std::string>, bool> listed;
  for (const UPWARD& u : EXCEPTIONS) {
    EXPECT_TRUE(listed.find({u.FILE, u.HEADER}) == listed.end()) << u.FILE << " -> " << u.HEADER << " listed twice";
    EXPECT_GT(std::string(u.REASON).size(), 10u) << u.FILE << " -> " << u.HEADER << " needs a reason";
    listed[{u.FILE, u.HEADER}] = false;
  }
  const auto includes = INCLUDES();
  ASSERT_GT(includes.size(), 100u) << "the source tree was not found at " << SOURCETREE();
  std::ostringstream upward;
  for (const auto& [file, header] : includes) {
    const std::string from = file.substr(0, file.find('/'));
    const std::string to = header.substr(0, header.find('/'));
    if (file.find('/') == std::string::npos) continue;  // the entry point sits above every layer
    const int rf = RANKOF(from), rt = RANKOF(to);
    if (rf < 0 || rt < 0 || rt <= rf) continue;
    auto it = listed.find({file, header});
    if (it == listed.end())
      upward << "  " << file << " -> " << header << "\n";
    else
      it->second = true;
  }
  EXPECT_EQ(upward.str(), "") << "includes reaching up a layer; include a lower unit, move the "
                                 "declaration down, or list it with its reason:\n"
                              << upward.str();
  for (const auto& [key, seen] : listed) {
    EXPECT_TRUE(seen) << key.first << " -> " << key.second
                      << " is listed as an upward include but no longer exists: remove it from the list";
  }
}

// The oracle itself: a folder above and a folder below are told apart.
TEST(Layers, OrderPutsBaseLowestAndShellHighest) {
  EXPECT_EQ(RANKOF("base"), 0);
  EXPECT_LT(RANKOF("display"), RANKOF("world"));
  EXPECT_LT(RANKOF("render"), RANKOF("game"));
  EXPECT_EQ(RANKOF("shell"), static_cast<int>(LAYERS.size()) - 1);
  EXPECT_EQ(RANKOF("tests"), -1);
}

// Two random draws inside one call's arguments or one operator's operands come
// in the order the compiler picks, so the same seed would play differently
// depending on what built the program. A statement with two draws must
// sequence them (&&, ||, ?:) or be split.
TEST(SourceRules, NoTwoRandomDrawsInOneUnsequencedStatement) {
  const std::regex draw(R"(\brandom(Real)?\s*\()");
  const std::regex control(R"(^(else\s+)?(if|while|for|switch)\s*\()");
  std::ostringstream found;
  for (const auto& e : fs::recursive_directory_iterator(SOURCETREE())) {
    if (!e.is_regular_file() || e.path().extension() != ".cpp") continue;
    std::ifstream f(e.path());
    std::stringstream ss;
    ss << f.rdbuf();
    std::string text = ss.str();
    // Drop line comments, then split at statement ends.
    text = std::regex_replace(text, std::regex("//[^\n]*"), "");
    std::string stmt;
    int line = 1, start = 1;
    for (char c : text) {
      if (c == '\n') line++;
      if (stmt.empty() && (c == ' ' || c == '\n')) {
        start = line;
        continue;
      }
      stmt += c;
      if (c != ';' && c != '{' && c != '}') continue;
      // The condition of an if, while, for or switch is sequenced before its
      // body: the two are judged apart.
      std::vector<std::string> parts = {stmt};
      std::smatch m;
      if (std::regex_search(stmt, m, control)) {
        size_t i = static_cast<size_t>(m.position(0) + m.length(0)), depth = 1;
        while (i < stmt.size() && depth > 0) {
          if (stmt[i] == '(') depth++;
          if (stmt[i] == ')') depth--;
          i++;
        }
        parts = {stmt.substr(0, i), stmt.substr(i)};
      }
      for (const std::string& part : parts) {
        const auto n = std::distance(std::sregex_iterator(part.begin(), part.end(), draw),
                                     std::sregex_iterator());
        const bool sequenced = part.find("&&") != std::string::npos ||
                               part.find("||") != std::string::npos ||
                               part.find('?') != std::string::npos;
        if (n >= 2 && !sequenced)
          found << "  " << fs::relative(e.path(), SOURCETREE()).generic_string() << ":" << start << "\n";
      }
      stmt.clear();
    }
  }
  EXPECT_EQ(found.str(), "") << "statements with two random draws in compiler-chosen order:\n"
                             << found.str();
}
