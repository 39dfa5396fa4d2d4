// Where things land on the window: the picture placed in windows of any
// shape (black bars, never cut), nothing drawn into the bars, and the
// message log whose text and frame keep apart in both looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <set>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "display/backend.h"
#include "display/backendforward.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "game/monsters.h"
#include "game/player.h"
#include "game/playerstate.h"
#include "levelfixture.h"
#include "render/hud.h"
#include "render/los.h"
#include "render/view.h"
#include "../tools/codepage.h"
#include "render/messages.h"
#include "shell/engine.h"
#include "shell/startup.h"
#include "test_util.h"
#include "viewfixture.h"

namespace {

struct RECT {
  double X1, Y1, X2, Y2;
};

bool OVERLAP(const RECT& a, const RECT& b) {
  return std::min(a.X2, b.X2) > std::max(a.X1, b.X1) && std::min(a.Y2, b.Y2) > std::max(a.Y1, b.Y1);
}

bool WITHIN(const RECT& inner, const RECT& outer) {
  return inner.X1 >= outer.X1 && inner.Y1 >= outer.Y1 && inner.X2 <= outer.X2 && inner.Y2 <= outer.Y2;
}

// The headless back-end with every quad's texture and rectangle written down.
class RECORDER : public FORWARDBACKEND {
 public:
  struct DRAWN {
    int32_t TEX;
    RECT R;
  };
  RECORDER(int32_t w, int32_t h) : FORWARDBACKEND(MAKEHEADLESSBACKEND(w, h)) {}
  ~RECORDER() override { delete IN; }
  void BEGINFRAME() override {
    QUADS.clear();
    IN->BEGINFRAME();
  }
  void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1, float u2,
            float v2, uint8_t r, uint8_t g, uint8_t b) override {
    QUADS.push_back({tex, RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)}});
    IN->QUAD(tex, x1, y1, x2, y2, u1, v1, u2, v2, r, g, b);
  }
  // Silent: the layout tests need no sound.
  bool OPENAUDIO() override { return true; }
  void CLOSEAUDIO() override {}
  int32_t LOADSOUND(const std::string&) override { return 0; }
  void PLAYSOUND(int32_t, int32_t, int32_t) override {}
  void HALTSOUND(int32_t) override {}
  bool SOUNDBUSY(int32_t) override { return false; }
  void SOUNDVOLUME(int32_t, int32_t) override {}
  void PAUSEAUDIO(bool) override {}

  std::vector<DRAWN> QUADS;
};

// The game's own glyph sets in a window of W x H through the recorder.
class WINDOWFIXTURE : public ::testing::Test {
 protected:
  void OPENWINDOW(int32_t w, int32_t h, BYTE look) {
    CLOSEWINDOW();
    OLDCWD = std::filesystem::current_path();
    std::filesystem::current_path(ASHEN_SOURCE_DATA);
    SAVED = THEBACKEND;
    REC = new RECORDER(w, h);
    THEBACKEND = REC;
    INITVIDEO();
    SETVISUALS(look);
    ASSERT_TRUE(GLYPHLOADERROR.empty()) << GLYPHLOADERROR;
  }
  void CLOSEWINDOW() {
    if (!REC) return;
    DONEVIDEO();
    delete REC;
    REC = nullptr;
    THEBACKEND = SAVED;
    std::filesystem::current_path(OLDCWD);
  }
  void TearDown() override { CLOSEWINDOW(); }

  RECORDER* REC = nullptr;
  BACKEND* SAVED = nullptr;
  std::filesystem::path OLDCWD;
};

RECT PICTURE() {
  return RECT{double(VIEW_XSTART), double(VIEW_YSTART), double(VIEW_XSTART + VIEW_WIDTH),
              double(VIEW_YSTART + VIEW_HEIGHT)};
}

// ---------------------------------------------------------------- placement

