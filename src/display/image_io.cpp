// Image files through SDL2_image: the glyph images (PNG, and ".nma" files that
// are PNG images under another name) and screenshots.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

#include "base/safefile.h"
#include "display/backend.h"

BACKEND* THEBACKEND = nullptr;

namespace {
// Glyph images are small (the largest sheets are 256 x 256): these limits
// keep a broken or hostile file from costing much memory or time.
constexpr size_t MAXIMAGEBYTES = 4u << 20;
constexpr uint32_t MAXIMAGESIDE = 2048;

uint32_t bigEndian32(const std::string& d, size_t o) {
  return (uint32_t(uint8_t(d[o])) << 24) | (uint32_t(uint8_t(d[o + 1])) << 16) |
         (uint32_t(uint8_t(d[o + 2])) << 8) | uint32_t(uint8_t(d[o + 3]));
}
}  // namespace

bool LOADIMAGEFILE(const std::string& path, IMAGE& out) {
  std::string data, err;
  const FILEREAD r = READFILESAFE(path, MAXIMAGEBYTES, data, err);
  if (r != FR_OK) {
    if (r != FR_MISSING) std::fprintf(stderr, "ashenreach: %s; image not loaded\n", err.c_str());
    return false;
  }
  // Only PNG images, whose size is read from the header before any decoding.
  static const char SIGNATURE[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
  if (data.size() < 24 || data.compare(0, 8, std::string(SIGNATURE, 8)) != 0 || data.compare(12, 4, "IHDR") != 0) {
    std::fprintf(stderr, "ashenreach: %s: not a PNG image; image not loaded\n", path.c_str());
    return false;
  }
  const uint32_t w = bigEndian32(data, 16), h = bigEndian32(data, 20);
  if (w == 0 || h == 0 || w > MAXIMAGESIDE || h > MAXIMAGESIDE) {
    std::fprintf(stderr, "ashenreach: %s: image of %u x %u pixels (at most %u x %u); image not loaded\n",
                 path.c_str(), w, h, MAXIMAGESIDE, MAXIMAGESIDE);
    return false;
  }
  SDL_Surface* loaded = IMG_LoadTyped_RW(SDL_RWFromConstMem(data.data(), static_cast<int>(data.size())), 1, "PNG");
  if (!loaded) return false;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  if (!rgba) return false;
  out.W = rgba->w;
  out.H = rgba->h;
  out.RGBA.resize(static_cast<size_t>(out.W) * out.H * 4);
  SDL_LockSurface(rgba);
  for (int y = 0; y < out.H; y++)
    std::memcpy(&out.RGBA[static_cast<size_t>(y) * out.W * 4],
                static_cast<uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                static_cast<size_t>(out.W) * 4);
  SDL_UnlockSurface(rgba);
  SDL_FreeSurface(rgba);
  return true;
}

bool SAVEPNGFILE(const std::string& path, const IMAGE& img) {
  if (img.W <= 0 || img.H <= 0 || img.RGBA.size() < static_cast<size_t>(img.W) * img.H * 4)
    return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint8_t*>(img.RGBA.data()), img.W, img.H, 32, img.W * 4, SDL_PIXELFORMAT_RGBA32);
  if (!s) return false;
  // Write beside the target and rename, so a screenshot is either whole or absent.
  std::string tmp = path + ".tmp";
  bool ok = IMG_SavePNG(s, tmp.c_str()) == 0;
  SDL_FreeSurface(s);
  if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(tmp.c_str());
  return ok;
}
