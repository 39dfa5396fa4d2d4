// The shipped campaign: every level that comes with a replay is played from its
// start, headless, at difficulty 1, and must be left through the intended portal;
// every campaign map and the script pass the program's own checkers; every voice
// file the script names is there.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "test_util.h"
#include "world/worldtest.h"

namespace fs = std::filesystem;

namespace {
const fs::path CAMPAIGN = fs::path(ASHEN_SOURCE_DATA) / "CAMPAIGN" / "main";

std::string READALL(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// Runs the program with ARGS; the exit code, with its output in OUT.
int RUNGAME(const std::string& args, const std::string& outfile, std::string& out) {
  const std::string cmd = std::string(ASHEN_BINARY) + " " + args + " > " + outfile + " 2>&1";
  const int status = std::system(cmd.c_str());
  out = READALL(outfile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The value of a "# name: value" header line of a replay; empty when missing.
std::string HEADER(const std::string& text, const std::string& name) {
  std::smatch m;
  const std::regex re("#\\s*" + name + ":\\s*(\\S+)");
  return std::regex_search(text, m, re) ? m[1].str() : "";
}

// The rows of a campaign map's grid (up to its first ':' line), painted words
// between parentheses turned into rock: they are lettering, not things.
std::vector<std::string> MAPROWS(int level) {
  std::istringstream in(READALL(CAMPAIGN / "MAPS" / ("Map" + std::to_string(level) + ".txt")));
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() >= 2 && line[0] == ':') break;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (size_t open = line.find('('); open != std::string::npos; open = line.find('(', open)) {
      const size_t close = line.find(')', open);
      if (close == std::string::npos) break;
      for (size_t i = open; i <= close; i++) line[i] = 'R';
    }
    rows.push_back(line);
  }
  return rows;
}

struct REPLAY {
  int level;
  fs::path file;
};

std::vector<REPLAY> REPLAYS() {
  std::vector<REPLAY> out;
  const std::regex name("Map([0-9]+)_replay\\.txt");
  for (const auto& e : fs::directory_iterator(CAMPAIGN / "MAPS")) {
    std::smatch m;
    const std::string f = e.path().filename().string();
    if (std::regex_match(f, m, name)) out.push_back({std::stoi(m[1].str()), e.path()});
  }
  std::sort(out.begin(), out.end(), [](const REPLAY& a, const REPLAY& b) { return a.level < b.level; });
  return out;
}

class Campaign : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = worldtest::MAKETEMPDIR();
    ASSERT_FALSE(dir.empty());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};
}  // namespace

TEST_F(Campaign, EveryReplayLeavesThroughTheIntendedPortal) {
  const std::vector<REPLAY> replays = REPLAYS();
  // The first chapter opening always comes with its replay.
  ASSERT_FALSE(replays.empty());
  EXPECT_EQ(replays.front().level, 100);
  for (const REPLAY& r : replays) {
    const std::string text = READALL(r.file);
    const std::string expect = HEADER(text, "expect-nextmap");
    const std::string frames = HEADER(text, "frames");
    ASSERT_FALSE(expect.empty()) << r.file << ": no '# expect-nextmap:' header";
    ASSERT_FALSE(frames.empty()) << r.file << ": no '# frames:' header";
    ASSERT_TRUE(fs::exists(CAMPAIGN / "MAPS" / ("Map" + std::to_string(r.level) + ".txt")))
        << "level " << r.level << " has a replay but no map";
    // A fresh user folder per level: no settings, saves or level states carried over.
    const std::string user = dir + "/user" + std::to_string(r.level);
    const std::string dump = dir + "/dump" + std::to_string(r.level) + ".json";
    std::string out;
    RUNGAME("--headless --seed 1 --frames " + frames + " --data " + ASHEN_SOURCE_DATA + " --user-dir " + user +
                " --input " + r.file.string() + " --dump-state " + dump + " " + std::to_string(r.level),
            dir + "/out.txt", out);
    const nlohmann::json d = PARSEDUMP(READALL(dump));
    ASSERT_TRUE(d.contains("players")) << "level " << r.level << ": no state dump; output:\n" << out;
    const auto& p = d["players"][0];
    const int line = 101 - p["y"].get<int>();  // campaign levels are 100 lines high
    // The campaign's last level ends the game instead of leading on.
    const bool end = expect == "end";
    const int wantvictory = end ? 2 : 1;
    EXPECT_TRUE(d["victory"] == wantvictory && (end || d["nextmap"] == std::stoi(expect)))
        << "level " << r.level << ": the replay " << r.file.filename().string() << " missed; expected "
        << (end ? std::string("the campaign's end") : "the portal to " + expect) << ", the player stopped at column "
        << p["x"] << ", line " << line << " with health " << p["health"] << " (victory " << d["victory"]
        << ", nextmap " << d["nextmap"] << ", dead " << p["dead"] << ") after " << d["frames"] << " frames";
  }
}