TEST_F(WINDOWFIXTURE, ThePictureIsTheLargestCentredSixteenByNine) {
  struct {
    int32_t W, H;    // window
    int32_t VW, VH;  // picture
    int32_t X, Y;    // its top-left corner
  } cases[] = {
      {1280, 720, 1280, 720, 0, 0},     {1920, 1200, 1920, 1080, 0, 60},
      {1024, 768, 1024, 576, 0, 96},    {720, 1280, 720, 405, 0, 437},
      {2560, 720, 1280, 720, 640, 0},   {3440, 1440, 2560, 1440, 440, 0},
      {2560, 1080, 1920, 1080, 320, 0}, {641, 360, 640, 360, 0, 0},
  };
  for (const auto& c : cases) {
    OPENWINDOW(c.W, c.H, 1);
    SCOPED_TRACE(std::to_string(c.W) + "x" + std::to_string(c.H));
    EXPECT_EQ(VIEW_WIDTH, c.VW);
    EXPECT_EQ(VIEW_HEIGHT, c.VH);
    EXPECT_EQ(VIEW_XSTART, c.X);
    EXPECT_EQ(VIEW_YSTART, c.Y);
    // The play screen's 45 x 25 cells span exactly the picture.
    TEXTMODECUSTOM(45, 25);
    TOFFX = TOFFY = 0;
    EXPECT_EQ(TEXTTOPIXELX(0), c.X);
    EXPECT_EQ(TEXTTOPIXELX(45), c.X + c.VW);
    EXPECT_EQ(TEXTTOPIXELY(0), c.Y);
    EXPECT_EQ(TEXTTOPIXELY(25), c.Y + c.VH);
    // A half-cell shift moves by half a cell of the picture, whatever the window.
    TOFFY = 0.5;
    EXPECT_NEAR(TEXTTOPIXELY(0) - c.Y, c.VH / 50.0, 1.0);
    TOFFY = 0;
    // The pointer maps into the picture only.
    int32_t col = 0, row = 0;
    EXPECT_TRUE(PIXELTOTEXTCELL(c.X + c.VW / 2, c.Y + c.VH / 2, col, row));
    EXPECT_EQ(col, 23);
    EXPECT_EQ(row, 13);
    EXPECT_TRUE(PIXELTOTEXTCELL(c.X, c.Y, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 1);
    if (c.X > 0) {
      EXPECT_FALSE(PIXELTOTEXTCELL(c.X - 1, c.Y + 5, col, row));
    }
    if (c.Y > 0) {
      EXPECT_FALSE(PIXELTOTEXTCELL(c.X + 5, c.Y - 1, col, row));
    }
  }
}

TEST_F(WINDOWFIXTURE, GlyphsReachingPastThePictureAreCutAtItsEdge) {
  OPENWINDOW(1024, 768, 1);
  TEXTMODECUSTOM(45, 25);
  // Row 26 (the view's hidden bottom row) lies wholly in the bar below;
  // a swollen glyph on row 25 reaches into it; column 1 at a shake to the left.
  STARTUPDATESCREEN();
  RENDERCHAR(10, 26, 'M', 15, 100, 100, 0, -1, -1, 100, false);
  EXPECT_TRUE(REC->QUADS.empty()) << "a glyph below the picture was drawn";
  RENDERCHAR(10, 25, 'M', 15, 100, 100, 0, -1, -1, 140, false);
  RENDERCHAR(1, 1, 'M', 15, 100, 100, 0, -1, -1, 140, false);
  ENDUPDATESCREEN();
  ASSERT_EQ(REC->QUADS.size(), 2u);
  for (const auto& q : REC->QUADS) EXPECT_TRUE(WITHIN(q.R, PICTURE()));
  EXPECT_EQ(REC->QUADS[0].R.Y2, VIEW_YSTART + VIEW_HEIGHT);
  EXPECT_EQ(REC->QUADS[1].R.Y1, VIEW_YSTART);
  // The cut glyph keeps its texture in place: the visible part of row 25's
  // swollen glyph shows the upper part of the image, so the bar pixels are black.
  IMAGE f;
  ASSERT_TRUE(THEBACKEND->READFRAME(f));
  for (int y = 0; y < f.H; y++)
    for (int x = 0; x < f.W; x++) {
      if (y >= VIEW_YSTART && y < VIEW_YSTART + VIEW_HEIGHT) continue;
      const uint8_t* p = &f.RGBA[(size_t(y) * f.W + x) * 4];
      ASSERT_EQ(p[0] + p[1] + p[2], 0) << "pixel " << x << "," << y << " in the bar";
    }
}

// ---------------------------------------------------------------- message log

class MESSAGELOG : public WINDOWFIXTURE {
 protected:
  // Seven full lines of wide letters in the log, drawn once.
  void DRAWFULLLOG() {
    MYNUMBER = 1;
    PLAYERHEALTH[1] = 100;
    CLEARMESSAGES();
    for (int i = 1; i <= TXT_NUMLINES; i++)
      INFORM(1, std::string(TXT_LINELEN - 1, 'W') + static_cast<char>('A' + i), 7);
    INPUTCOUNTER = 0;
    TOFFX = TOFFY = 0;
    TEXTMODECUSTOM(45, 25);
    STARTUPDATESCREEN();
    DRAWMESSAGES();
    ENDUPDATESCREEN();
  }
  std::vector<RECT> QUADSOF(const std::vector<int>& codes) {
    std::vector<RECT> r;
    for (const auto& q : REC->QUADS)
      for (int c : codes)
        if (TEXTURE[c] != 0 && q.TEX == TEXTURE[c]) r.push_back(q.R);
    return r;
  }
  std::vector<RECT> TEXTQUADS() {
    std::vector<int> letters;
    for (int c = 'A'; c <= 'W'; c++) letters.push_back(c);
    return QUADSOF(letters);
  }
};

// Rows (from the top) and columns (from the left) of the backdrop sheet that
// belong to its frame: the light border around the dark panel, read from
// the committed image itself.
void SHEETBORDER(int& top, int& bottom, int& left, int& right, int& w, int& h) {
  IMAGE img;
  ASSERT_TRUE(LOADIMAGEFILE(std::string(ASHEN_SOURCE_DATA) + "/GFX/NORM/213.png", img));
  w = img.W;
  h = img.H;
  auto light = [&img](int x, int y) {
    const uint8_t* p = &img.RGBA[(size_t(y) * img.W + x) * 4];
    return p[0] + p[1] + p[2] > 3 * 80;
  };
  top = bottom = left = right = 0;
  while (top < h && light(w / 2, top)) top++;
  while (bottom < h && light(w / 2, h - 1 - bottom)) bottom++;
  while (left < w && light(left, h / 2)) left++;
  while (right < w && light(w - 1 - right, h / 2)) right++;
  ASSERT_GT(top, 0);
  ASSERT_LT(top, h / 4);
  ASSERT_GT(left, 0);
}

TEST_F(MESSAGELOG, ModernTextSitsInsideTheBackdropsFrame) {
  int top = 0, bottom = 0, left = 0, right = 0, w = 1, h = 1;
  SHEETBORDER(top, bottom, left, right, w, h);
  for (auto size : {std::pair<int, int>{1280, 720}, {1920, 1080}, {1024, 768}, {2560, 720}, {641, 361}}) {
    SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second));
    OPENWINDOW(size.first, size.second, 1);
    DRAWFULLLOG();
    std::vector<RECT> back = QUADSOF({213});
    ASSERT_EQ(back.size(), 64u);
    RECT outer = back[0];
    for (const RECT& r : back) {
      outer.X1 = std::min(outer.X1, r.X1);
      outer.Y1 = std::min(outer.Y1, r.Y1);
      outer.X2 = std::max(outer.X2, r.X2);
      outer.Y2 = std::max(outer.Y2, r.Y2);
    }
    EXPECT_TRUE(WITHIN(outer, PICTURE()));
    // The panel inside the frame, in window pixels.
    const double sx = (outer.X2 - outer.X1) / w, sy = (outer.Y2 - outer.Y1) / h;
    const RECT panel{outer.X1 + left * sx, outer.Y1 + top * sy, outer.X2 - right * sx,
                     outer.Y2 - bottom * sy};
    std::vector<RECT> text = TEXTQUADS();
    ASSERT_EQ(text.size(), size_t(TXT_NUMLINES * TXT_LINELEN));
    for (const RECT& t : text)
      EXPECT_TRUE(WITHIN(t, panel)) << "text cell " << t.X1 << "," << t.Y1 << "-" << t.X2 << ","
                                    << t.Y2 << " outside the panel " << panel.X1 << ","
                                    << panel.Y1 << "-" << panel.X2 << "," << panel.Y2;
    // And the lines keep clear of one another.
    for (size_t a = 0; a < text.size(); a++)
      for (size_t b = a + 1; b < text.size(); b++) ASSERT_FALSE(OVERLAP(text[a], text[b]));
  }
}

