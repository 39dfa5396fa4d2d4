// Glyph images of a level's own folder (PNG or .nma): loaded as the game
// loads them and handed to the headless back-end as a texture.
#include "display/backend.h"
#include "display/backend_headless.h"
#include "display/glyphs.h"
#include "fuzzfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static BACKEND* be = MAKEHEADLESSBACKEND(64, 64);
  THEBACKEND = be;
  const std::string path = FUZZFILE(data, size, ".png");
  IMAGE img;
  if (LOADGLYPHFILE(path, img)) {
    GLYPHINFO(img.W, img.H);
    int32_t t = be->UPLOADTEXTURE(img);
    if (t) be->DELETETEXTURE(t);
  }
  return 0;
}
