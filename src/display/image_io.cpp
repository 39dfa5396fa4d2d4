// Image files through SDL2_image: the glyph images (PNG, and ".nma" files that
// are PNG images under another name) and screenshots.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

#include "display/backend.h"

BACKEND* THEBACKEND = nullptr;

bool LOADIMAGEFILE(const std::string& path, IMAGE& out) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
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