TEST_F(MESSAGELOG, PlainFrameLinesAndTextNeverShareACell) {
  for (auto size : {std::pair<int, int>{1280, 720}, {1024, 768}, {2560, 720}}) {
    SCOPED_TRACE(std::to_string(size.first) + "x" + std::to_string(size.second));
    OPENWINDOW(size.first, size.second, 0);
    DRAWFULLLOG();
    std::vector<RECT> text = TEXTQUADS();
    std::vector<RECT> corner = QUADSOF({FRAMECORNERGLYPH});
    std::vector<RECT> top = QUADSOF({FRAMEHLINEGLYPH});
    std::vector<RECT> side = QUADSOF({FRAMEVLINEGLYPH});
    ASSERT_EQ(text.size(), size_t(TXT_NUMLINES * TXT_LINELEN));
    ASSERT_EQ(corner.size(), 1u);
    ASSERT_EQ(top.size(), size_t(LOGFRAMEWIDTH - 1));
    ASSERT_EQ(side.size(), size_t(TXT_NUMLINES)) << "one side piece beside each line";
    double textleft = 1e9, texttop = 1e9, textbottom = 0;
    for (const RECT& t : text) {
      textleft = std::min(textleft, t.X1);
      texttop = std::min(texttop, t.Y1);
      textbottom = std::max(textbottom, t.Y2);
      for (const auto* frame : {&corner, &top, &side})
        for (const RECT& f : *frame) ASSERT_FALSE(OVERLAP(t, f)) << "text over the frame";
    }
    // The top line lies right above the first line, the side line left of the
    // text and beside the lines only (nothing below the last line).
    for (const RECT& f : top) {
      EXPECT_LE(f.Y2, texttop);
      EXPECT_GE(f.Y2, texttop - 1);
    }
    EXPECT_LE(corner[0].Y2, texttop);
    for (const RECT& f : side) {
      EXPECT_LE(f.X2, textleft);
      EXPECT_GE(f.Y1, texttop - 1);
      EXPECT_LE(f.Y2, textbottom + 1);
    }
    for (const auto& q : REC->QUADS) EXPECT_TRUE(WITHIN(q.R, PICTURE()));
  }
}