TEST_F(Campaign, EveryMapAndTheScriptPassTheCheckers) {
  const std::regex name("Map([0-9]+)\\.txt");
  int maps = 0;
  for (const auto& e : fs::directory_iterator(CAMPAIGN / "MAPS")) {
    const std::string f = e.path().filename().string();
    if (!std::regex_match(f, name)) continue;
    maps++;
    std::string out;
    EXPECT_EQ(RUNGAME("--check-map " + e.path().string(), dir + "/out.txt", out), 0) << out;
  }
  EXPECT_GE(maps, 1);
  std::string out;
  EXPECT_EQ(RUNGAME("--check-script " + (CAMPAIGN / "script.txt").string(), dir + "/out.txt", out), 0) << out;
}

TEST_F(Campaign, EveryVoiceTheScriptNamesIsThere) {
  std::istringstream in(READALL(CAMPAIGN / "script.txt"));
  std::string line;
  int voices = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '#') continue;  // a heading the game skips
    // Level, then the voice name up to the next comma.
    const size_t a = line.find(','), b = a == std::string::npos ? a : line.find(',', a + 1);
    if (b == std::string::npos || b == a + 1) continue;
    const std::string voice = line.substr(a + 1, b - a - 1);
    voices++;
    EXPECT_TRUE(fs::exists(CAMPAIGN / "VOICE" / (voice + ".ogg"))) << "missing voice " << voice << " of: " << line;
  }
  EXPECT_GT(voices, 0);
}

// Inventory items survive only on level 108, so that level must offer every one
// of them (the axe is also the tool of both recipes: the torch at a barrel, the
// boat at a tree), and those workbenches must be there too. Read from the map
// text, painted words between parentheses counted as rock.
TEST(CampaignMaps, TheLevelThatKeepsItemsOffersEveryItemAndWorkbench) {
  std::string grid;
  for (const std::string& row : MAPROWS(108)) grid += row + "\n";
  ASSERT_FALSE(grid.empty());
  const struct {
    char symbol;
    const char* what;
  } wanted[] = {{'A', "the axe"}, {'B', "the boat"},   {'K', "the serum"},      {'@', "the defib kit"},
                {'i', "a torch"}, {'T', "a tree (boat workbench)"}, {'G', "a barrel (torch workbench)"}};
  for (const auto& w : wanted)
    EXPECT_NE(grid.find(w.symbol), std::string::npos) << "level 108 offers no " << w.what;
}

