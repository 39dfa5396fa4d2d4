// Shared set-up of the widget tests: a headless back-end behind a thin
// wrapper that hands out queued key events one at a time, spaced in virtual
// time so that each reaches a widget that is already waiting, and a pointer
// the test can move and click.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/events.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "display/zoomwin.h"
#include "shell/harness.h"
#include "ui/widgets.h"

namespace uitest {

// SDL 1.2 key codes used by the tests.
constexpr int32_t KUP = 273, KDOWN = 274, KRIGHT = 275, KLEFT = 276, KPAGEUP = 280,
                  KPAGEDOWN = 281, KRETURN = 13, KESCAPE = 27, KBACKSPACE = 8;

class FAKEBACKEND : public BACKEND {
 public:
  explicit FAKEBACKEND(BACKEND* inner) : INNER(inner) {}
  ~FAKEBACKEND() override { delete INNER; }

  // Queues a key press and release; UNICODE is the typed character (0 = none).
  void KEY(int32_t sym, int32_t unicode) {
    if (QUEUE.empty()) LASTDELIVERY = TICKS();
    BACKENDEVENT d;
    d.TYPE = BE_KEYDOWN;
    d.SYM = sym;
    d.UNICODE = unicode;
    QUEUE.push_back(d);
    BACKENDEVENT u;
    u.TYPE = BE_KEYUP;
    u.SYM = sym;
    QUEUE.push_back(u);
  }
  void TYPE(const std::string& s) {
    for (char c : s) KEY(static_cast<unsigned char>(c), static_cast<unsigned char>(c));
  }
  size_t PENDING() const { return QUEUE.size(); }

  bool OPEN(int32_t& w, int32_t& h) override { return INNER->OPEN(w, h); }
  void CLOSE() override { INNER->CLOSE(); }
  uint64_t TICKS() override { return INNER->TICKS(); }
  void IDLE(int32_t ms) override { INNER->IDLE(ms); }
  bool POLLEVENT(BACKENDEVENT& ev) override {
    // One event every 15 ms of virtual time, the first 15 ms after the last
    // delivery, so a widget's start-up sees nothing pending.
    if (QUEUE.empty()) {
      LASTDELIVERY = TICKS();
      return false;
    }
    if (TICKS() < LASTDELIVERY + 15) return false;
    ev = QUEUE.front();
    QUEUE.pop_front();
    LASTDELIVERY = TICKS();
    return true;
  }
  void MOUSESTATE(int32_t& x, int32_t& y, int32_t& b) override {
    x = MX;
    y = MY;
    b = MB;
    // A click lasts for one look at the buttons.
    if (CLICKONCE) {
      MB = 0;
      CLICKONCE = false;
    }
  }
  void WARPMOUSE(int32_t x, int32_t y) override {}
  bool JOYSTATE(int32_t& x, int32_t& y, bool& b1, bool& b2) override { return false; }
  int32_t UPLOADTEXTURE(const IMAGE& img) override { return INNER->UPLOADTEXTURE(img); }
  void DELETETEXTURE(int32_t h) override { INNER->DELETETEXTURE(h); }
  void BEGINFRAME() override { INNER->BEGINFRAME(); }
  void SETBLEND(BLENDMODE m) override { INNER->SETBLEND(m); }
  void QUAD(int32_t tex, float x1, float y1, float x2, float y2, float u1, float v1, float u2,
            float v2, uint8_t r, uint8_t g, uint8_t b) override {
    INNER->QUAD(tex, x1, y1, x2, y2, u1, v1, u2, v2, r, g, b);
  }
  void ENDFRAME() override { INNER->ENDFRAME(); }
  bool READFRAME(IMAGE& out) override { return INNER->READFRAME(out); }
  int32_t DRAWCALLS() override { return INNER->DRAWCALLS(); }
  bool OPENAUDIO() override { return false; }
  void CLOSEAUDIO() override {}
  int32_t LOADSOUND(const std::string& path) override { return 0; }
  void PLAYSOUND(int32_t c, int32_t h, int32_t l) override {}
  void HALTSOUND(int32_t c) override {}
  bool SOUNDBUSY(int32_t c) override { return false; }
  void SOUNDVOLUME(int32_t c, int32_t v) override {}
  void PAUSEAUDIO(bool p) override {}

  BACKEND* INNER;
  std::deque<BACKENDEVENT> QUEUE;
  uint64_t LASTDELIVERY = 0;
  int32_t MX = 0, MY = 0, MB = 0;
  bool CLICKONCE = false;
};

class UIFIXTURE : public ::testing::Test {
 protected:
  void SetUp() override {
    FAKE = new FAKEBACKEND(MAKEHEADLESSBACKEND(1280, 720));
    THEBACKEND = FAKE;
    INITVIDEO();
    TEXTMODE80X25();
    TEXTCOLOREMULATOR(7);
    TEXTBACKGROUNDEMULATOR(0);
    CLRSCRERASEALL();
    READKEY = 255;
    LASTREADKEY = 255;
    PREVREADKEY = 255;
    AVOID_SLOT_10 = false;
    SHOWSTARS = false;
    REFRESHMENUMOUSE();  // take in the pointer's resting place
    LX = 0;
    LY = 0;
    MODERN_VISUALS = 1;
    IGNORE_BATTR = 1;
  }
  void TearDown() override {
    DONEVIDEO();
    delete THEBACKEND;
    THEBACKEND = nullptr;
  }
  // Pixel position of the centre of text cell (COL, ROW).
  int32_t CELLPX(int col) const { return (SCREEN_WIDTH * (2 * col - 1)) / (2 * VMODE.COL); }
  int32_t CELLPY(int row) const {
    return VIEW_YSTART + (VIEW_HEIGHT * (2 * row - 1)) / (2 * VMODE.ROW);
  }
  // The text of row ROW, columns FROM..TO.
  static std::string ROWTEXT(int row, int from, int to) {
    std::string s;
    for (int x = from; x <= to; x++) s += static_cast<char>(EKRAN[row][x].SYMBOL);
    return s;
  }
  FAKEBACKEND* FAKE = nullptr;
};

}  // namespace uitest