// ---------------------------------------------------------------- whole frames

// Lit pixels of F inside and outside rectangle R.
void COUNTLIT(const IMAGE& f, const RECT& r, int64_t& in, int64_t& out) {
  in = out = 0;
  for (int y = 0; y < f.H; y++)
    for (int x = 0; x < f.W; x++) {
      const uint8_t* p = &f.RGBA[(size_t(y) * f.W + x) * 4];
      if (p[0] + p[1] + p[2] == 0) continue;
      (x >= r.X1 && x < r.X2 && y >= r.Y1 && y < r.Y2 ? in : out)++;
    }
}

// Runs generated level 5 for 90 frames, picking up weapons (which writes to
// the log), and returns the last frame.
IMAGE PLAYFRAME(const TempDir& dir, int w, int h, int look, bool gl) {
  const std::string tag = std::to_string(w) + "x" + std::to_string(h) + "_" + std::to_string(look) + (gl ? "_gl" : "");
  const std::string user = dir.path + "/user_" + tag;
  std::filesystem::create_directories(user);
  {
    std::ofstream ini(user + "/MONSTER.INI", std::ios::binary);
    const char bytes[6] = {1, 5, 5, 0, 0, static_cast<char>(look)};
    ini.write(bytes, 6);
  }
  std::ofstream(dir.path + "/walk.txt") << "10 down d\n30 up d\n34 down s\n50 up s\n52 down d\n70 up d\n";
  const std::string shot = dir.path + "/" + tag + ".png";
  std::string cmd = gl ? "xvfb-run -a -s '-screen 0 " + std::to_string(w) + "x" + std::to_string(h) + "x24' " : "";
  cmd += std::string("'") + ASHEN_BINARY + "'" + (gl ? "" : " --headless") + " --frames 90 --size " +
         std::to_string(w) + "x" + std::to_string(h) + " --seed 3 --data '" + ASHEN_SOURCE_DATA +
         "' --user-dir '" + user + "' --input '" + dir.path + "/walk.txt' --screenshot '" + shot +
         "' 5 NOSOUND > '" + dir.path + "/" + tag + ".log' 2>&1";
  IMAGE f;
  EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
  EXPECT_TRUE(LOADIMAGEFILE(shot, f)) << shot;
  return f;
}