// The boss of level 108 wakes only for a player closer than 20 cells in its
// sight and fires along its eight straight lines, so no straight line from
// where it stands at the start may reach further than 19 cells to floor that the
// player can walk to: otherwise the player shoots it down from beyond its notice.
// Reachability is a flood fill from the player's start over every cell that is
// not solid (doors, water and pickups count as walkable, which only makes the
// check stricter); a line ends at the first solid cell.
TEST(CampaignMaps, TheThroneBossCannotBeShotFromBeyondItsNotice) {
  const std::vector<std::string> rows = MAPROWS(108);
  ASSERT_GE(rows.size(), 46u);
  const int h = static_cast<int>(rows.size());
  auto cell = [&](int x, int y) -> char {  // 1-based column and line; outside is rock
    if (y < 1 || y > h || x < 1 || x > static_cast<int>(rows[y - 1].size())) return 'R';
    return rows[y - 1][x - 1];
  };
  auto solid = [&](int x, int y) { return std::string("R0F\"TG^").find(cell(x, y)) != std::string::npos; };

  std::vector<std::vector<bool>> reach(h + 2, std::vector<bool>(400, false));
  std::vector<std::pair<int, int>> todo, bosses;
  for (int y = 1; y <= h; y++)
    for (int x = 1; x <= static_cast<int>(rows[y - 1].size()); x++) {
      if (cell(x, y) == 'P') todo.push_back({x, y}), reach[y][x] = true;
      if (cell(x, y) == 'x') bosses.push_back({x, y});
    }
  ASSERT_FALSE(todo.empty()) << "level 108 has no player start";
  ASSERT_FALSE(bosses.empty()) << "level 108 has no boss";
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    const int step[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& s : step) {
      const int nx = x + s[0], ny = y + s[1];
      if (ny < 1 || ny > h || nx < 1 || nx >= 400 || solid(nx, ny) || reach[ny][nx]) continue;
      reach[ny][nx] = true;
      todo.push_back({nx, ny});
    }
  }
  for (const auto& [bx, by] : bosses) {
    EXPECT_TRUE(bx <= 80 && by <= 46) << "the boss at " << bx << "," << by << " is outside the throne hall";
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++) {
        if (dx == 0 && dy == 0) continue;
        int longest = 0;
        for (int k = 1; !solid(bx + k * dx, by + k * dy); k++)
          if (reach[by + k * dy][bx + k * dx]) longest = k;
        EXPECT_LE(longest, 19) << "the boss at " << bx << "," << by << " sees " << longest
                               << " cells along direction " << dx << "," << dy;
      }
  }
}

// The replay of level 108 must win a fight, not a shot from afar: half-way
// through it the boss has woken, come out of its throne room (east of the wall
// at column 56) and stands within its notice distance of the player, wounded
// but alive, and the player has been hurt.
TEST_F(Campaign, TheThroneReplayFightsTheBossAwake) {
  const fs::path replay = CAMPAIGN / "MAPS" / "Map108_replay.txt";
  const std::string dump = dir + "/dump108.json";
  std::string out;
  RUNGAME("--headless --seed 1 --frames 2400 --data " + std::string(ASHEN_SOURCE_DATA) + " --user-dir " + dir +
              "/user --input " + replay.string() + " --dump-state " + dump + " 108",
          dir + "/out.txt", out);
  const nlohmann::json d = PARSEDUMP(READALL(dump));
  ASSERT_TRUE(d.contains("players")) << "no state dump; output:\n" << out;
  const auto& p = d["players"][0];
  const nlohmann::json* boss = nullptr;
  for (const auto& m : d["monsters"]["list"])
    if (m["type"] == 12) boss = &m;
  ASSERT_NE(boss, nullptr) << "the boss is gone after 2400 frames";
  const auto& b = *boss;
  EXPECT_EQ(b["saw"], 1) << "the boss never woke";
  EXPECT_LT(b["energy"].get<int>(), 4000) << "the boss is unhurt";
  EXPECT_LT(b["x"].get<int>(), 56) << "the boss stayed in its throne room";
  const double dx = b["x"].get<int>() - p["x"].get<int>(), dy = b["y"].get<int>() - p["y"].get<int>();
  EXPECT_LT(std::sqrt(dx * dx + dy * dy), 20.0) << "the player fights from beyond the boss's notice";
  EXPECT_LT(p["health"].get<double>() + p["armor"].get<double>(), 200.0) << "the boss never hurt the player";
  EXPECT_FALSE(p["dead"].get<bool>());
}

