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
// Glyph images are small (the largest sheets are 256 x 256) and screenshots
// read back by tools and tests are at most one 4K screen: these limits keep a
// broken or hostile file from costing much memory or time.
constexpr size_t MAXIMAGEBYTES = 16u << 20;
constexpr uint32_t MAXIMAGESIDE = 3840;
constexpr uint64_t MAXIMAGEPIXELS = 3840ull * 2160ull;

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
  if (w == 0 || h == 0 || w > MAXIMAGESIDE || h > MAXIMAGESIDE || uint64_t(w) * h > MAXIMAGEPIXELS) {
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

namespace {
// An SDL stream that collects what is written to it in OUT.
struct MEMORYSTREAM {
  std::string* out;
  size_t pos;
};
SDL_RWops* memoryWriter(std::string& out) {
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) return nullptr;
  rw->hidden.unknown.data1 = new MEMORYSTREAM{&out, 0};
  rw->size = [](SDL_RWops* c) -> Sint64 {
    return static_cast<Sint64>(static_cast<MEMORYSTREAM*>(c->hidden.unknown.data1)->out->size());
  };
  rw->seek = [](SDL_RWops* c, Sint64 off, int whence) -> Sint64 {
    MEMORYSTREAM* m = static_cast<MEMORYSTREAM*>(c->hidden.unknown.data1);
    Sint64 base = whence == RW_SEEK_SET ? 0 : whence == RW_SEEK_CUR ? static_cast<Sint64>(m->pos)
                                                                      : static_cast<Sint64>(m->out->size());
    if (base + off < 0) return -1;
    m->pos = static_cast<size_t>(base + off);
    return static_cast<Sint64>(m->pos);
  };
  rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
  rw->write = [](SDL_RWops* c, const void* p, size_t size, size_t num) -> size_t {
    MEMORYSTREAM* m = static_cast<MEMORYSTREAM*>(c->hidden.unknown.data1);
    const size_t n = size * num;
    if (m->out->size() < m->pos + n) m->out->resize(m->pos + n);
    std::memcpy(&(*m->out)[m->pos], p, n);
    m->pos += n;
    return num;
  };
  rw->close = [](SDL_RWops* c) -> int {
    delete static_cast<MEMORYSTREAM*>(c->hidden.unknown.data1);
    SDL_FreeRW(c);
    return 0;
  };
  return rw;
}
}  // namespace

bool SAVEPNGFILE(const std::string& path, const IMAGE& img) {
  if (img.W <= 0 || img.H <= 0 || img.RGBA.size() < static_cast<size_t>(img.W) * img.H * 4)
    return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint8_t*>(img.RGBA.data()), img.W, img.H, 32, img.W * 4, SDL_PIXELFORMAT_RGBA32);
  if (!s) return false;
  // Encoded in memory, then written through the safe writer, so a screenshot
  // is either whole or absent and no planted link redirects it.
  std::string png;
  bool ok = IMG_SavePNG_RW(s, memoryWriter(png), 1) == 0;
  SDL_FreeSurface(s);
  std::string err;
  return ok && WRITEFILESAFE(path, png, err);
}