// The picture of a W x H window, worked out here: the largest 16:9 rectangle, centred.
RECT EXPECTEDPICTURE(int w, int h) {
  double vw = w, vh = h;
  if (w * 9 > h * 16) vw = h * 16 / 9; else vh = w * 9 / 16;
  vw = double(int(vw));
  vh = double(int(vh));
  const double x = int((w - vw) / 2), y = int((h - vh) / 2);
  return RECT{x, y, x + vw, y + vh};
}

TEST(WholeFrames, EveryWindowShowsTheWholePictureAndNothingInTheBars) {
  TempDir dir;
  for (auto size : {std::pair<int, int>{2560, 720}, {1024, 768}, {720, 1280}})
    for (int look : {1, 0}) {
      const int w = size.first, h = size.second;
      SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + (look ? " modern" : " plain"));
      IMAGE f = PLAYFRAME(dir, w, h, look, false);
      ASSERT_EQ(f.W, w);
      ASSERT_EQ(f.H, h);
      const RECT pic = EXPECTEDPICTURE(w, h);
      int64_t in = 0, out = 0;
      COUNTLIT(f, pic, in, out);
      EXPECT_EQ(out, 0) << "pixels drawn into the black bars";
      EXPECT_GT(in, 1000);
      // The help bar along the top and the message log at the bottom right
      // are both on screen.
      const double pw = pic.X2 - pic.X1, ph = pic.Y2 - pic.Y1;
      int64_t bar = 0, log = 0, o = 0;
      COUNTLIT(f, RECT{pic.X1, pic.Y1, pic.X1 + pw / 2, pic.Y1 + ph / 50}, bar, o);
      COUNTLIT(f, RECT{pic.X1 + pw * 0.68, pic.Y1 + ph * 0.86, pic.X2, pic.Y2}, log, o);
      EXPECT_GT(bar, 20) << "help bar missing";
      EXPECT_GT(log, 20) << "message log missing";
    }
}

bool HAVEXVFB() { return RUNCOMMAND("command -v xvfb-run").CODE == 0; }

TEST(WholeFrames, TheOpenGLWindowPlacesThePictureLikeTheHeadlessOne) {
  if (!HAVEXVFB()) GTEST_SKIP() << "xvfb-run is not installed";
  TempDir dir;
  for (auto size : {std::pair<int, int>{2560, 720}, {1024, 768}}) {
    const int w = size.first, h = size.second;
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    IMAGE gl = PLAYFRAME(dir, w, h, 1, true);
    IMAGE hl = PLAYFRAME(dir, w, h, 1, false);
    ASSERT_EQ(gl.W, w);
    ASSERT_EQ(gl.H, h);
    const RECT pic = EXPECTEDPICTURE(w, h);
    int64_t in = 0, out = 0, hin = 0, hout = 0;
    COUNTLIT(gl, pic, in, out);
    COUNTLIT(hl, pic, hin, hout);
    EXPECT_EQ(out, 0) << "the OpenGL window drew into the bars";
    EXPECT_GT(in, 1000);
    // Same picture within a few per cent of lit pixels (rasterisers differ at edges).
    EXPECT_NEAR(double(in), double(hin), 0.05 * double(hin));
  }
}

// ---------------------------------------------------------------- plain look

