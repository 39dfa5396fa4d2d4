// Glyph loading: the default glyph sets "GFX/NORM" and "GFX/ASCII" and the
// per-map glyphs under "CAMPAIGN/<game>/GFX_MAPS/<map>/", turned into
// back-end textures with black as the transparent colour.
#include "display/glyphs.h"

#include <algorithm>
#include <filesystem>

#include "base/paths.h"
#include "base/settings.h"

IMAGE TEXTUREIMAGE[HICHAR + 1];
int32_t TEXTURE[HICHAR + 1];
TINFO TEXINFO[HICHAR + 1];
std::string GLYPHLOADERROR;

namespace {

std::string SETNAME() { return MODERN_VISUALS == 1 ? "NORM" : "ASCII"; }

std::string DEFAULTGLYPH(int code) {
  return "GFX/" + SETNAME() + "/" + std::to_string(code) + ".png";
}

// Puts the image of CODE into place and replaces its texture.
void INSTALLGLYPH(int code, IMAGE&& img) {
  TEXTUREIMAGE[code] = std::move(img);
  const IMAGE& im = TEXTUREIMAGE[code];
  TEXINFO[code] = GLYPHINFO(im.W, im.H);
  if (THEBACKEND && TEXTURE[code]) THEBACKEND->DELETETEXTURE(TEXTURE[code]);
  TEXTURE[code] = 0;
  if (THEBACKEND && im.W > 0 && im.H > 0) TEXTURE[code] = THEBACKEND->UPLOADTEXTURE(im);
}

std::string DATAFOLDERNAME() {
  if (!DATAFOLDER.empty()) return DATAFOLDER;
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

}  // namespace

void APPLYCOLORKEY(IMAGE& img) {
  const size_t n = std::min(img.RGBA.size() / 4, static_cast<size_t>(img.W) * img.H);
  for (size_t i = 0; i < n; i++) {
    uint8_t* p = &img.RGBA[i * 4];
    if (p[0] == 0 && p[1] == 0 && p[2] == 0) p[3] = 0;
  }
}

bool LOADGLYPHFILE(const std::string& rel, IMAGE& img) {
  img = IMAGE();
  if (!LOADIMAGEFILE(RESOLVEPATH(rel), img) || img.W <= 0 || img.H <= 0) {
    img = IMAGE();
    return false;
  }
  APPLYCOLORKEY(img);
  return true;
}

TINFO GLYPHINFO(int32_t w, int32_t h) {
  TINFO t;
  t.SIZEX = w;
  t.SIZEY = h;
  t.ITS_LARGE = w == LARGETEXTURESIZE || h == LARGETEXTURESIZE || w >= 192 || h >= 192;
  if (t.ITS_LARGE) {
    // A sheet narrower or lower than one tile still counts as one tile that
    // way, so tile coordinates never divide by zero.
    t.NUMTEXX = std::max(1, w / LARGETEXTURESIZE);
    t.NUMTEXY = std::max(1, h / LARGETEXTURESIZE);
  }
  return t;
}

bool LOADMAINTEXTURES(int32_t mapspecific) {
  GLYPHLOADERROR.clear();
  if (mapspecific == -1) {
    for (int code = LOCHAR; code <= HICHAR; code++) {
      IMAGE img;
      LOADGLYPHFILE(DEFAULTGLYPH(code), img);
      INSTALLGLYPH(code, std::move(img));
    }
  } else {
    // The box-drawing characters 179..218 always keep their default glyphs.
    const std::string base =
        "CAMPAIGN/" + GAME + "/GFX_MAPS/" + std::to_string(mapspecific) + "/";
    for (int code = 123; code <= 254; code++) {
      if (code >= 179 && code <= 218) continue;
      IMAGE img;
      const std::string c = std::to_string(code);
      if (!LOADGLYPHFILE(base + c + ".nma", img) && !LOADGLYPHFILE(base + c + ".png", img))
        LOADGLYPHFILE(DEFAULTGLYPH(code), img);
      INSTALLGLYPH(code, std::move(img));
    }
  }
  if (TEXINFO[LOCHAR].SIZEX <= 0) {
    GLYPHLOADERROR = "glyph file " + DEFAULTGLYPH(LOCHAR) +
                     " is missing or unreadable (data folder searched: " + DATAFOLDERNAME() + ")";
    return false;
  }
  return true;
}

void FREESDLSURFACES() {
  for (int code = LOCHAR; code <= HICHAR; code++) TEXTUREIMAGE[code] = IMAGE();
}