namespace {
// The grid of a map file as the cells hold it once loaded, read here straight from
// the text: the grid ends at the first line (after at least one) that is two or more
// characters long and starts with ':'; painted words between '(' and ')' are rock,
// and the ')' cell takes the character after it; every cell on the border is rock.
std::vector<std::string> MAPCELLS(const fs::path& file) {
  std::istringstream in(READALL(file));
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!rows.empty() && line.size() >= 2 && line[0] == ':') break;
    std::string cells(line.size(), ' ');
    bool painted = false;
    for (size_t x = 0; x < line.size(); x++) {
      if (line[x] == '(') {
        cells[x] = x > 0 ? cells[x - 1] : 'R';
        painted = true;
      } else if (line[x] == ')') {
        cells[x] = x + 1 < line.size() ? line[x + 1] : 'R';
        painted = false;
      } else {
        cells[x] = painted ? 'R' : line[x];
      }
    }
    rows.push_back(cells);
  }
  size_t width = 0;
  for (const std::string& r : rows) width = std::max(width, r.size());
  for (size_t y = 0; y < rows.size(); y++)
    for (size_t x = 0; x < rows[y].size(); x++)
      if (y == 0 || y + 1 == rows.size() || x == 0 || x + 1 == width) rows[y][x] = 'R';
  return rows;
}
}  // namespace

// The reader above judged on small hand-made maps whose monsters are known.
TEST(CampaignMaps, TheCellReaderKeepsMonstersAndDropsPaintedWordsAndTheBorder) {
  const std::string dir = worldtest::MAKETEMPDIR();
  ASSERT_FALSE(dir.empty());
  const struct {
    const char* text;
    const char* wantrow2;  // the second grid line as loaded
  } cases[] = {
      {"RRRRRR\nR XM R\nRRRRRR\n:Name\n", "R XM R"},
      {"RRRRRRRR\nR(MAX)NR\nRRRRRRRR\n:Name\n", "RRRRRNNR"},  // painted word; ')' takes the 'N'
      {"MRRRRR\nX  x D\nRRRRRR\n:Name\n", "R  x R"},           // border cells are rock
      {"RRRR\nRZ\nRRRR\n:a\nRRRR\n", "RZ"},                    // the grid stops at the name line
  };
  for (const auto& c : cases) {
    const fs::path f = fs::path(dir) / "m.txt";
    std::ofstream(f, std::ios::binary) << c.text;
    const std::vector<std::string> rows = MAPCELLS(f);
    ASSERT_EQ(rows.size(), 3u) << c.text;
    EXPECT_EQ(rows[1], c.wantrow2) << c.text;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}

// Over the campaign every one of the twelve monster kinds must be met somewhere.
// The kinds are counted from the map text by their map symbols, in kind order.
TEST(CampaignMaps, EveryMonsterKindAppearsOnSomeLevel) {
  const std::string symbols = "MNZIXUJDECmx";
  std::vector<std::string> where(symbols.size());
  const std::regex name("Map([0-9]+)\\.txt");
  for (const auto& e : fs::directory_iterator(CAMPAIGN / "MAPS")) {
    std::smatch m;
    const std::string f = e.path().filename().string();
    if (!std::regex_match(f, m, name)) continue;
    for (const std::string& row : MAPCELLS(e.path()))
      for (size_t k = 0; k < symbols.size(); k++)
        if (row.find(symbols[k]) != std::string::npos && where[k].find(m[1].str()) == std::string::npos)
          where[k] += " " + m[1].str();
  }
  for (size_t k = 0; k < symbols.size(); k++)
    EXPECT_FALSE(where[k].empty()) << "monster kind " << k + 1 << " ('" << symbols[k] << "') is on no campaign level";
}