// Every map symbol of the game around the player, near enough to be seen.
const std::vector<std::string> VOCABULARY = {
    "RRRRRRRRRRRRRRRRRRRR",  // 10
    "R 0F\"T WV G ^ a s dR",  // 9
    "R q 1 2 3 4 5 6 7 8R",  // 8
    "R 9 H Y . [ ] { } ?R",  // 7
    "R + , _ S ' O $ M NR",  // 6
    "R Z I X U J D E C mR",  // 5
    "R x    $P          R",  // 4
    "R        (ab)      R",  // 3
    "R                  R",  // 2
    "RRRRRRRRRRRRRRRRRRRR",  // 1
};

// A code-page character that reads as writing (a letter, a currency sign,
// punctuation of other languages, a mathematical sign that means nothing in
// play) rather than as a picture (shades, blocks, lines).
bool READSASTEXT(uint32_t u) {
  static const std::set<uint32_t> signs = {0xA2, 0xA3, 0xA5, 0x20A7, 0x192, 0xAA, 0xBA, 0xBF,
                                           0x2310, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB, 0xB1,
                                           0x221E, 0x2265, 0x2264, 0xF7, 0x2248, 0xB0, 0x221A,
                                           0x207F, 0xB2, 0xB5, 0xDF};
  return std::iswalpha(static_cast<wint_t>(u)) || signs.count(u) > 0;
}

// The plain-look column of docs/glyphs.md for every code.
std::map<int, std::string> PLAINCOLUMN() {
  std::map<int, std::string> rows;
  std::ifstream f(std::string(ASHEN_SOURCE_DATA) + "/../docs/glyphs.md");
  std::string line;
  while (std::getline(f, line)) {
    if (line.size() < 4 || line[0] != '|' || !std::isdigit(static_cast<unsigned char>(line[2]))) continue;
    const size_t a = line.find('|', 1), b = line.find(" | ", a + 1);
    rows[std::atoi(line.c_str() + 2)] = line.substr(a + 2, b - a - 2);
  }
  return rows;
}

class PLAINLOOK : public leveltest::LEVELFIXTURE {};

// Draws a level holding every map symbol, the HUD with keys, weapons and
// messages, and checks each glyph code drawn above 126: it must not show a
// code-page letter or sign where the game means a thing.
TEST_F(PLAINLOOK, EveryCodeDrawnShowsASymbolNotALetter) {
  DONEVIDEO();
  delete THEBACKEND;
  RECORDER* rec = new RECORDER(1280, 720);
  THEBACKEND = rec;
  INITVIDEO();
  STYLE(0);
  LEVEL(VOCABULARY);
  STILLVIEWER();
  PLAYERHEALTH[1] = 100;
  for (int k = 1; k <= 5; k++) KEYS[1][k] = true;
  for (int n = 1; n <= 9; n++) WEAPONPRESENT[1][n] = true;
  CLEARMESSAGES();
  INFORM(1, "Picked up a backpack full of ammo for every gun", 7);
  std::set<int> drawn;
  for (int frame = 0; frame < 6; frame++) {
    TEXTMODECUSTOM(45, 25);
    STARTUPDATESCREEN();
    DRAWVIEW40(PLAYERX[1], PLAYERY[1], 33, 25, false, true);
    REDRAWWEAPONS(1);
    DRAWHELPBAR();
    DISPLAYINVENTORY(1);
    DRAWMESSAGES();
    ENDUPDATESCREEN();
    for (const auto& q : rec->QUADS)
      for (int c = 127; c <= 255; c++)
        if (TEXTURE[c] != 0 && q.TEX == TEXTURE[c]) drawn.insert(c);
  }
  // The frame must have drawn the things under test.
  for (int c : {128, 141, 160, 168, 154, 202, 179, 196, 218})
    EXPECT_TRUE(drawn.count(c)) << "code " << c << " was not drawn";
  const std::map<int, std::string> plain = PLAINCOLUMN();
  std::string seen;
  for (int c : drawn) seen += " " + std::to_string(c);
  RecordProperty("codes", seen);
  for (int c : drawn) {
    const uint32_t u = CP437UNICODE(c);
    if (!READSASTEXT(u)) continue;
    ASSERT_TRUE(plain.count(c)) << c;
    const std::string letter = "`" + UTF8OF(u) + "`";
    EXPECT_NE(plain.at(c).substr(0, letter.size()), letter)
        << "the plain look draws code " << c << " as the letter " << UTF8OF(u);
  }
}

