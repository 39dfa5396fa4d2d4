// Shared set-up of the widget tests: the headless back-end, and keys and
// pointer moves fed through the input script, one event every other frame
// from the next frame on, so each reaches a widget that is already waiting.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/backend_headless.h"
#include "display/events.h"
#include "display/inputscript.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "display/zoomwin.h"
#include "base/harness.h"
#include "ui/widgets.h"

namespace uitest {

class UIFIXTURE : public ::testing::Test {
 protected:
  void SetUp() override {
    THEBACKEND = MAKEHEADLESSBACKEND(640, 360);
    INITVIDEO();
    TEXTMODE80X25();
    TEXTCOLOREMULATOR(7);
    TEXTBACKGROUNDEMULATOR(0);
    CLRSCRERASEALL();
    CLEARINPUTSCRIPT();
    CLEARTYPEDKEYS();
    TAKEMOUSEPRESS();
    READKEY = LASTREADKEY = PREVREADKEY = 255;
    AVOID_SLOT_10 = false;
    SHOWSTARS = false;
    REFRESHMENUMOUSE();  // take in the pointer's resting place
    LX = LY = 0;
  }
  void TearDown() override {
    CLEARINPUTSCRIPT();
    DONEVIDEO();
    delete THEBACKEND;
    THEBACKEND = nullptr;
  }
  // Each entry: a key name (pressed and released), "text CHARS", or
  // "mouse COL ROW BUTTONS" with the pointer put on that text cell.
  void INPUT(const std::vector<std::string>& events) {
    std::string script;
    int64_t f = PUSHEDFRAMES + 2;
    for (const std::string& e : events) {
      int col = 0, row = 0, buttons = 0;
      if (e.rfind("text ", 0) == 0 || e == "close") {
        script += std::to_string(f) + " " + e + "\n";
      } else if (std::sscanf(e.c_str(), "mouse %d %d %d", &col, &row, &buttons) == 3) {
        const int px = VIEW_XSTART + VIEW_WIDTH * (2 * col - 1) / 160;
        const int py = VIEW_YSTART + VIEW_HEIGHT * (2 * row - 1) / 50;
        script += std::to_string(f) + " mouse " + std::to_string(px) + " " + std::to_string(py) +
                  " " + std::to_string(buttons) + "\n";
      } else {
        script += std::to_string(f) + " down " + e + "\n" + std::to_string(f + 1) + " up " + e + "\n";
      }
      f += 2;
    }
    std::string err;
    ASSERT_TRUE(PARSEINPUTSCRIPT(script, "test input", err)) << err;
    // The releases a widget left unread went with the old script: all keys are up.
    LASTREADKEY = PREVREADKEY = 255;
  }
  // The text of row ROW, columns FROM..TO.
  static std::string ROWTEXT(int row, int from, int to) {
    std::string s;
    for (int x = from; x <= to; x++) s += static_cast<char>(EKRAN[row][x].SYMBOL);
    return s;
  }
};

}  // namespace uitest
