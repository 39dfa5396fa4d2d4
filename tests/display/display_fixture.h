// Shared set-up of the display tests: a temporary data folder with tiny glyph
// images, the working folder switched to it, and a fresh headless back-end.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/renderer.h"
#include "display/textscreen.h"
#include "base/paths.h"

namespace displaytest {

// A W x H glyph whose left half is white and right half black (transparent
// once loaded), so mirroring, the three-quarter width and scrolling all show.
inline IMAGE HALFGLYPH(int w = 8, int h = 8) {
  IMAGE img;
  img.W = w;
  img.H = h;
  img.RGBA.assign(size_t(w) * h * 4, 0);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      uint8_t* p = &img.RGBA[(size_t(y) * w + x) * 4];
      uint8_t v = x < w / 2 ? 255 : 0;
      p[0] = p[1] = p[2] = v;
      p[3] = 255;
    }
  return img;
}

inline IMAGE SOLID(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  IMAGE img;
  img.W = w;
  img.H = h;
  img.RGBA.resize(size_t(w) * h * 4);
  for (size_t i = 0; i < img.RGBA.size(); i += 4) {
    img.RGBA[i] = r;
    img.RGBA[i + 1] = g;
    img.RGBA[i + 2] = b;
    img.RGBA[i + 3] = 255;
  }
  return img;
}

struct PIXEL {
  int R, G, B;
};

inline PIXEL AT(const IMAGE& f, int x, int y) {
  const uint8_t* p = &f.RGBA[(size_t(y) * f.W + x) * 4];
  return PIXEL{p[0], p[1], p[2]};
}

// Writes both default glyph sets into DIR: every code the half glyph, code
// 256 a solid white tile.
inline void MAKEGLYPHSETS(const std::filesystem::path& dir) {
  for (const char* set : {"ASCII", "NORM"}) {
    std::filesystem::create_directories(dir / "GFX" / set);
    IMAGE half = HALFGLYPH(), solid = SOLID(8, 8, 255, 255, 255);
    for (int c = LOCHAR; c <= HICHAR; c++)
      ASSERT_TRUE(SAVEPNGFILE((dir / "GFX" / set / (std::to_string(c) + ".png")).string(),
                              c == HICHAR ? solid : half));
  }
}

class DISPLAYFIXTURE : public ::testing::Test {
 protected:
  void SetUp() override {
    OLDCWD = std::filesystem::current_path();
    DIR = std::filesystem::temp_directory_path() /
          ("ashen_display_" + std::to_string(getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(DIR);
    std::filesystem::create_directories(DIR);
    MAKEGLYPHSETS(DIR);
    std::filesystem::current_path(DIR);
    DATAFOLDER = DIR.string();
    MODERN_VISUALS = 0;
    IGNORE_BATTR = 0;
    RENDER_BLACKS = false;
    GARBLEEFFECTWASCALLED = false;
    DEATHEFFECTWASCALLED = false;
    SCROLLEFFECT = 0;
    WINDOWTYPE = W_BORDERLESS;
    OPENGLMODE = MODE_COLORKEY;
    THEBACKEND = MAKEHEADLESSBACKEND(1280, 720);
    INITVIDEO();
    TEXTMODE80X25();
    TEXTCOLOREMULATOR(LIGHTGRAY);
    TEXTBACKGROUNDEMULATOR(BLACK);
    ASSERT_TRUE(LOADMAINTEXTURES(-1)) << GLYPHLOADERROR;
  }
  void TearDown() override {
    DONEVIDEO();
    delete THEBACKEND;
    THEBACKEND = nullptr;
    std::filesystem::current_path(OLDCWD);
    std::filesystem::remove_all(DIR);
  }
  // Draws one frame of the text screen and returns it.
  IMAGE PUSHED() {
    PUSHDISPLAY();
    IMAGE f;
    EXPECT_TRUE(THEBACKEND->READFRAME(f));
    return f;
  }
  std::filesystem::path DIR, OLDCWD;
};

}  // namespace displaytest