// A key reads as a key in both looks: the map's per-cent sign and the HUD's
// key list use code 168 (a drawn key in either glyph set).
TEST_F(PLAINLOOK, KeysAreKeysInBothLooks) {
  for (BYTE look : {1, 0}) {
    STYLE(look);
    LEVEL(VOCABULARY);
    MYNUMBER = 1;
    PLAYERX_[1] = PLAYERX[1];
    PLAYERY_[1] = PLAYERY[1];
    INPUTCOUNTER = 1;
    DRAW_MAP = false;
    // (15, 9) holds the key 'a'.
    TEXTMODECUSTOM(45, 25);
    EXPECT_EQ(MAP[15][9], '%');
    EXPECT_EQ(CELLDRAWINFO(PLAYERX[1], PLAYERY[1], 15, 9, 1, 1).SYMBOL, 168) << int(look);
    KEYS[1][1] = true;
    STARTUPDATESCREEN();
    DISPLAYINVENTORY(1);
    ENDUPDATESCREEN();
    EXPECT_EQ(EKRAN[4][35].SYMBOL, 168) << int(look);
  }
}

// ---------------------------------------------------------------- hidden rows

class HIDDENROW : public leveltest::LEVELFIXTURE {};

// The view keeps its bottom row free; a monster standing there is not drawn,
// like the cells of that row, whether the row falls inside the picture (the
// default zoom's 21-row window) or below it (the 25-row window on a 4:3
// screen, where it would land in the black bar).
TEST_F(HIDDENROW, MonstersOnTheHiddenBottomRowAreNotDrawn) {
  std::vector<std::string> rows(30, "R" + std::string(28, ' ') + "R");
  rows.front() = rows.back() = std::string(30, 'R');
  // Rows are listed from the top (30) down; the player stands at (15, 15).
  rows[30 - 15][14] = 'P';
  DONEVIDEO();
  delete THEBACKEND;
  RECORDER* rec = new RECORDER(1024, 768);
  THEBACKEND = rec;
  INITVIDEO();
  STYLE(1);
  for (int sizey : {21, 25}) {
    SCOPED_TRACE("window of " + std::to_string(sizey) + " rows");
    const int hidden = 15 - (sizey - 1) / 2;  // the window's bottom map row
    std::vector<std::string> level = rows;
    level[30 - hidden][15] = 'M';        // (16, hidden): on the hidden row
    level[30 - (hidden + 1)][13] = 'M';  // (14, hidden + 1): one row up, shown
    LEVEL(level);
    STILLVIEWER();
    ASSERT_EQ(NUMBEROFMONSTERS, 2);
    for (int m = 1; m <= 2; m++) {
      MONSTERX_[m] = MONSTERX[m];
      MONSTERY_[m] = MONSTERY[m];
    }
    for (int frame = 0; frame < 4; frame++) {
      // Seen a moment ago (the player has just stepped up): its sight memory
      // still holds, as in play.
      MAPLOS[16][hidden] = 120;
      TEXTMODECUSTOM(45, 25);
      STARTUPDATESCREEN();
      DRAWVIEW40(PLAYERX[1], PLAYERY[1], 33, static_cast<BYTE>(sizey), false, true);
      ENDUPDATESCREEN();
    }
    int drawn = 0;
    for (const auto& q : rec->QUADS)
      for (int c : {127, 135})
        if (q.TEX == TEXTURE[c]) {
          drawn++;
          EXPECT_TRUE(WITHIN(q.R, PICTURE()));
        }
    EXPECT_EQ(drawn, 1) << "only the monster above the hidden row is drawn";
    if (sizey != 21) continue;
    // A view that draws its bottom row (the save-game preview) shows both.
    MAPLOS[16][hidden] = 120;
    STARTUPDATESCREEN();
    DRAWVIEW40(PLAYERX[1], PLAYERY[1], 33, 21, false, false);
    ENDUPDATESCREEN();
    drawn = 0;
    for (const auto& q : rec->QUADS)
      for (int c : {127, 135}) drawn += q.TEX == TEXTURE[c];
    EXPECT_EQ(drawn, 2);
  }
}

}  // namespace
