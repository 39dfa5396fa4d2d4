// A back-end for input tests: queued events, a settable pointer, controller
// and clock; everything else does nothing.
#pragma once
#include <deque>

#include "display/backend.h"
#include "display/events.h"
#include "display/input.h"
#include "display/inputscript.h"
#include "display/renderer.h"
#include "game/playerstate.h"
#include "shell/gameflow.h"
#include "base/harness.h"
#include "shell/startup.h"
#include "ui/keyconfig.h"

class FAKEBACKEND : public BACKEND {
 public:
  std::deque<BACKENDEVENT> QUEUE;
  int32_t MX = 0, MY = 0, MB = 0;
  int32_t WARPS = 0;
  bool JOY = false;
  int32_t JX = 128, JY = 128;
  bool JB1 = false, JB2 = false;
  uint64_t CLOCK = 0;

  void KEY(int32_t sym, bool down, int32_t unicode = 0) {
    BACKENDEVENT e;
    e.TYPE = down ? BE_KEYDOWN : BE_KEYUP;
    e.SYM = sym;
    e.UNICODE = unicode;
    QUEUE.push_back(e);
  }

  bool OPEN(int32_t& w, int32_t& h) override { return true; }
  void CLOSE() override {}
  uint64_t TICKS() override { return CLOCK; }
  void IDLE(int32_t ms) override { CLOCK += ms > 1 ? ms : 1; }
  bool POLLEVENT(BACKENDEVENT& ev) override {
    if (QUEUE.empty()) return false;
    ev = QUEUE.front();
    QUEUE.pop_front();
    return true;
  }
  void MOUSESTATE(int32_t& x, int32_t& y, int32_t& b) override {
    x = MX;
    y = MY;
    b = MB;
  }
  void WARPMOUSE(int32_t x, int32_t y) override {
    MX = x;
    MY = y;
    WARPS++;
  }
  bool JOYSTATE(int32_t& x, int32_t& y, bool& b1, bool& b2) override {
    x = JX;
    y = JY;
    b1 = JB1;
    b2 = JB2;
    return JOY;
  }
  // Drawing and sound do nothing.
  int32_t UPLOADTEXTURE(const IMAGE&) override { return 1; }
  void DELETETEXTURE(int32_t) override {}
  void BEGINFRAME() override {}
  void SETBLEND(BLENDMODE) override {}
  void QUAD(int32_t, float, float, float, float, float, float, float, float, uint8_t, uint8_t,
            uint8_t) override {}
  void ENDFRAME() override {}
  bool READFRAME(IMAGE&) override { return false; }
  int32_t DRAWCALLS() override { return 0; }
  bool OPENAUDIO() override { return false; }
  void CLOSEAUDIO() override {}
  int32_t LOADSOUND(const std::string&) override { return 0; }
  void PLAYSOUND(int32_t, int32_t, int32_t) override {}
  void HALTSOUND(int32_t) override {}
  bool SOUNDBUSY(int32_t) override { return false; }
  void SOUNDVOLUME(int32_t, int32_t) override {}
  void PAUSEAUDIO(bool) override {}
};

// Puts the input globals into a known state around each test.
class INPUTFIXTURE : public ::testing::Test {
 protected:
  FAKEBACKEND FAKE;
  void SetUp() override {
    THEBACKEND = &FAKE;
    HARNESS = HARNESSOPTIONS();
    HARNESS.HEADLESS = true;  // a wait for a key that never comes ends the test
    HARNESS.FRAMES = 1000;
    PUSHEDFRAMES = 0;
    CLEARINPUTSCRIPT();
    RESETKEYCONFIG(1);
    for (int i = 1; i <= KEYCOUNT; i++) KEYSTATUS[i].PRESSED = false;
    CLEARTYPEDKEYS();
    READKEY = LASTREADKEY = PREVREADKEY = 255;
    ORIGINAL = DEFINED = DEFAULTKEYMAP();
    NEW_CONTROL_MODE = true;
    APPLICATIONACTIVE = true;
    SCREEN_WIDTH = 1280;
    SCREEN_HEIGHT = 720;
    MYNUMBER = 1;
    NUMBEROFPLAYERS = 1;
    LINKACTIVE = false;
    VICTORY = 0;
    RESETPLAYERSTATE();
    RESETINPUTSTATE();
    for (int p = 0; p <= 2; p++) {
      TYPINGMODE[p] = false;
      INTANK[p] = 0;
      CHOSENWEAPON[p] = CHOSENITEM[p] = 0;
      PLAYERX[p] = 10;
      PLAYERY[p] = 10;
    }
    MCOORD = MCOORDTYPE();
  }
  void TearDown() override {
    CLEARINPUTSCRIPT();
    THEBACKEND = nullptr;
    HARNESS = HARNESSOPTIONS();
  }
  // Press or release the key bound to an action, then run one input cycle.
  void HOLD(int action, bool down) { FAKE.KEY(KEYSTATUS[action].KEY, down); }
  void DRAIN() {
    while (!FAKE.QUEUE.empty()) HANDLESDLEVENTS();
  }
  // One input cycle of the engine.
  void CYCLE() {
    GETPORT60FORINPUTCYCLE();
    GETINPUT();
  }
};
