// Pushes a full 160 x 100 text screen through RENDERCHAR N times and prints
// cells per second, quads per frame and draw calls per frame.
//
//   bench_render_cells [FRAMES] [--gl] [--modern] [--data DIR]
//
// The headless back-end is the default; --gl draws through the SDL2/OpenGL
// back-end instead (needs a display, e.g. under xvfb-run). --modern draws with
// the modern glyph set (larger images, sheets) instead of the plain one.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/backend_sdl.h"
#include "display/renderer.h"
#include "display/textscreen.h"

int main(int argc, char** argv) {
  int frames = 200;
  bool gl = false, modern = false;
  std::string data = ASHEN_SOURCE_DATA;
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    if (a == "--gl")
      gl = true;
    else if (a == "--modern")
      modern = true;
    else if (a == "--data" && i + 1 < argc)
      data = argv[++i];
    else
      frames = std::max(1, std::atoi(a.c_str()));
  }
  std::error_code ec;
  std::filesystem::current_path(data, ec);
  if (ec) {
    std::fprintf(stderr, "render_cells: data folder %s: %s\n", data.c_str(), ec.message().c_str());
    return 1;
  }
  THEBACKEND = gl ? MAKESDLBACKEND(1280, 720) : MAKEHEADLESSBACKEND(1280, 720);
  MODERN_VISUALS = modern ? 1 : 0;
  IGNORE_BATTR = modern ? 1 : 0;
  INITVIDEO();
  if (!LOADMAINTEXTURES(-1)) {
    std::fprintf(stderr, "render_cells: %s\n", GLYPHLOADERROR.c_str());
    return 1;
  }
  TEXTMODECUSTOM(160, 100);
  // Every cell different: all glyphs, all colour pairs, some 3-D shapes.
  for (int y = 1; y <= 100; y++)
    for (int x = 1; x <= 160; x++) {
      CELLINFO& c = EKRAN[y][x];
      c.SYMBOL = static_cast<unsigned char>(33 + (x * 7 + y * 13) % 222);
      c.ATTR = static_cast<BYTE>((x + y * 3) % 256);
      c.SATURATION = 100;
      c.BRIGHTNESS = 60 + (x + y) % 60;
      c.EFFECT3D = (x % 5 == 0) ? EFFECT3D_BOTH : 0;
    }
  PUSHDISPLAY();  // warm-up
  const auto t0 = std::chrono::steady_clock::now();
  for (int f = 0; f < frames; f++) PUSHDISPLAY();
  const double secs =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double cells = 160.0 * 100.0 * frames;
  std::printf("back-end:           %s, %s glyphs\n", gl ? "SDL2/OpenGL" : "headless",
              modern ? "modern" : "plain");
  std::printf("frames:             %d of 160 x 100 cells\n", frames);
  std::printf("cells per second:   %.0f\n", cells / secs);
  std::printf("frames per second:  %.1f\n", frames / secs);
  if (!gl) std::printf("quads per frame:    %lld\n", static_cast<long long>(HEADLESSQUADS(THEBACKEND)));
  std::printf("draw calls / frame: %d\n", THEBACKEND->DRAWCALLS());
  DONEVIDEO();
  delete THEBACKEND;
  THEBACKEND = nullptr;
  return 0;
}
